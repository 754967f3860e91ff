// reader.cpp: the answer's lines, their targets and expressions, and the
// places where they cannot be read.
#include "reader.h"

#include <string.h>

#include <algorithm>

// One line of the answer, without its line end.
struct Line {
    const char* text;
    size_t length;
    int number;
};

// ---- Characters

// The length of the UTF-8 character at `at`, never reaching end, and its
// code point; 0 where the bytes are no UTF-8: a stray continuation byte,
// a sequence cut short, an overlong form, a surrogate, or past U+10FFFF.
static int CharLength(const char* from, const char* end, uint32_t* point)
{
    const unsigned char* at = reinterpret_cast<const unsigned char*>(from);
    int length;
    uint32_t value, least;
    if (at[0] < 0x80) {
        *point = at[0];
        return 1;
    } else if (at[0] >= 0xc2 && at[0] <= 0xdf) {
        length = 2, value = at[0] & 0x1f, least = 0x80;
    } else if ((at[0] & 0xf0) == 0xe0) {
        length = 3, value = at[0] & 0x0f, least = 0x800;
    } else if (at[0] >= 0xf0 && at[0] <= 0xf4) {
        length = 4, value = at[0] & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (end - from < length)
        return 0;
    for (int i = 1; i < length; i++) {
        if ((at[i] & 0xc0) != 0x80)
            return 0;
        value = value << 6 | (at[i] & 0x3f);
    }
    if (value < least || value > 0x10ffff ||
        (value >= 0xd800 && value <= 0xdfff))
        return 0;
    *point = value;
    return length;
}

// How many characters length bytes of UTF-8 hold: every byte but the
// continuation bytes begins one.
static int CharactersIn(const char* text, size_t length)
{
    int characters = 0;
    for (size_t i = 0; i < length; i++)
        characters += (text[i] & 0xc0) != 0x80;
    return characters;
}

// The column of the byte at offset in a line already known to be UTF-8.
static int ColumnAt(const Line& line, size_t offset)
{
    return 1 + CharactersIn(line.text, offset);
}

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

static void AddProblem(Problems* problems, const Line& line, int column,
                       const std::string& message)
{
    problems->count++;
    if (problems->first.size() < static_cast<size_t>(kMaxProblemsKept))
        problems->first.push_back({
            {line.number, column, line.text, line.length},
            message
        });
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
            AddProblem(problems, line, column,
                       "the line is longer than " +
                           std::to_string(kMaxLineCharacters) +
                           " characters: one equation a line");
            return false;
        }
        if (length == 0) {
            char byte[8];
            snprintf(byte, sizeof byte, "0x%02X", *at & 0xff);
            AddProblem(problems, line, column,
                       std::string("a byte that is not UTF-8 (") + byte +
                           "): save the answer as UTF-8");
            return false;
        }
        if (point == 0) {
            AddProblem(problems, line, column,
                       "a NUL byte: save the answer as UTF-8 text");
            return false;
        }
        at += length;
    }
    return true;
}

// ---- Tokens

enum TokenKind {
    kValue, // a name or a constant
    kAnd,
    kOr,
    kXor,
    kNotBefore, // a NOT written before what it negates
    kNotAfter,  // a NOT written after it
    kOpen,
    kClose,
    kEnd
};

struct Token {
    TokenKind kind;
    int column;
    std::string spelling; // as written, for messages
    Cases value;          // of a kValue
    const char* name;     // of a kValue, in the panel's notation
};

// The operators in each of the spellings taken, longest first where one
// begins another.
struct Spelling {
    const char* text;
    TokenKind kind;
};

