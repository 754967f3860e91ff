"""catalogs.py: the page's languages, written from their catalogs as the
site is built (front/web/CMakeLists.txt).

  catalogs.py menu PAGE OUT MO...
      PAGE to OUT, the line that holds "LANGUAGES FROM THE CATALOGS"
      replaced by the menu's options: English, then each language whose
      catalog of the page's messages is given, named as it names itself
      (its message "English" in the context "language name")
  catalogs.py json MO ENGLISH TRANSLATED OUT
      the page's messages of the catalog MO as OUT, which language.js
      reads: the plural expression of its Plural-Forms header, as
      written, and each message's translation, or a plural's forms; with
      the notation's list items (ENGLISH, as the build writes them for
      the page, beside TRANSLATED, the same in the catalog's language)

Each MO is named for its language (de.mo, pt_BR.mo).  The catalogs are
read by Python's gettext module, as GNU's gettext reads them.
"""
import gettext
import html
import json
import os
import re
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


def list_items(path):
    with open(path) as items:
        return re.findall(r"<li data-i18n>(.*)</li>", items.read())


def page_json(mo, english, translated, out):
    found = catalog(mo)
    plural = re.search(r"plural=(.*?);?\s*$",
                       found._info["plural-forms"])[1]
    messages = {}
    for key, text in found._catalog.items():
        if isinstance(key, tuple):
            messages.setdefault(key[0], []).append(text)
        elif key:
            messages[key] = text
    messages.update(zip(list_items(english), list_items(translated)))
    with open(out, "w") as written:
        json.dump({"plural": plural, "messages": messages}, written,
                  ensure_ascii=False, sort_keys=True, separators=(",", ":"))


if __name__ == "__main__":
    command, arguments = sys.argv[1], sys.argv[2:]
    if command == "menu":
        menu(arguments[0], arguments[1], arguments[2:])
    else:
        page_json(*arguments)
