// answer.cpp: the answer's lines, and the targets their equations give.
//
// An answer is read line by line, by this grammar:
//
//   answer   = [ byte-order mark ] { line }
//   line     = [ equation ] [ "#" comment ]
//   equation = target "=" expression
//
// where lines end at LF, CRLF or a lone CR, blanks between tokens are
// free (any blank the answer is written with is read as a space, and a
// full-width form as its ASCII character: utf8.h's AsRead), a target is
// any target spelling (spelling.h) and an expression is read by
// expression.cpp.  The equations then make an answer only if no target is
// given twice, and no flip-flop is given both by J or K and by its next
// state.
#include "answer.h"

#include <string.h>

#include <algorithm>

#include "catalog.h"
#include "expression.h"
#include "lexer.h"
#include "spelling.h"
#include "utf8.h"

// The column of the byte at offset in a line already known to be UTF-8.
static Place PlaceAt(const Line& line, size_t offset)
{
    return {line, 1 + CharactersIn(line.text, offset)};
}

static const char* TargetName(Target target)
{
    return kParts[target.part].targets[target.kind];
}

// Whether every character of the line is text: UTF-8, no NUL, and no
// more of them than the longest line holds.
static bool CheckCharacters(const Line& line, Problems* problems)
{
    const char* end = line.text + line.length;
    int column = 1;
    for (const char* at = line.text; at < end; column++) {
        uint32_t point;
        int length = CharLength(at, end, &point);
        if (column > kMaxLineCharacters) {
            // TRANSLATORS: %1$d is how many characters a line may hold.
            const char* message = TranslatedPlural("the line is longer "
                                                   "than %1$d character: one "
                                                   "equation a line",
                                                   "the line is longer than "
                                                   "%1$d characters: one "
                                                   "equation a line",
                                                   kMaxLineCharacters);
            AddProblem(problems, {line, column},
                       Format(message, {std::to_string(kMaxLineCharacters)}));
            return false;
        }
        if (length == 0) {
            char byte[8];
            snprintf(byte, sizeof byte, "0x%02X", *at & 0xff);
            // TRANSLATORS: %1$s is the byte, as 0xE9.
            const char* message = Translated("a byte that is not UTF-8 "
                                             "(%1$s): save the answer as "
                                             "UTF-8");
            AddProblem(problems, {line, column}, Format(message, {byte}));
            return false;
        }
        if (point == 0) {
            AddProblem(problems, {line, column},
                       Translated("a NUL byte: save the answer as UTF-8 text"));
            return false;
        }
        at += length;
    }
    return true;
}

// Whether every character of the equation between offsets from and to can
// be seen.  A control character (a tab is a blank) or an invisible one is
// named by its code point: quoted, it would show as nothing or as a blank.
static bool CheckVisible(const Line& line, size_t from, size_t to,
                         Problems* problems)
{
    for (size_t at = from; at < to;) {
        uint32_t point;
        int length = CharLength(line.text + at, line.text + to, &point);
        bool control = IsControl(point) && point != '\t';
        if (control || IsInvisible(point)) {
            char name[16];
            snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(point));
            // TRANSLATORS: %1$s is the character's code point, as U+0007.
            const char* as_control = Translated("a control character, %1$s");
            // TRANSLATORS: %1$s is the character's code point, as U+200B, a
            // zero-width space.
            const char* as_invisible = Translated("an invisible character, "
                                                  "%1$s");
            AddProblem(problems, PlaceAt(line, at),
                       Format(control ? as_control : as_invisible, {name}));
            return false;
        }
        at += length;
    }
    return true;
}

// ---- Targets

static TargetKind KindOf(Meaning meaning)
{
    return meaning == kJ ? kTargetJ : meaning == kK ? kTargetK : kTargetShown;
}

// The target a spelling gives, in lower case and without blanks; part -1
// when none.
static Target MatchTarget(const std::string& name)
{
    for (size_t i = 0; i < kSpellingCount; i++) {
        const Spelling& spelling = kSpellings[i];
        if (IsOperator(spelling.meaning) || spelling.meaning == kName)
            continue;
        std::string form = spelling.text;
        size_t number = form.find('#');
        if (number == std::string::npos) {
            if (form == name)
                return {kOutputPart, KindOf(spelling.meaning)};
            continue;
        }
        for (int part = 0; part < kFlipFlopCount; part++) {
            form[number] = static_cast<char>('0' + part);
            if (form == name)
                return {part, KindOf(spelling.meaning)};
        }
    }
    return {-1, kTargetShown};
}

// The offset past the blanks that begin the text between offsets from and
// to.
static size_t SkipBlanks(const Line& line, size_t from, size_t to)
{
    while (from < to && IsBlank(line.text[from]))
        from++;
    return from;
}

// The offset where the blanks that end the text between offsets from and
// to begin.
static size_t EndBeforeBlanks(const Line& line, size_t from, size_t to)
{
    while (to > from && IsBlank(line.text[to - 1]))
        to--;
    return to;
}

// The text between offsets from and to, in lower case, without blanks:
// how a target is matched.
static std::string LowerWithoutBlanks(const Line& line, size_t from, size_t to)
{
    std::string lowered;
    for (size_t i = from; i < to; i++) {
        if (!IsBlank(line.text[i]))
            lowered += LowerAscii(line.text[i]);
    }
    return lowered;
}

// A line with no '=': says where it belongs, after a target if the line
// starts with one.
static void MissingEquals(const Line& line, size_t start, size_t end,
                          Problems* problems)
{
    size_t word = start;
    while (word < end && !IsBlank(line.text[word]))
        word++;
    if (MatchTarget(LowerWithoutBlanks(line, start, word)).part >= 0) {
        // TRANSLATORS: %1$s is what the answer wrote, as y or jq0.
        const char* message = Translated("expected '=' after '%1$s'");
        AddProblem(
            problems, PlaceAt(line, word),
            Format(message, {std::string(line.text + start, word - start)}));
    } else {
        AddProblem(problems, PlaceAt(line, start),
                   Translated("expected an equation, such as y = a·b'"));
    }
}