static const Spelling kOperators[] = {
    {"&&",  kAnd      },
    {"||",  kOr       },
    {"·",  kAnd      },
    {"⋅", kAnd      },
    {"*",   kAnd      },
    {"&",   kAnd      },
    {"∧", kAnd      },
    {".",   kAnd      },
    {"+",   kOr       },
    {"|",   kOr       },
    {"∨", kOr       },
    {"^",   kXor      },
    {"⊕", kXor      },
    {"'",   kNotAfter },
    {"’", kNotAfter },
    {"!",   kNotBefore},
    {"~",   kNotBefore},
    {"¬",  kNotBefore},
    {"(",   kOpen     },
    {")",   kClose    },
    {"and", kAnd      },
    {"or",  kOr       },
    {"xor", kXor      },
    {"not", kNotBefore},
};

// The names an expression may use, each with its truth table.
struct Name {
    const char* text;
    Cases value;
};

static const Name kNames[] = {
    {"a",  LitIn(kLampA)         },
    {"b",  LitIn(kLampB)         },
    {"q0", LitIn(FlipFlopLamp(0))},
    {"q1", LitIn(FlipFlopLamp(1))},
    {"q2", LitIn(FlipFlopLamp(2))},
    {"0",  0                     },
    {"1",  ~Cases(0)             },
};

static bool IsWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == '_';
}

// Whether text (length bytes) begins with pattern, letters in any case.
static bool StartsWith(const char* text, size_t length, const char* pattern)
{
    size_t i = 0;
    for (; pattern[i] != '\0'; i++) {
        if (i == length || Lower(text[i]) != pattern[i])
            return false;
    }
    return true;
}

// A word: an operator spelt out, or names side by side ("aq1" is a and
// q1, as the names are known).  False when it is neither.
static bool LexWord(const char* word, size_t length, int column,
                    std::vector<Token>* tokens)
{
    for (const Spelling& op : kOperators) {
        if (strlen(op.text) == length && StartsWith(word, length, op.text)) {
            tokens->push_back({op.kind, column, op.text, 0, NULL});
            return true;
        }
    }
    size_t before = tokens->size();
    for (size_t at = 0; at < length;) {
        const Name* found = NULL;
        for (const Name& name : kNames) {
            if (StartsWith(word + at, length - at, name.text)) {
                found = &name;
                break;
            }
        }
        if (found == NULL) {
            tokens->resize(before);
            return false;
        }
        tokens->push_back({kValue, column + static_cast<int>(at), found->text,
                           found->value, found->text});
        at += strlen(found->text);
    }
    return true;
}

// The tokens of the expression between offsets from and to of the line.
// Every character moves the column on by one, whatever its bytes.
static bool Lex(const Line& line, size_t from, size_t to,
                std::vector<Token>* tokens, Problems* problems)
{
    int column = ColumnAt(line, from);
    for (size_t at = from; at < to;) {
        const char* here = line.text + at;
        size_t length = 1;
        if (IsWordChar(*here)) {
            while (at + length < to && IsWordChar(here[length]))
                length++;
            if (!LexWord(here, length, column, tokens)) {
                AddProblem(problems, line, column,
                           "unknown name '" + std::string(here, length) +
                               "': the names are a, b, q0, q1, q2, 0 and 1");
                return false;
            }
        } else if (!IsBlank(*here)) {
            const Spelling* found = NULL;
            for (const Spelling& op : kOperators) {
                if (!IsWordChar(op.text[0]) &&
                    StartsWith(here, to - at, op.text)) {
                    found = &op;
                    break;
                }
            }
            uint32_t point;
            length = CharLength(here, line.text + to, &point);
            if (found == NULL) {
                AddProblem(problems, line, column,
                           *here == '=' ? "a second '=': one equation a line"
                           : point < 0x20 || (point >= 0x7f && point < 0xa0)
                               ? "a control character"
                               : "unexpected '" + std::string(here, length) +
                                     "'");
                return false;
            }
            tokens->push_back({found->kind, column, found->text, 0, NULL});
            length = strlen(found->text);
        }
        column += CharactersIn(here, length);
        at += length;
    }
    tokens->push_back({kEnd, column, "", 0, NULL});
    return true;
}

// ---- Expressions

