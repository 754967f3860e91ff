// catalog.cpp: a GNU gettext catalog read from its .mo file, its plural
// forms, and the languages a player asks for.
//
// A .mo file is a header of 32-bit words, in the byte order of the
// machine that wrote it (its magic number tells which), and two tables of
// its strings, each a length and an offset, sorted by the English: the
// original of each message (its context, a byte 4, then its words; a
// plural's singular, a NUL, then its plural) and its translation (a
// plural's forms one after another, each ended by a NUL).  The first
// message, the empty one, translates to the header, whose Plural-Forms
// line says how a count picks a form.
#include "catalog.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

// ---- The catalog in use

const uint32_t kMagic = 0x950412de;
const size_t kHeaderWords = 7;

static std::string g_mo; // its bytes; empty while English is in use
static bool g_swapped;   // written in the other byte order
static uint32_t g_count, g_originals, g_translations;
static std::string g_plural; // the header's expression, over n
static unsigned long g_forms;

static uint32_t WordAt(const std::string& mo, size_t offset, bool swapped)
{
    const unsigned char* at =
        reinterpret_cast<const unsigned char*>(mo.data()) + offset;
    return swapped ? uint32_t(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3]
                   : uint32_t(at[3]) << 24 | at[2] << 16 | at[1] << 8 | at[0];
}

// A table's string number i: its text, its length, or null where the
// table says it lies outside the file or lacks its ending NUL.
static const char* StringAt(const std::string& mo, bool swapped, uint32_t table,
                            uint32_t i, size_t* length)
{
    size_t entry = table + size_t(8) * i;
    if (entry + 8 > mo.size())
        return NULL;
    *length = WordAt(mo, entry, swapped);
    size_t offset = WordAt(mo, entry + 4, swapped);
    if (offset >= mo.size() || *length >= mo.size() - offset ||
        mo[offset + *length] != '\0')
        return NULL;
    return mo.data() + offset;
}

// ---- The plural forms
//
// Plural-Forms holds "nplurals=N; plural=EXPRESSION;", the expression C's
// over the count n, read by this grammar, one function a rule, and
// worked out as it is read:
//
//   choice     = or [ "?" choice ":" choice ]
//   or         = and { "||" and }
//   and        = equality { "&&" equality }
//   equality   = comparison { ( "==" | "!=" ) comparison }
//   comparison = sum { ( "<=" | ">=" | "<" | ">" ) sum }
//   sum        = product { ( "+" | "-" ) product }
//   product    = negation { ( "*" | "/" | "%" ) negation }
//   negation   = "!" negation | primary
//   primary    = "n" | number | "(" choice ")"

struct Reading {
    const char* at;
    unsigned long n;
    bool failed; // at a character the grammar has no place for, or / 0
};

static bool Take(Reading* r, const char* token)
{
    while (*r->at == ' ' || *r->at == '\t')
        r->at++;
    size_t length = strlen(token);
    if (strncmp(r->at, token, length) != 0)
        return false;
    r->at += length;
    return true;
}

static unsigned long ReadChoice(Reading* r);

// primary = "n" | number | "(" choice ")"
static unsigned long ReadPrimary(Reading* r)
{
    if (Take(r, "n"))
        return r->n;
    if (Take(r, "(")) {
        unsigned long value = ReadChoice(r);
        r->failed = r->failed || !Take(r, ")");
        return value;
    }
    if (*r->at < '0' || *r->at > '9') {
        r->failed = true;
        return 0;
    }
    unsigned long value = 0;
    while (*r->at >= '0' && *r->at <= '9')
        value = value * 10 + (*r->at++ - '0');
    return value;
}

// negation = "!" negation | primary
static unsigned long ReadNegation(Reading* r)
{
    if (Take(r, "!"))
        return !ReadNegation(r);
    return ReadPrimary(r);
}

// product = negation { ( "*" | "/" | "%" ) negation }
static unsigned long ReadProduct(Reading* r)
{
    unsigned long value = ReadNegation(r);
    for (;;) {
        char op = 0;
        for (const char* each : {"*", "/", "%"}) {
            if (op == 0 && Take(r, each))
                op = each[0];
        }
        if (op == 0)
            return value;
        unsigned long right = ReadNegation(r);
        if (op != '*' && right == 0) {
            r->failed = true;
            return 0;
        }
        value = op == '*'   ? value * right
                : op == '/' ? value / right
                            : value % right;
    }
}