// Files the equation under its target, unless the answer already gives
// that target, or gives the flip-flop the other way.
static void Give(Answer* answer, Target target, const Place& place,
                 const Expression& expression, Problems* problems)
{
    Equation& equation = answer->given[target.part][target.kind];
    if (IsGiven(equation)) {
        // TRANSLATORS: %1$s is what an equation gives, as jq0 or y; %2$d
        // the number of the line it was first given on.
        const char* message = Translated("%1$s is given twice: first on line "
                                         "%2$d");
        AddProblem(
            problems, place,
            Format(message, {TargetName(target),
                             std::to_string(equation.place.line.number)}));
        return;
    }
    if (IsFlipFlop(target.part)) {
        bool as_shown = target.kind == kTargetShown;
        for (int kind = 0; kind < kTargetKinds; kind++) {
            const Equation& given = answer->given[target.part][kind];
            if ((kind == kTargetShown) != as_shown && IsGiven(given)) {
                // TRANSLATORS: %1$s is a flip-flop, Q0, Q1 or Q2; %2$d the
                // number of the line that gives it the other way.
                const char* message = Translated("%1$s is given by its J or "
                                                 "K and by its next state "
                                                 "(line %2$d): give one of "
                                                 "the two");
                AddProblem(
                    problems, place,
                    Format(message, {kParts[target.part].name,
                                     std::to_string(given.place.line.number)}));
                return;
            }
        }
    }
    equation = {place, expression.value,
                std::string(TargetName(target)) + " = " + expression.text};
    answer->order.push_back(target);
}

// line = [ equation ] [ "#" comment ];  equation = target "=" expression
static void ReadLine(const Line& line, Answer* answer, Problems* problems)
{
    if (!CheckCharacters(line, problems))
        return;
    const char* comment =
        static_cast<const char*>(memchr(line.text, '#', line.length));
    size_t end = EndBeforeBlanks(
        line, 0, comment != NULL ? comment - line.text : line.length);
    size_t start = SkipBlanks(line, 0, end);
    if (start == end || !CheckVisible(line, start, end, problems))
        return;
    const char* equals =
        static_cast<const char*>(memchr(line.text + start, '=', end - start));
    if (equals == NULL) {
        MissingEquals(line, start, end, problems);
        return;
    }
    size_t at = equals - line.text;
    std::string name = LowerWithoutBlanks(line, start, at);
    if (name.empty()) {
        AddProblem(problems, PlaceAt(line, at),
                   Translated("nothing before '=': write what it gives, such "
                              "as y or jq0"));
        return;
    }
    Target target = MatchTarget(name);
    size_t name_end = EndBeforeBlanks(line, start, at);
    if (target.part < 0) {
        // TRANSLATORS: %1$s is what the answer wrote before '='.
        const char* message = Translated("unknown target '%1$s': write y, J "
                                         "and K (jq0 = …, kq0 = …) or a next "
                                         "state (q0+ = …)");
        AddProblem(problems, PlaceAt(line, start),
                   Format(message,
                          {std::string(line.text + start, name_end - start)}));
        return;
    }
    std::vector<Token> tokens;
    Expression expression;
    if (!Lex(line, at + 1, end, &tokens, problems) ||
        !ReadExpression(line, tokens, PlaceAt(line, at).column, &expression,
                        problems))
        return;
    Give(answer, target, PlaceAt(line, start), expression, problems);
}

// Where the line that begins at offset `from` ends, and where the next
// one begins: past LF, CRLF or a lone CR.
static size_t LineEnd(const char* text, size_t from, size_t size)
{
    while (from < size && text[from] != '\n' && text[from] != '\r')
        from++;
    return from;
}

static size_t NextLine(const char* text, size_t end, size_t size)
{
    bool crlf = end + 1 < size && text[end] == '\r' && text[end + 1] == '\n';
    return end + (crlf ? 2 : 1);
}

bool ReadAnswer(const char* text, size_t size, Answer* answer,
                Problems* problems)
{
    *answer = Answer();
    problems->first.clear();
    problems->count = 0;
    if (size >= 2 && (memcmp(text, "\xff\xfe", 2) == 0 ||
                      memcmp(text, "\xfe\xff", 2) == 0)) {
        AddProblem(problems, {{NULL, 0, 1, NULL, 0}, 1},
                   Translated("the answer is UTF-16: save it as UTF-8"));
        return false;
    }
    size_t bom = size >= 3 && memcmp(text, "\xef\xbb\xbf", 3) == 0 ? 3 : 0;
    answer->read = AsRead(text + bom, size - bom);
    // Line by line, the answer as read beside the answer as written, whose
    // lines end alike.
    const char* read = answer->read.data();
    size_t read_size = answer->read.size();
    size_t at = 0, written_at = bom;
    for (int number = 1; at < read_size; number++) {
        size_t end = LineEnd(read, at, read_size);
        size_t written_end = LineEnd(text, written_at, size);
        ReadLine({read + at, end - at, number, text + written_at,
                  written_end - written_at},
                 answer, problems);
        at = NextLine(read, end, read_size);
        written_at = NextLine(text, written_end, size);
    }
    std::stable_sort(problems->first.begin(), problems->first.end(),
                     [](const Problem& x, const Problem& y) {
                         return x.place.line.number < y.place.line.number;
                     });
    if (problems->first.size() > static_cast<size_t>(kMaxProblemsKept))
        problems->first.resize(kMaxProblemsKept);
    return problems->count == 0;
}