// How an expression reads at its top: a name, a constant or a negation;
// an AND; an OR; an XOR.  The text in the panel's notation needs
// parentheses only where the shapes meet without a rule between them.
enum Shape { kAtom, kProduct, kSum, kExclusive };

struct Value {
    Cases cases;
    std::string text;
    Shape shape;
};

static bool NeedsParentheses(Shape inner, Shape outer)
{
    switch (outer) {
    case kAtom: // negated
        return inner != kAtom;
    case kProduct:
        return inner == kSum || inner == kExclusive;
    case kSum:
        return inner == kExclusive;
    case kExclusive:
        return inner == kProduct || inner == kSum;
    }
    return true;
}

static std::string TextWithin(const Value& value, Shape outer)
{
    return NeedsParentheses(value.shape, outer) ? "(" + value.text + ")"
                                                : value.text;
}

// left becomes left op right, its text growing in place.
static void Combine(Value* left, const char* op, const Value& right,
                    Shape shape)
{
    if (NeedsParentheses(left->shape, shape))
        left->text = "(" + left->text + ")";
    left->text += op;
    left->text += TextWithin(right, shape);
    left->shape = shape;
}

struct Parser {
    const Line* line;
    const std::vector<Token>* tokens;
    size_t next;
    int depth;
    int equals_column;
    Problems* problems;
};

static const Token& Peek(const Parser* p)
{
    return (*p->tokens)[p->next];
}

static const Token& Take(Parser* p)
{
    return (*p->tokens)[p->next++];
}

static bool StartsOperand(TokenKind kind)
{
    return kind == kValue || kind == kOpen || kind == kNotBefore;
}

static bool Fail(Parser* p, int column, const std::string& message)
{
    AddProblem(p->problems, *p->line, column, message);
    return false;
}

// Says what stands where a name, a constant or '(' should, after the
// token `after` (null at the start of the expression).
static bool MissingOperand(Parser* p, const Token* after)
{
    const Token& here = Peek(p);
    if (after == NULL && here.kind == kEnd)
        return Fail(p, p->equals_column, "nothing after '='");
    if (here.kind == kEnd)
        return Fail(p, after->column,
                    "'" + after->spelling + "' has nothing after it");
    if (after != NULL && after->kind == kOpen && here.kind == kClose)
        return Fail(p, after->column, "'()' holds nothing");
    if (after == NULL || after->kind == kOpen)
        return Fail(p, here.column,
                    "'" + here.spelling + "' has nothing before it");
    return Fail(p, here.column,
                "expected a name, 0, 1 or '(' after '" + after->spelling +
                    "', not '" + here.spelling + "'");
}

static bool ParseEither(Parser* p, Value* value, const Token* after);

static bool ParsePrimary(Parser* p, Value* value, const Token* after)
{
    if (Peek(p).kind == kValue) {
        const Token& name = Take(p);
        *value = {name.value, name.name, kAtom};
        return true;
    }
    if (Peek(p).kind != kOpen)
        return MissingOperand(p, after);
    const Token& open = Take(p);
    if (++p->depth > kMaxNesting)
        return Fail(p, open.column,
                    "parentheses nested deeper than " +
                        std::to_string(kMaxNesting));
    if (!ParseEither(p, value, &open))
        return false;
    if (Peek(p).kind != kClose)
        return Fail(p, open.column, "this '(' is never closed");
    Take(p);
    p->depth--;
    return true;
}

// NOTs bind tightest, before or after what they negate.
static bool ParseFactor(Parser* p, Value* value, const Token* after)
{
    int negations = 0;
    while (Peek(p).kind == kNotBefore) {
        after = &Take(p);
        negations++;
    }
    if (!ParsePrimary(p, value, after))
        return false;
    while (Peek(p).kind == kNotAfter) {
        Take(p);
        negations++;
    }
    for (int i = 0; i < negations; i++) {
        value->text = TextWithin(*value, kAtom) + "'";
        value->cases = ~value->cases;
        value->shape = kAtom;
    }
    return true;
}

