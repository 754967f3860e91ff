; installer.nsi: the Windows installer, zelm-VERSION-setup.exe, made with
; NSIS on the build machine from the folder the Windows zip holds, by
; pack.py setup, which lists that folder's files in FILES.
;
;   makensis -DVERSION=1.0.0 -DFILES=files.nsh -DICON=zelm.ico
;            -DOUTFILE=zelm-1.0.0-setup.exe installer.nsi
;
; It installs for the current user, needing no administrator, under
; %LOCALAPPDATA%\Programs\Zelmora: the game, the checker, the images, the
; DLLs and their licences.  A "Zelmora" shortcut in the Start menu starts
; the game in that folder, where it reads data\, and the current user's
; Add/Remove Programs lists it with its uninstaller.  /S installs and
; uninstalls without a question.  A version installed over another
; removes the other first, so one copy and one entry remain.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
; No file's time goes into the installer: the same files make the same
; bytes.
SetDateSave off
SetCompressor /SOLID lzma

!include FileFunc.nsh
!define UNINSTALL_KEY \
    "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelmora"

Name "Zelmora"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Zelmora"
BrandingText "Zelmora ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Zelmora"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Zelmora ${VERSION} setup"
VIAddVersionKey "CompanyName" "the zelm developers"
VIAddVersionKey "LegalCopyright" "2026 the zelm developers"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    ; The copy installed before goes first, in its place, waiting for it.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" +2
    ExecWait '"$0\uninstall.exe" /S _?=$0'

    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; A shortcut's working folder is the current output folder.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Zelmora.lnk" "$INSTDIR\zelm.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zelmora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "the zelm developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelm.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Zelmora.lnk"
    RMDir /r "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
