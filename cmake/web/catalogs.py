"""catalogs.py: the page's languages, written from their catalogs as the
site is built (front/web/CMakeLists.txt).

  catalogs.py language PO SITE WORK NOTATION...
      the catalog PO (po/LL.po) into the site: SITE/LL.mo, the checker's
      messages, which the page hands it, and SITE/LL.json, the page's,
      which language.js reads: the plural expression of the catalog's
      Plural-Forms header, as written, and each message's translation,
      or a plural's forms, the notation's list items among them, as the
      command NOTATION (zelm_notation) writes them in the language; and
      WORK/LL.mo, the page's messages, for the menu
  catalogs.py menu PAGE OUT MO...
      PAGE to OUT, the line that holds "LANGUAGES FROM THE CATALOGS"
      replaced by the menu's options: English, then each language whose
      catalog of the page's messages is given, named as it names itself
      (its message "English" in the context "language name")

The catalogs are cut to their messages with msggrep, by where each is
used, compiled with msgfmt, and read by Python's gettext module, as GNU's
gettext reads them.
"""
import gettext
import html
import json
import os
import re
import shlex
import subprocess
import sys


def catalog(path):
    with open(path, "rb") as mo:
        return gettext.GNUTranslations(mo)


def language_of(path):
    return os.path.basename(path)[:-len(".mo")]


def menu(page, out, catalogs):
    options = ['<option value="en">English</option>\n']
    for path in catalogs:
        name = catalog(path).pgettext("language name", "English")
        options.append('<option value="%s">%s</option>\n' %
                       (language_of(path), html.escape(name)))
    with open(page) as source:
        lines = source.readlines()
    marked = [i for i, line in enumerate(lines)
              if "LANGUAGES FROM THE CATALOGS" in line]
    if len(marked) != 1:
        sys.exit("catalogs.py: %s holds no line, or more than one, marked "
                 "for the languages" % page)
    lines[marked[0]:marked[0] + 1] = options
    with open(out, "w") as written:
        written.writelines(lines)


def notation(command, catalog, work, name):
    """The notation's list items, in the language of catalog, or in English
    where it is None; written in work under name."""
    marked = os.path.join(work, name + ".notation.html")
    with open(marked, "w") as template:
        template.write("NOTATION FROM THE TABLE\n")
    items = os.path.join(work, name + ".notation.items.html")
    subprocess.run(command + ["html", marked, items] +
                   ([catalog] if catalog else []), check=True)
    with open(items) as written:
        return re.findall(r"<li data-i18n>(.*)</li>", written.read())


def compiled(po, used_in, out):
    """The messages of po used in the sources under used_in, as a .mo."""
    subprocess.run("msggrep --location=%s %s | msgfmt --check -o %s -" %
                   tuple(shlex.quote(word) for word in (used_in + "/*", po,
                                                        out)),
                   shell=True, check=True)


def language(po, site, work, command):
    name = os.path.basename(po)[:-len(".po")]
    checker = os.path.join(site, name + ".mo")
    compiled(po, "check", checker)
    page = os.path.join(work, name + ".mo")
    compiled(po, "front/web", page)
    found = catalog(page)
    plural = re.search(r"plural=(.*?);?\s*$",
                       found._info["plural-forms"])[1]
    messages = {}
    for key, text in found._catalog.items():
        if isinstance(key, tuple):
            messages.setdefault(key[0], []).append(text)
        elif key:
            messages[key] = text
    messages.update(zip(notation(command, None, work, name + ".en"),
                        notation(command, checker, work, name)))
    with open(os.path.join(site, name + ".json"), "w") as written:
        json.dump({"plural": plural, "messages": messages}, written,
                  ensure_ascii=False, sort_keys=True, separators=(",", ":"))


if __name__ == "__main__":
    command, arguments = sys.argv[1], sys.argv[2:]
    if command == "menu":
        menu(arguments[0], arguments[1], arguments[2:])
    else:
        language(arguments[0], arguments[1], arguments[2], arguments[3:])
