// notation_tool.cpp: writes the notation's table into the documents that
// the build makes, so that a spelling is added in one place.
//
// Usage: zelm_notation FORMAT TEMPLATE OUT [CATALOG].  Copies TEMPLATE to
// OUT, with the one line that holds kMarker replaced by the notation in
// FORMAT:
//   man   the lines zelm-check --help prints, as roff text for the manual
//         page, each character that roff would change escaped
//   html  the same lines as the page's list items, each a message of its
//         own (as the page's markup marks them)
//   dict  every spelling, documented or not, as a libFuzzer dictionary's
//         entries, for the checker's fuzz target
// The lines are in the language of CATALOG, a .mo file, where it is
// given.  Exits 1, saying why, when a file cannot be read or written, the
// catalog is none, or the template holds the marker other than once.
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "catalog.h"
#include "spelling.h"
#include "utf8.h"

static const char kMarker[] = "NOTATION FROM THE TABLE";

// roff text that shows the line as it is: its non-ASCII characters by
// their code points, the ASCII ones roff would show as others (a quote as
// ’, a hyphen as ‐, ^ and ~ as accents) or take as an escape by name, and
// \& first, so that no character at its start is taken for a request.
static std::string AsRoff(const std::string& line)
{
    std::string roff = "\\&";
    const char* end = line.data() + line.size();
    for (const char* at = line.data(); at < end;) {
        uint32_t point = 0xFFFD; // for a byte that is no UTF-8, shown so
        int length = CharLength(at, end, &point);
        if (length == 0)
            length = 1;
        const char* named = point == '\\'   ? "\\e"
                            : point == '\'' ? "\\(aq"
                            : point == '-'  ? "\\-"
                            : point == '^'  ? "\\(ha"
                            : point == '~'  ? "\\(ti"
                            : point == '`'  ? "\\(ga"
                                            : NULL;
        char unicode[16];
        if (named != NULL) {
            roff += named;
        } else if (point > 0x7F) {
            snprintf(unicode, sizeof unicode, "\\[u%04X]", point);
            roff += unicode;
        } else {
            roff += static_cast<char>(point);
        }
        at += length;
    }
    return roff + "\n";
}

// A list item as the page's markup has it, its text as a browser writes
// it back (innerHTML), so that the page finds it in its catalog.
static std::string AsListItem(const std::string& line)
{
    std::string html = "<li data-i18n>";
    for (char c : line)
        html += c == '&'   ? "&amp;"
                : c == '<' ? "&lt;"
                : c == '>' ? "&gt;"
                           : std::string(1, c);
    return html + "</li>\n";
}

// A dictionary entry: the bytes in quotes, every one that is not plain
// printable ASCII, a quote or a backslash written as \xNN.
static std::string AsDictionaryEntry(const std::string& word)
{
    std::string entry = "\"";
    for (unsigned char c : word) {
        char escaped[8];
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') {
            snprintf(escaped, sizeof escaped, "\\x%02x", c);
            entry += escaped;
        } else {
            entry += static_cast<char>(c);
        }
    }
    return entry + "\"\n";
}

static bool Notation(const char* format, std::string* text)
{
    if (strcmp(format, "dict") == 0) {
        for (size_t i = 0; i < kSpellingCount; i++)
            *text += AsDictionaryEntry(AsTaught(kSpellings[i]));
        return true;
    }
    bool man = strcmp(format, "man") == 0;
    if (!man && strcmp(format, "html") != 0)
        return false;
    for (const std::string& line : NotationLines())
        *text += man ? AsRoff(line) : AsListItem(line);
    return true;
}

static bool ReadFile(const char* path, std::string* text)
{
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return false;
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;)
        text->append(buffer, got);
    bool read = ferror(file) == 0;
    fclose(file);
    return read;
}

static bool WriteFile(const char* path, const std::string& text)
{
    FILE* file = fopen(path, "wb");
    if (file == NULL)
        return false;
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

static int Fail(const char* what, const char* path)
{
    fprintf(stderr, "zelm_notation: %s: %s\n", path, what);
    return 1;
}

int main(int argc, char** argv)
{
    std::string notation, text, catalog;
    if (argc == 5 && !(ReadFile(argv[4], &catalog) && UseCatalog(catalog)))
        return Fail("is no catalog", argv[4]);
    if (argc < 4 || argc > 5 || !Notation(argv[1], &notation)) {
        fputs("Usage: zelm_notation man|html|dict TEMPLATE OUT [CATALOG]\n",
              stderr);
        return 1;
    }
    if (!ReadFile(argv[2], &text))
        return Fail(strerror(errno), argv[2]);
    size_t marker = text.find(kMarker);
    if (marker == std::string::npos ||
        text.find(kMarker, marker + 1) != std::string::npos)
        return Fail("holds no line, or more than one, marked for the notation",
                    argv[2]);
    size_t begin = text.rfind('\n', marker) + 1; // 0 on the first line
    size_t end = text.find('\n', marker);
    end = end == std::string::npos ? text.size() : end + 1;
    text.replace(begin, end - begin, notation);
    if (!WriteFile(argv[3], text))
        return Fail(strerror(errno), argv[3]);
    return 0;
}
