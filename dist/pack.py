"""pack.py: packs a staged folder into one of the release's files, the
same bytes from the same files on any machine, at any time, in any time
zone, under any umask.

  pack.py zip STAGE OUT           STAGE as the zip's one top folder
  pack.py tar STAGE OUT           the same as a .tar.gz
  pack.py source ROOT FOLDER OUT  the sources under ROOT, in FOLDER, as a
                                  .tar.gz
  pack.py deb STAGE CONTROL OUT   STAGE as a Debian package's root
  pack.py setup STAGE VERSION ICON OUT
                                  STAGE's files as the Windows installer,
                                  whose uninstaller removes them alone

Entries go in sorted order, owned by root, dated SOURCE_DATE_EPOCH (in
UTC, the zip's local time), mode 755 for folders and programs and 644 for
the rest; zip entries carry no extra fields, and gzip no name or time.
The sources are the files git tracks, where ROOT is a clone; elsewhere
(an unpacked source archive, a copy without .git) every file under ROOT
but those the top .gitignore ignores, which are what a build writes.
For the package, CONTROL is its control file, whose ${shlibs:Depends} and
${Installed-Size} are filled in here (dpkg-shlibdeps finds the libraries
the programs need); dpkg-deb builds it, owned by root, from a stage whose
dates and modes are set as above.  The installer is NSIS's, from
installer.nsi beside this script, given the files one by one in sorted
order (NSIS's own File /r takes them in the order the file system lists
them, which differs from folder to folder); NSIS records no file times.
It speaks English and each language of the checker's catalogs in
STAGE/locale/ that NSIS has a language file for, with our own strings
taken from those catalogs (installer_languages).
"""
import fnmatch
import gettext
import glob
import gzip
import hashlib
import io
import locale
import os
import subprocess
import sys
import tarfile
import tempfile
import time
import zipfile


def epoch():
    """The release's date: every packed file's, and the package's."""
    return int(os.environ["SOURCE_DATE_EPOCH"])


def entries(stage, top=None, files=None):
    """(path in the archive, path on disk, is a folder) under top (STAGE's
    own name unless given), sorted, folders before what they hold: every
    file under STAGE, or those of files (paths relative to it) and their
    folders."""
    top = top or os.path.basename(os.path.normpath(stage))
    if files is None:
        files = [os.path.relpath(os.path.join(folder, name), stage)
                 for folder, _, names in os.walk(stage) for name in names]
    found = {(top, stage, True)}
    for name in files:
        found.add((os.path.join(top, name), os.path.join(stage, name), False))
        folder = os.path.dirname(name)
        while folder:
            found.add((os.path.join(top, folder), os.path.join(stage, folder),
                       True))
            folder = os.path.dirname(folder)
    return sorted(found)


def sources(root):
    """The source files under root, relative to it: git's list in a clone,
    and otherwise every file but .git and what the top .gitignore ignores.
    That file holds only names to ignore in any folder (build*/), which is
    all this follows; anything else stops the packing."""
    if os.path.isdir(os.path.join(root, ".git")):
        listed = subprocess.run(["git", "-C", root, "ls-files", "-z"],
                                check=True, capture_output=True).stdout
        return [name.decode() for name in listed.split(b"\0") if name]
    with open(os.path.join(root, ".gitignore")) as ignore:
        patterns = [line.strip().rstrip("/") for line in ignore
                    if line.strip() and not line.startswith("#")]
    if any("/" in pattern or pattern.startswith("!") for pattern in patterns):
        sys.exit("pack.py: .gitignore holds a pattern it cannot follow")
    ignored = lambda name: name == ".git" or any(
        fnmatch.fnmatchcase(name, pattern) for pattern in patterns)
    found = []
    for folder, folders, names in os.walk(root):
        folders[:] = [name for name in folders if not ignored(name)]
        found += [os.path.relpath(os.path.join(folder, name), root)
                  for name in names if not ignored(name)]
    return found


def mode(path, is_folder):
    executable = is_folder or os.stat(path).st_mode & 0o111
    return 0o755 if executable else 0o644


def read(path):
    with open(path, "rb") as source:
        return source.read()