// Factors joined by AND, written or implied by putting them side by side;
// *first_and is the column of the first AND, if there is one.
static bool ParseTerm(Parser* p, Value* value, const Token* after,
                      int* first_and)
{
    if (!ParseFactor(p, value, after))
        return false;
    for (;;) {
        const Token* op = NULL;
        if (Peek(p).kind == kAnd)
            op = &Take(p);
        else if (!StartsOperand(Peek(p).kind))
            return true;
        if (*first_and == 0)
            *first_and = op != NULL ? op->column : Peek(p).column;
        Value right;
        if (!ParseFactor(p, &right, op))
            return false;
        value->cases &= right.cases;
        Combine(value, "·", right, kProduct);
    }
}

// Terms joined by OR, or by XOR; XOR beside AND or OR without parentheses
// is refused rather than guessed.
static bool ParseEither(Parser* p, Value* value, const Token* after)
{
    int first_xor = 0, first_other = 0;
    if (!ParseTerm(p, value, after, &first_other))
        return false;
    while (Peek(p).kind == kOr || Peek(p).kind == kXor) {
        const Token& op = Take(p);
        bool exclusive = op.kind == kXor;
        int& first = exclusive ? first_xor : first_other;
        if (first == 0)
            first = op.column;
        Value right;
        int right_and = 0;
        if (!ParseTerm(p, &right, &op, &right_and))
            return false;
        if (first_other == 0)
            first_other = right_and;
        value->cases =
            exclusive ? value->cases ^ right.cases : value->cases | right.cases;
        Combine(value, exclusive ? " ⊕ " : " + ", right,
                exclusive ? kExclusive : kSum);
    }
    if (first_xor != 0 && first_other != 0)
        return Fail(p, std::max(first_xor, first_other),
                    "XOR beside AND or OR: add parentheses to say which "
                    "comes first");
    return true;
}

// ---- Targets

// The targets' spellings: '#' stands for the flip-flop's number.
struct TargetSpelling {
    const char* form;
    TargetKind kind;
};

static const TargetSpelling kTargetSpellings[] = {
    {"jq#",     kTargetJ   },
    {"j#",      kTargetJ   },
    {"j_#",     kTargetJ   },
    {"j_q#",    kTargetJ   },
    {"kq#",     kTargetK   },
    {"k#",      kTargetK   },
    {"k_#",     kTargetK   },
    {"k_q#",    kTargetK   },
    {"q#+",     kTargetNext},
    {"q#*",     kTargetNext},
    {"q#(t+1)", kTargetNext},
    {"d#",      kTargetNext},
};

// Each target as the report writes it, in the order of TargetOf.
static const char* const kTargetNames[kTargetCount] = {
    "jq0", "kq0", "q0+", "jq1", "kq1", "q1+", "jq2", "kq2", "q2+", "y"};

// The target a name (in lower case, without blanks) gives, or -1.
static int MatchTarget(const std::string& name)
{
    if (name == "y")
        return kTargetY;
    for (const TargetSpelling& spelling : kTargetSpellings) {
        for (int flip_flop = 0; flip_flop < kFlipFlopCount; flip_flop++) {
            std::string form = spelling.form;
            form[form.find('#')] = static_cast<char>('0' + flip_flop);
            if (form == name)
                return TargetOf(flip_flop, spelling.kind);
        }
    }
    return -1;
}

// The text between offsets from and to, without blanks, in lower case.
static std::string Squeezed(const Line& line, size_t from, size_t to)
{
    std::string squeezed;
    for (size_t i = from; i < to; i++) {
        if (!IsBlank(line.text[i]))
            squeezed += Lower(line.text[i]);
    }
    return squeezed;
}

