// spelling.cpp: the notation's table.
#include "spelling.h"

#include <string.h>

#include <string>

#include "catalog.h"
#include "utf8.h"

// The names' values.
static const TruthTable kA = CasesWhereOn(&Circuit::a);
static const TruthTable kB = CasesWhereOn(&Circuit::b);
static const TruthTable kQ0 = CasesWhereOn(&Circuit::q0);
static const TruthTable kQ1 = CasesWhereOn(&Circuit::q1);
static const TruthTable kQ2 = CasesWhereOn(&Circuit::q2);

// A symbol or a name that begins with another of its kind comes before
// it, as the lexer takes the first that matches (checked below).
// A table in columns under its header, which clang-format would undo.
// clang-format off
constexpr Spelling kSpellings[] = {
//   text       meaning     value       documented
    {"·",       kAnd,       0,          true },
    {"⋅",       kAnd,       0,          false},
    {"*",       kAnd,       0,          true },
    {"&&",      kAnd,       0,          true },
    {"&",       kAnd,       0,          true },
    {"∧",       kAnd,       0,          true },
    {".",       kAnd,       0,          false},
    {"+",       kOr,        0,          true },
    {"||",      kOr,        0,          true },
    {"|",       kOr,        0,          true },
    {"∨",       kOr,        0,          true },
    {"^",       kXor,       0,          true },
    {"⊕",       kXor,       0,          true },
    {"⊙",       kXnor,      0,          true },
    {"'",       kNotAfter,  0,          true },
    {"’",       kNotAfter,  0,          false},
    {"!",       kNotBefore, 0,          true },
    {"~",       kNotBefore, 0,          true },
    {"¬",       kNotBefore, 0,          true },
    {"(",       kOpen,      0,          true },
    {")",       kClose,     0,          true },
    {"and",     kAnd,       0,          true },
    {"or",      kOr,        0,          true },
    {"xor",     kXor,       0,          true },
    {"xnor",    kXnor,      0,          true },
    {"not",     kNotBefore, 0,          true },
    {"a",       kName,      kA,         true },
    {"b",       kName,      kB,         true },
    {"q0",      kName,      kQ0,        true },
    {"q1",      kName,      kQ1,        true },
    {"q2",      kName,      kQ2,        true },
    {"0",       kName,      0,          true },
    {"1",       kName,      kEveryCase, true },
    {"jq#",     kJ,         0,          true },
    {"j#",      kJ,         0,          true },
    {"j_#",     kJ,         0,          true },
    {"j_q#",    kJ,         0,          false},
    {"kq#",     kK,         0,          true },
    {"k#",      kK,         0,          true },
    {"k_#",     kK,         0,          true },
    {"k_q#",    kK,         0,          false},
    {"q#+",     kShown,     0,          true },
    {"q#*",     kShown,     0,          true },
    {"q#(t+1)", kShown,     0,          true },
    {"d#",      kShown,     0,          true },
    {"y",       kShown,     0,          true },
};
// clang-format on
const size_t kSpellingCount = sizeof kSpellings / sizeof kSpellings[0];

static constexpr bool IsPrefix(const char* prefix, const char* text)
{
    while (*prefix != '\0' && *prefix == *text)
        prefix++, text++;
    return *prefix == '\0';
}

// Whether a row can never be read, because an earlier row of its kind
// (symbols, or names) takes its first characters.
static constexpr bool SomeRowIsShadowed()
{
    for (size_t later = 0; later < kSpellingCount; later++) {
        for (size_t earlier = 0; earlier < later; earlier++) {
            const Spelling& e = kSpellings[earlier];
            const Spelling& l = kSpellings[later];
            bool symbols = IsOperator(e.meaning) && IsOperator(l.meaning) &&
                           !IsWordChar(e.text[0]) && !IsWordChar(l.text[0]);
            bool names = e.meaning == kName && l.meaning == kName;
            if ((symbols || names) && IsPrefix(e.text, l.text))
                return true;
        }
    }
    return false;
}
static_assert(!SomeRowIsShadowed(), "every spelling can be read");

// The lines of the notation as the documents show it, one for each
// meaning, in this order: the line, with the documented spellings of its
// two meanings (the same twice for most; in a target, of flip-flops or
// not) in its place.
struct NotationLine {
    const char* line;
    Meaning meanings[2];
    bool numbered;
};

// Each line a message.
static const NotationLine kNotation[] = {
    // TRANSLATORS: a line of the notation that --help, the manual and the
    // page teach; %1$s is the spellings an answer may write, as they are.
    // The words AND, OR, XOR, XNOR and NOT are among them: keep them so in
    // the lines too, and q0, q1, q2.
    {ForTranslation("output: %1$s"), {kShown, kShown}, false},
    {ForTranslation("J and K: %1$s, and so for q1 and q2"), {kJ, kK}, true},
    {ForTranslation("next state: %1$s, and so for q1 and q2"),
     {kShown, kShown},
     true},
    {ForTranslation("names: %1$s, in any case, as are the words below"),
     {kName, kName},
     false},
    {ForTranslation("AND: %1$s, or two names side by side"),
     {kAnd, kAnd},
     false},
    {ForTranslation("OR: %1$s"), {kOr, kOr}, false},
    {ForTranslation("XOR: %1$s, in parentheses beside AND or OR"),
     {kXor, kXor},
     false},
    {ForTranslation("XNOR: %1$s, in parentheses beside AND or OR"),
     {kXnor, kXnor},
     false},
    {ForTranslation("NOT before: %1$s"), {kNotBefore, kNotBefore}, false},
    {ForTranslation("NOT after: %1$s"), {kNotAfter, kNotAfter}, false},
    {ForTranslation("parentheses: %1$s, to group"), {kOpen, kClose}, false},
};

std::string AsTaught(const Spelling& spelling)
{
    std::string taught = spelling.text;
    for (char& c : taught) {
        if (c == '#')
            c = '0';
        else if (IsOperator(spelling.meaning) && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return taught;
}

std::vector<std::string> NotationLines()
{
    std::vector<std::string> lines;
    for (const NotationLine& line : kNotation) {
        std::string spellings;
        for (size_t i = 0; i < kSpellingCount; i++) {
            const Spelling& spelling = kSpellings[i];
            bool numbered = strchr(spelling.text, '#') != NULL;
            if (spelling.documented && numbered == line.numbered &&
                (spelling.meaning == line.meanings[0] ||
                 spelling.meaning == line.meanings[1]))
                spellings +=
                    (spellings.empty() ? "" : " ") + AsTaught(spelling);
        }
        lines.push_back(Format(Translated(line.line), {spellings}));
    }
    return lines;
}

void PrintNotation(FILE* out, const char* indent)
{
    for (const std::string& line : NotationLines())
        fprintf(out, "%s%s\n", indent, line.c_str());
}

bool BeginsWith(const char* text, size_t length, const Spelling& spelling)
{
    const char* pattern = spelling.text;
    for (size_t i = 0; pattern[i] != '\0'; i++) {
        if (i == length || LowerAscii(text[i]) != pattern[i])
            return false;
    }
    return true;
}