def pack_zip(stage, out):
    when = time.gmtime(epoch())[:6]
    with zipfile.ZipFile(out, "w") as packed:
        for name, path, is_folder in entries(stage):
            info = zipfile.ZipInfo(name + "/" * is_folder, when)
            info.create_system = 3  # Unix, so that the modes are read
            info.external_attr = (mode(path, is_folder) |
                                  (0o40000 if is_folder else 0o100000)) << 16
            if is_folder:
                packed.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                packed.writestr(info, read(path), compresslevel=9)


def pack_tar(stage, out, listed=None):
    data = io.BytesIO()
    with tarfile.open(fileobj=data, mode="w", format=tarfile.GNU_FORMAT) \
            as packed:
        for name, path, is_folder in listed or entries(stage):
            info = tarfile.TarInfo(name)
            info.mtime, info.mode = epoch(), mode(path, is_folder)
            info.uid = info.gid = 0
            info.uname = info.gname = "root"
            if is_folder:
                info.type = tarfile.DIRTYPE
                packed.addfile(info)
            else:
                content = read(path)
                info.size = len(content)
                packed.addfile(info, io.BytesIO(content))
    with open(out, "wb") as target, gzip.GzipFile(
            filename="", mode="wb", fileobj=target, mtime=0) as zipped:
        zipped.write(data.getvalue())


def pack_source(root, folder, out):
    pack_tar(root, out, entries(root, folder, sources(root)))


def shlibs_depends(programs):
    """What dpkg-shlibdeps says the programs need, as a Depends line."""
    with tempfile.TemporaryDirectory() as work:
        os.mkdir(os.path.join(work, "debian"))
        with open(os.path.join(work, "debian", "control"), "w") as control:
            control.write("Source: zelm\n\n"
                          "Package: zelm\nArchitecture: any\n")
        said = subprocess.run(["dpkg-shlibdeps", "-O"] +
                              ["-e" + os.path.abspath(p) for p in programs],
                              cwd=work, check=True, capture_output=True,
                              text=True).stdout
    return said.strip().split("=", 1)[1]


