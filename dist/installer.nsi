; installer.nsi: the Windows installer, zelm-VERSION-setup.exe, made with
; NSIS on the build machine from the folder the Windows zip holds, by
; pack.py setup, which writes that folder's files into FILES, their
; removal into REMOVALS, and into LANGUAGES the languages it speaks, with
; its own strings in each (Description, the shortcut's).
;
;   makensis -DVERSION=1.0.0 -DFILES=files.nsh -DREMOVALS=removals.nsh
;            -DLANGUAGES=languages.nsh -DICON=zelm.ico
;            -DOUTFILE=zelm-1.0.0-setup.exe installer.nsi
;
; It installs for the current user, needing no administrator, under
; %LOCALAPPDATA%\Programs\Zelmora: the game, the checker, the images, the
; DLLs and their licences.  A "Zelmora" shortcut in the Start menu starts
; the game in that folder, where it reads data\, and the current user's
; Add/Remove Programs lists it with its uninstaller.  /S installs and
; uninstalls without a question.  It speaks the player's display language
; where it has it, as NSIS chooses, and English otherwise; the
; uninstaller speaks the language the installer spoke.
;
; The folder may hold the player's own files (an answer kept beside
; zelm-check.exe), or be one he chose with /D= that held files before.
; So the uninstaller removes only what the installer wrote, then each of
; its folders that is left empty, and the install folder itself only where
; the installer made it.  A version installed over another runs the
; other's uninstaller first, so that one copy and one entry remain, and
; whatever else is in the folder stays; installed into another folder, the
; other copy's folder goes as its uninstall would have taken it.
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
!include /CHARSET=UTF8 "${LANGUAGES}"
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
    ; $2: whether the install folder is the game's own, made for it.  It is
    ; where it did not exist yet, or where the copy installed before made it.
    StrCpy $2 0
    IfFileExists "$INSTDIR\*.*" found
    StrCpy $2 1
found:
    ; The copy installed before goes first, in its place, waiting for it.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" installed_before
    ClearErrors
    ReadRegDWORD $1 HKCU "${UNINSTALL_KEY}" "MadeInstallLocation"
    IfErrors 0 uninstall_before
    ; Copies that did not record MadeInstallLocation had an uninstaller
    ; that removed the whole folder, whatever else it held: it is never
    ; run, but it goes, so that it can never take this copy's shortcut and
    ; entry.  Their files are written over here, or stay in their folder
    ; with whatever else it holds.
    Delete "$0\uninstall.exe"
    Goto installed_before
uninstall_before:
    StrCmp $0 $INSTDIR 0 +2
    StrCpy $2 $1
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    ; Run in its place, that uninstaller could not remove itself, nor so
    ; its folder.  In this folder the new one takes its place; elsewhere
    ; it goes, and its folder with it where it made that and left it
    ; empty, as its own uninstall would have done.
    StrCmp $0 $INSTDIR installed_before
    Delete "$0\uninstall.exe"
    StrCmp $1 1 0 installed_before
    RMDir "$0"
installed_before:

    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; A shortcut's working folder is the current output folder.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Zelmora.lnk" "$INSTDIR\zelm.exe" "" \
        "$INSTDIR\zelm.exe" 0 SW_SHOWNORMAL "" "$(Description)"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zelmora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "the zelm developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelm.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeInstallLocation" $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "InstallerLanguage" $LANGUAGE
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Function un.onInit
    ClearErrors
    ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "InstallerLanguage"
    IfErrors +2
    StrCpy $LANGUAGE $0
FunctionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Zelmora.lnk"
    !include "${REMOVALS}"
    Delete "$INSTDIR\uninstall.exe"
    ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "MadeInstallLocation"
    StrCmp $0 1 0 +2
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