// sum = product { ( "+" | "-" ) product }
static unsigned long ReadSum(Reading* r)
{
    unsigned long value = ReadProduct(r);
    for (;;) {
        if (Take(r, "+"))
            value += ReadProduct(r);
        else if (Take(r, "-"))
            value -= ReadProduct(r);
        else
            return value;
    }
}

// comparison = sum { ( "<=" | ">=" | "<" | ">" ) sum }
static unsigned long ReadComparison(Reading* r)
{
    unsigned long value = ReadSum(r);
    for (;;) {
        if (Take(r, "<="))
            value = value <= ReadSum(r);
        else if (Take(r, ">="))
            value = value >= ReadSum(r);
        else if (Take(r, "<"))
            value = value < ReadSum(r);
        else if (Take(r, ">"))
            value = value > ReadSum(r);
        else
            return value;
    }
}

// equality = comparison { ( "==" | "!=" ) comparison }
static unsigned long ReadEquality(Reading* r)
{
    unsigned long value = ReadComparison(r);
    for (;;) {
        if (Take(r, "=="))
            value = value == ReadComparison(r);
        else if (Take(r, "!="))
            value = value != ReadComparison(r);
        else
            return value;
    }
}

// and = equality { "&&" equality }
static unsigned long ReadAnd(Reading* r)
{
    unsigned long value = ReadEquality(r);
    while (Take(r, "&&")) {
        unsigned long right = ReadEquality(r);
        value = value && right;
    }
    return value;
}

// or = and { "||" and }
static unsigned long ReadOr(Reading* r)
{
    unsigned long value = ReadAnd(r);
    while (Take(r, "||")) {
        unsigned long right = ReadAnd(r);
        value = value || right;
    }
    return value;
}

// choice = or [ "?" choice ":" choice ]
static unsigned long ReadChoice(Reading* r)
{
    unsigned long value = ReadOr(r);
    if (!Take(r, "?"))
        return value;
    unsigned long chosen = ReadChoice(r);
    r->failed = r->failed || !Take(r, ":");
    unsigned long other = ReadChoice(r);
    return value ? chosen : other;
}

// The form number the expression gives for n, or -1 where it cannot be
// read; the whole of it must be read, up to an optional ';'.
static long PluralForm(const std::string& expression, unsigned long n)
{
    Reading reading = {expression.c_str(), n, false};
    unsigned long form = ReadChoice(&reading);
    Take(&reading, ";");
    Take(&reading, ""); // the blanks after it
    return reading.failed || *reading.at != '\0' ? -1 : long(form);
}

// The value of a header's field ("Plural-Forms"), or "" where it has none.
static std::string FieldOf(const char* header, const char* name)
{
    std::string line = std::string("\n") + name + ":";
    std::string text = std::string("\n") + header;
    size_t at = text.find(line);
    if (at == std::string::npos)
        return "";
    at += line.size();
    return text.substr(at, text.find('\n', at) - at);
}

bool UseCatalog(std::string bytes)
{
    g_mo.clear();
    if (bytes.size() < 4 * kHeaderWords)
        return false;
    bool swapped = WordAt(bytes, 0, false) != kMagic;
    if (WordAt(bytes, 0, swapped) != kMagic || WordAt(bytes, 4, swapped) >> 16)
        return false;
    uint32_t count = WordAt(bytes, 8, swapped);
    uint32_t originals = WordAt(bytes, 12, swapped);
    uint32_t translations = WordAt(bytes, 16, swapped);
    size_t length;
    for (uint32_t i = 0; i < count; i++) {
        if (StringAt(bytes, swapped, originals, i, &length) == NULL ||
            StringAt(bytes, swapped, translations, i, &length) == NULL)
            return false;
    }
    // The header: its plural forms, GNU's Germanic ones where none are
    // named, as msgfmt takes them.
    const char* header = NULL;
    if (count > 0 && StringAt(bytes, swapped, originals, 0, &length)[0] == 0)
        header = StringAt(bytes, swapped, translations, 0, &length);
    std::string forms = header ? FieldOf(header, "Plural-Forms") : "";
    if (forms.empty())
        forms = "nplurals=2; plural=n != 1;";
    size_t nplurals = forms.find("nplurals="), plural = forms.find("plural=");
    if (nplurals == std::string::npos || plural == std::string::npos)
        return false;
    g_forms = strtoul(forms.c_str() + nplurals + 9, NULL, 10);
    g_plural = forms.substr(plural + 7);
    if (g_forms == 0 || PluralForm(g_plural, 1) < 0)
        return false;
    g_mo = std::move(bytes);
    g_swapped = swapped;
    g_count = count;
    g_originals = originals;
    g_translations = translations;
    return true;
}

