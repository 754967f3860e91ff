"""template.py: writes the template of every message a player reads, from
the sources, as GNU gettext lays it out: the checker's and the page's,
and those of the manual pages, the menu entry and the software centre's
page.

Usage: template.py SOURCE_DIR OUT.  xgettext reads the checker's C++ and
the page's scripts, where each message is marked (check/catalog.h, and
front/web/language.js's _, pgettext and ngettext); xgettext cannot read
HTML, so the page's markup is read here, by the rules index.html states
at its top: the content of each element marked data-i18n, its value the
message's context, and every aria-label and placeholder, with the notes
of the comments that begin "TRANSLATORS:"; and the menu of languages asks
each catalog for its language's name.  po4a reads the manual pages, and
xgettext the desktop entry and, by appstream's rules, the metainfo, each
reading joined into OUT.
`make po` writes po/zelm.pot so and merges it into every catalog; the
catalogs test writes it elsewhere and compares.
"""
import glob
import html
import html.parser
import os
import re
import subprocess
import sys
import tempfile

SOURCE, OUT = sys.argv[1], sys.argv[2]
KEYWORDS = ["Translated", "TranslatedIn:1c,2", "TranslatedPlural:1,2",
            "ForTranslation", "ForTranslationPlural:1,2", "_",
            "pgettext:1c,2", "ngettext:1,2"]
PAGE = "front/web/index.html"
# appstream's rules for its metainfo, which xgettext would choose by a file
# name that ends in .metainfo.xml, where ours ends in .in.
METAINFO_ITS = "/usr/share/gettext/its/metainfo.its"


def po_string(text):
    """text as a PO file writes a string: quoted, escaped, a line for each
    line of it."""
    escaped = text.replace("\\", "\\\\").replace('"', '\\"')
    escaped = escaped.replace("\t", "\\t").replace("\n", "\\n\n")
    lines = escaped.split("\n")
    if len(lines) == 1:
        return '"%s"' % lines[0]
    return '""\n' + "\n".join('"%s"' % line for line in lines if line)


class Markup(html.parser.HTMLParser):
    """The page's messages: {(context, message): (lines, notes)}.  A note
    stands for the messages of the elements that follow it, up to one that
    has none."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.messages = {}
        self.note = None
        self.reading = None  # (tag, parts, context) of a message's element

    def add(self, context, message):
        lines, notes = self.messages.setdefault((context, message), ([], []))
        lines.append(self.getpos()[0])
        if self.note and self.note not in notes:
            notes.append(self.note)

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if self.reading:
            if tag != "b" or attrs:
                sys.exit("%s:%d: only <b> may stand in a message" %
                         (PAGE, self.getpos()[0]))
            self.reading[1].append("<b>")
            return
        named = [attrs[name] for name in ("aria-label", "placeholder")
                 if name in attrs]
        if not named and "data-i18n" not in attrs:
            self.note = None
        for message in named:
            self.add("", message)
        if "data-i18n" in attrs:
            self.reading = (tag, [], attrs["data-i18n"] or "")

    def handle_endtag(self, tag):
        if self.reading and tag == "b":
            self.reading[1].append("</b>")
        elif self.reading and tag == self.reading[0]:
            self.add(self.reading[2], " ".join("".join(
                self.reading[1]).split()))
            self.reading = None

    def handle_data(self, data):
        if self.reading:
            self.reading[1].append(html.escape(data, quote=False)
                                   .replace("\xa0", "&nbsp;"))

    def handle_comment(self, data):
        text = " ".join(data.split())
        if text.startswith("TRANSLATORS:"):
            self.note = text
        elif text.startswith("LANGUAGES FROM THE CATALOGS"):
            self.note = ("TRANSLATORS: the name of this catalog's language "
                         "in its own words (Deutsch, Français), as the "
                         "page's menu of languages shows it.")
            self.add("language name", "English")
            self.note = None

    def template(self):
        entries = ['msgid ""\nmsgstr "Content-Type: text/plain; '
                   'charset=UTF-8\\n"\n']
        for (context, message), (lines, notes) in self.messages.items():
            entry = "".join("#. %s\n" % note for note in notes)
            entry += "#: %s\n" % " ".join("%s:%d" % (PAGE, line)
                                          for line in lines)
            if context:
                entry += "msgctxt %s\n" % po_string(context)
            entries.append(entry + "msgid %s\nmsgstr \"\"\n" %
                           po_string(message))
        return "\n".join(entries)


def main():
    with open(os.path.join(SOURCE, "CMakeLists.txt")) as top:
        version = re.search(r"project\(zelm VERSION (\S+)", top.read())[1]
    sources = sorted(glob.glob("check/*.cpp", root_dir=SOURCE)) + \
        sorted(glob.glob("front/web/*.js", root_dir=SOURCE))
    with tempfile.TemporaryDirectory() as work:
        markup = Markup()
        with open(os.path.join(SOURCE, PAGE)) as page:
            markup.feed(page.read())
        page = os.path.join(work, "page.pot")
        with open(page, "w") as out:
            out.write(markup.template())
        manuals = os.path.join(work, "manuals.pot")
        subprocess.run(["po4a-updatepo", "--format=man",
                        "--master-charset=UTF-8", "--master=dist/zelm.6.in",
                        "--master=dist/zelm-check.6.in", "--po=" + manuals],
                       cwd=SOURCE, check=True, capture_output=True)
        # Each reading joins what is read before it, messages read twice
        # standing once, with every place they were read.
        common = ["xgettext", "--from-code=UTF-8",
                  "--add-comments=TRANSLATORS:", "--package-name=zelm",
                  "--package-version=" + version,
                  "--copyright-holder=the zelm developers", "--output=" + OUT]
        for options, files in (
                (["--keyword=" + keyword for keyword in KEYWORDS], sources),
                (["--join-existing", "--language=Desktop"],
                 ["dist/zelm.desktop"]),
                (["--join-existing", "--its=" + METAINFO_ITS],
                 ["dist/org.zelm.zelmora.metainfo.xml.in"]),
                (["--join-existing", "--language=PO"], [page, manuals])):
            subprocess.run(common + options + files, cwd=SOURCE, check=True)

if __name__ == "__main__":
    main()