def pack_deb(stage, control, out):
    when = epoch()
    files = [(path, is_folder) for _, path, is_folder in entries(stage)]
    for path, is_folder in files:
        os.chmod(path, mode(path, is_folder))
        os.utime(path, (when, when))
    regular = [path for path, is_folder in files if not is_folder]
    programs = [path for path in regular if read(path)[:4] == b"\x7fELF"]
    # Installed-Size as dpkg counts it: KiB a file, rounded up, and one
    # for each folder.
    size = sum((os.path.getsize(p) + 1023) // 1024 for p in regular)
    size += sum(1 for _, is_folder in files if is_folder)
    with open(control) as template:
        fields = template.read().replace(
            "${shlibs:Depends}", shlibs_depends(programs)).replace(
            "${Installed-Size}", str(size))
    debian = os.path.join(stage, "DEBIAN")
    os.mkdir(debian, 0o755)
    os.chmod(debian, 0o755)
    with open(os.path.join(debian, "control"), "w") as written:
        written.write(fields)
    with open(os.path.join(debian, "md5sums"), "w") as sums:
        for path in sorted(regular):
            sums.write("%s  %s\n" % (hashlib.md5(read(path)).hexdigest(),
                                     os.path.relpath(path, stage)))
    for name in ("control", "md5sums"):
        os.chmod(os.path.join(debian, name), 0o644)
        os.utime(os.path.join(debian, name), (when, when))
    os.utime(debian, (when, when))
    subprocess.run(["dpkg-deb", "--root-owner-group", "--build", stage, out],
                   check=True, stdout=subprocess.DEVNULL)


# The installer's own strings, by the name installer.nsi gives each, and
# the menu entry's key whose text, in English and in every catalog, each
# is.
INSTALLER_STRINGS = {"Description": "Comment"}


def nsis_language_files():
    """Each NSIS language file, by the Windows language ID it states
    first after its version line, lines of # being comments."""
    info = subprocess.run(["makensis", "-HDRINFO"], capture_output=True,
                          text=True, check=True).stdout
    nsisdir = info.split("NSISDIR=")[1].split(",")[0].split()[0]
    files = {}
    for path in sorted(glob.glob(os.path.join(nsisdir, "Contrib",
                                              "Language files", "*.nlf"))):
        with open(path, encoding="utf-8-sig", errors="replace") as nlf:
            values = [line for line in nlf.read().splitlines()
                      if not line.startswith("#")]
        files.setdefault(int(values[1]), path)
    return files


def windows_language(language, ids):
    """The Windows language ID, of those in ids, for a catalog's language
    (de, pt_BR): LL_CC's own, or LL's default, its first sublanguage."""
    for langid in sorted(ids):
        windows = locale.windows_locale.get(langid, "")
        if windows == language or (
                windows.split("_")[0] == language and langid >> 10 == 1):
            return langid
    return None


def nsis_string(text):
    """text as an NSIS script quotes it."""
    return '"%s"' % (text.replace("$", "$$").replace('"', '$\\"')
                     .replace("\n", "$\\n"))


def installer_languages(stage, out):
    """Writes into out the installer's languages, English first, NSIS's
    default, then each catalog's, and the installer's strings in each."""
    with open(os.path.join(os.path.dirname(__file__), "zelm.desktop"),
              encoding="utf-8") as desktop:
        entry = dict(line.rstrip("\n").split("=", 1) for line in desktop
                     if "=" in line and not line.startswith("#"))
    files = nsis_language_files()
    english = windows_language("en_US", files)
    languages = [(english, gettext.NullTranslations())]
    for catalog in sorted(glob.glob(os.path.join(
            stage, "locale", "*", "LC_MESSAGES", "zelm.mo"))):
        langid = windows_language(catalog.split(os.sep)[-3], files)
        if langid is not None:
            with open(catalog, "rb") as mo:
                languages.append((langid, gettext.GNUTranslations(mo)))
    with open(out, "w", encoding="utf-8") as listing:
        for langid, catalog in languages:
            listing.write('LoadLanguageFile "%s"\n' % files[langid])
            for name, key in INSTALLER_STRINGS.items():
                listing.write("LangString %s %d %s\n" % (
                    name, langid, nsis_string(catalog.gettext(entry[key]))))


def pack_setup(stage, version, icon, out):
    def installed(name):
        """A path in the archive as the installer names it."""
        return "$INSTDIR" + "".join("\\" + part
                                    for part in name.split("/")[1:])
    listed = entries(stage)
    with tempfile.TemporaryDirectory() as work:
        files = os.path.join(work, "files.nsh")
        with open(files, "w") as listing:
            folder = None
            for name, path, is_folder in listed:
                if is_folder:
                    continue
                # Each file goes to its folder below the top one.
                if os.path.dirname(name) != folder:
                    folder = os.path.dirname(name)
                    listing.write('SetOutPath "%s"\n' % installed(folder))
                listing.write('File "%s"\n' % os.path.abspath(path))
        # The uninstaller removes exactly those files, then each folder
        # below the top one, deepest first, where nothing else is left in
        # it (RMDir without /r removes only an empty folder).
        removals = os.path.join(work, "removals.nsh")
        with open(removals, "w") as listing:
            for name, _, is_folder in listed:
                if not is_folder:
                    listing.write('Delete "%s"\n' % installed(name))
            for name, _, is_folder in reversed(listed[1:]):
                if is_folder:
                    listing.write('RMDir "%s"\n' % installed(name))
        languages = os.path.join(work, "languages.nsh")
        installer_languages(stage, languages)
        subprocess.run(["makensis", "-V2", "-DVERSION=" + version,
                        "-DFILES=" + files, "-DREMOVALS=" + removals,
                        "-DLANGUAGES=" + languages,
                        "-DICON=" + icon, "-DOUTFILE=" + os.path.abspath(out),
                        os.path.join(os.path.dirname(__file__),
                                     "installer.nsi")], check=True)


if __name__ == "__main__":
    kind, arguments = sys.argv[1], sys.argv[2:]
    {"zip": pack_zip, "tar": pack_tar, "source": pack_source,
     "deb": pack_deb, "setup": pack_setup}[kind](*arguments)