// The translation of the original key (a context, a byte 4, and the
// message; a plural by its singular), or null where the catalog in use
// has none, or English is in use.
static const char* Lookup(const std::string& key, size_t* length)
{
    if (g_mo.empty())
        return NULL;
    uint32_t low = 0, high = g_count;
    while (low < high) {
        uint32_t middle = low + (high - low) / 2;
        size_t original;
        int order = strcmp(key.c_str(), StringAt(g_mo, g_swapped, g_originals,
                                                 middle, &original));
        if (order == 0)
            return StringAt(g_mo, g_swapped, g_translations, middle, length);
        if (order < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return NULL;
}

const char* Translated(const char* message)
{
    size_t length;
    const char* found = Lookup(message, &length);
    return found != NULL ? found : message;
}

const char* TranslatedIn(const char* context, const char* message)
{
    size_t length;
    const char* found = Lookup(std::string(context) + '\4' + message, &length);
    return found != NULL ? found : message;
}

const char* TranslatedPlural(const char* singular, const char* plural,
                             unsigned long count)
{
    const char* english = count == 1 ? singular : plural;
    size_t length;
    const char* forms = Lookup(singular, &length);
    long form = forms != NULL ? PluralForm(g_plural, count) : -1;
    if (form < 0 || static_cast<unsigned long>(form) >= g_forms)
        return english;
    const char* end = forms + length;
    for (; form > 0 && forms < end; form--)
        forms += strlen(forms) + 1;
    return forms < end ? forms : english;
}

std::string Format(const char* message,
                   std::initializer_list<std::string> arguments)
{
    std::string text;
    size_t next = 0;
    for (const char* at = message; *at != '\0'; at++) {
        bool numbered =
            at[0] == '%' && at[1] >= '1' && at[1] <= '9' && at[2] == '$';
        const char* conversion = at + (numbered ? 3 : 1);
        size_t index = numbered ? size_t(at[1] - '1') : next;
        if (at[0] == '%' && at[1] == '%') {
            text += '%';
            at++;
        } else if (at[0] == '%' && (*conversion == 's' || *conversion == 'd') &&
                   index < arguments.size()) {
            text += arguments.begin()[index];
            next += !numbered;
            at = conversion;
        } else {
            text += *at;
        }
    }
    return text;
}

std::string ListOf(const std::vector<std::string>& items)
{
    if (items.empty())
        return "";
    std::string list = items[0];
    for (size_t i = 1; i + 1 < items.size(); i++)
        list += TranslatedIn("between the items of a list", ", ") + items[i];
    if (items.size() == 1)
        return list;
    // TRANSLATORS: the last two items of a list, or the only two: "Q1 and
    // Y", "Q0, Q1 and Y".
    return Format(TranslatedIn("a list", "%1$s and %2$s"),
                  {list, items.back()});
}

// ---- The languages asked for

// A language as its catalog is named: its codeset and modifier left out,
// a territory after '_' (de_AT, as the locale has it, or de-AT, as
// Windows has it).
static std::string CatalogName(std::string language)
{
    language = language.substr(0, language.find_first_of(".@"));
    for (char& c : language) {
        if (c == '-')
            c = '_';
    }
    return language;
}

static bool IsSet(const char* value)
{
    return value != NULL && value[0] != '\0';
}

std::vector<std::string> LanguagesAsked(const char* language,
                                        const char* locale, const char* system)
{
    std::string asked = IsSet(locale) ? locale : system ? system : "";
    std::string first = CatalogName(asked.substr(0, asked.find(':')));
    if (first.empty() || first == "C" || first == "POSIX")
        return {};
    if (IsSet(language))
        asked = language;
    std::vector<std::string> names;
    for (size_t at = 0; at <= asked.size();) {
        size_t end = asked.find(':', at);
        end = end == std::string::npos ? asked.size() : end;
        std::string name = CatalogName(asked.substr(at, end - at));
        at = end + 1;
        std::string alone = name.substr(0, name.find('_'));
        if (alone == "en")
            break;
        for (const std::string& each : {name, alone}) {
            bool known = false;
            for (const std::string& given : names)
                known = known || given == each;
            if (!each.empty() && !known)
                names.push_back(each);
        }
    }
    return names;
}