// A line with no '=': says where it belongs, after a target if the line
// starts with one.
static void MissingEquals(const Line& line, size_t start, size_t end,
                          Problems* problems)
{
    size_t word = start;
    while (word < end && !IsBlank(line.text[word]))
        word++;
    if (MatchTarget(Squeezed(line, start, word)) >= 0)
        AddProblem(problems, line, ColumnAt(line, word),
                   "expected '=' after '" +
                       std::string(line.text + start, word - start) + "'");
    else
        AddProblem(problems, line, ColumnAt(line, start),
                   "expected an equation, such as y = a·b'");
}

// Files the equation under its target, unless the answer already gives
// that target, or gives the flip-flop the other way.
static void Give(Answer* answer, int target, const Place& place,
                 const Value& value, const Line& line, Problems* problems)
{
    Equation& equation = answer->targets[target];
    if (equation.place.line != 0) {
        AddProblem(problems, line, place.column,
                   std::string(kTargetNames[target]) +
                       " is given twice: first on line " +
                       std::to_string(equation.place.line));
        return;
    }
    if (target != kTargetY) {
        int flip_flop = target / 3;
        bool as_next = target % 3 == kTargetNext;
        for (int other = 0; other < 3; other++) {
            const Equation& given =
                answer->targets[TargetOf(flip_flop, TargetKind(other))];
            if ((other == kTargetNext) != as_next && given.place.line != 0) {
                AddProblem(problems, line, place.column,
                           "q" + std::to_string(flip_flop) +
                               " is given as J and K and as its next state "
                               "(line " +
                               std::to_string(given.place.line) +
                               "): give one of them");
                return;
            }
        }
    }
    equation = {place, value.cases,
                std::string(kTargetNames[target]) + " = " + value.text};
    answer->order.push_back(target);
}

static void ReadLine(const Line& line, Answer* answer, Problems* problems)
{
    if (!CheckCharacters(line, problems))
        return;
    const char* comment =
        static_cast<const char*>(memchr(line.text, '#', line.length));
    size_t end = comment != NULL ? comment - line.text : line.length;
    while (end > 0 && IsBlank(line.text[end - 1]))
        end--;
    size_t start = 0;
    while (start < end && IsBlank(line.text[start]))
        start++;
    if (start == end)
        return;
    const char* equals =
        static_cast<const char*>(memchr(line.text + start, '=', end - start));
    if (equals == NULL) {
        MissingEquals(line, start, end, problems);
        return;
    }
    size_t at = equals - line.text;
    std::string name = Squeezed(line, start, at);
    if (name.empty()) {
        AddProblem(problems, line, ColumnAt(line, at),
                   "nothing before '=': write what it gives, such as y or "
                   "jq0");
        return;
    }
    int target = MatchTarget(name);
    size_t name_end = at;
    while (IsBlank(line.text[name_end - 1]))
        name_end--;
    if (target < 0) {
        AddProblem(problems, line, ColumnAt(line, start),
                   "unknown target '" +
                       std::string(line.text + start, name_end - start) +
                       "': write y, J and K (jq0 = …, kq0 = …) or a next "
                       "state (q0+ = …)");
        return;
    }
    std::vector<Token> tokens;
    if (!Lex(line, at + 1, end, &tokens, problems))
        return;
    Parser parser = {&line, &tokens, 0, 0, ColumnAt(line, at), problems};
    Value value;
    if (!ParseEither(&parser, &value, NULL))
        return;
    if (Peek(&parser).kind == kClose) {
        AddProblem(problems, line, Peek(&parser).column,
                   "')' has no '(' to close");
        return;
    }
    Place place = {line.number, ColumnAt(line, start), line.text, line.length};
    Give(answer, target, place, value, line, problems);
}

// ---- The answer

bool ReadAnswer(const char* text, size_t size, Answer* answer,
                Problems* problems)
{
    *answer = Answer();
    problems->first.clear();
    problems->count = 0;
    if (size >= 2 && (memcmp(text, "\xff\xfe", 2) == 0 ||
                      memcmp(text, "\xfe\xff", 2) == 0)) {
        problems->count = 1;
        problems->first.push_back({
            {1, 1, NULL, 0},
            "the answer is UTF-16: save it as UTF-8"
        });
        return false;
    }
    size_t at = size >= 3 && memcmp(text, "\xef\xbb\xbf", 3) == 0 ? 3 : 0;
    for (int number = 1; at < size; number++) {
        size_t end = at;
        while (end < size && text[end] != '\n' && text[end] != '\r')
            end++;
        ReadLine({text + at, end - at, number}, answer, problems);
        // A line ends at LF, CRLF or a lone CR.
        at = end + 1;
        if (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n')
            at++;
    }

    // A flip-flop given by J and K needs both; the one given stands
    // among the line problems in the answer's order.
    for (int flip_flop = 0; flip_flop < kFlipFlopCount; flip_flop++) {
        int j = TargetOf(flip_flop, kTargetJ),
            k = TargetOf(flip_flop, kTargetK);
        for (int given : {j, k}) {
            int other = given == j ? k : j;
            const Place& place = answer->targets[given].place;
            if (place.line != 0 && answer->targets[other].place.line == 0) {
                problems->count++;
                problems->first.push_back(
                    {place, std::string(kTargetNames[given]) +
                                " is given without " + kTargetNames[other]});
            }
        }
    }
    std::stable_sort(problems->first.begin(), problems->first.end(),
                     [](const Problem& x, const Problem& y) {
                         return x.place.line < y.place.line;
                     });
    if (problems->first.size() > static_cast<size_t>(kMaxProblemsKept))
        problems->first.resize(kMaxProblemsKept);
    return problems->count == 0;
}

// ---- The problems, as the player sees them

// At most this many characters of a line are shown, around the place.
static const int kShownCharacters = 80;

// The line as it can be shown: each character one column, where a byte
// that is no UTF-8 or a control character shows as '?' and a tab as a
// blank; `from` and `to` count characters.
static void PrintLineCharacters(const Place& place, int from, int to, FILE* out)
{
    const char* at = place.line_text;
    const char* end = at + place.line_length;
    for (int index = 0; at < end && index < to; index++) {
        uint32_t point = '?';
        int length = CharLength(at, end, &point);
        if (index >= from) {
            if (point == '\t')
                fputc(' ', out);
            else if (length == 0 || point < 0x20 ||
                     (point >= 0x7f && point < 0xa0))
                fputc('?', out);
            else
                fwrite(at, 1, length, out);
        }
        at += length > 0 ? length : 1;
    }
}

static void QuoteLine(const Place& place, FILE* out)
{
    int characters = 0;
    const char* end = place.line_text + place.line_length;
    for (const char* at = place.line_text; at < end; characters++) {
        uint32_t point;
        int length = CharLength(at, end, &point);
        at += length > 0 ? length : 1;
    }
    int from = 0;
    if (characters > kShownCharacters)
        from = std::max(0, std::min(place.column - 1 - kShownCharacters / 2,
                                    characters - kShownCharacters));
    int to = from + kShownCharacters;
    fputs("  ", out);
    if (from > 0)
        fputs("…", out);
    PrintLineCharacters(place, from, to, out);
    if (to < characters)
        fputs("…", out);
    fprintf(out, "\n  %*s^\n", place.column - 1 - from + (from > 0), "");
}

void PrintProblems(const Problems& problems, const char* name, FILE* out)
{
    for (const Problem& problem : problems.first) {
        fprintf(out, "%s:%d:%d: %s\n", name, problem.place.line,
                problem.place.column, problem.message.c_str());
        if (problem.place.line_text != NULL)
            QuoteLine(problem.place, out);
    }
    if (problems.count > static_cast<int>(problems.first.size()))
        fprintf(out, "and %d more\n",
                problems.count - static_cast<int>(problems.first.size()));
}
