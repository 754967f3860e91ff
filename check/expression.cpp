// expression.cpp: the expression grammar, its reader and its printer.
//
// The reader follows the grammar one function a rule:
//
//   expression = term { ( OR | XOR | XNOR ) term }
//   term       = factor { [ AND ] factor }
//   factor     = { NOT-before } primary { NOT-after }
//   primary    = name | "(" expression ")"
//
// Each operator is any of its spellings (spelling.h), and a name stands
// for the constants 0 and 1 too.  So NOT binds tightest, then AND, which
// may also be written by putting two factors side by side, then OR, XOR
// and XNOR, which take equal turns from the left.  An expression that puts
// XOR or XNOR beside AND or OR without parentheses is refused rather than
// guessed; XOR and XNOR side by side need none, as they give the same in
// either order.
#include "expression.h"

#include <algorithm>

#include "catalog.h"

// The operator an expression's text shows outermost, which decides where
// it needs parentheses inside another: a name, a constant or a negation
// shows none.
enum OuterOperator { kNoOperator, kOuterAnd, kOuterOr, kOuterXor };

// An expression as it is built: its outermost operator travels with it.
struct Reading {
    Expression expression;
    OuterOperator outer;
};

struct Parser {
    const Line* line;
    const std::vector<Token>* tokens;
    size_t next;
    int depth;
    int equals_column;
    Problems* problems;
};

// ---- The printer

// Whether an expression with inner outermost needs parentheses as an
// operand of outer, the parentheses between XOR and AND or OR included,
// which no rule of precedence makes plain to every reader.
static bool NeedsParentheses(OuterOperator inner, OuterOperator outer)
{
    switch (outer) {
    case kNoOperator: // negated
        return inner != kNoOperator;
    case kOuterAnd:
        return inner == kOuterOr || inner == kOuterXor;
    case kOuterOr:
        return inner == kOuterXor;
    case kOuterXor:
        return inner == kOuterAnd || inner == kOuterOr;
    }
    return true;
}

static std::string TextWithin(const Reading& reading, OuterOperator outer)
{
    const std::string& text = reading.expression.text;
    return NeedsParentheses(reading.outer, outer) ? "(" + text + ")" : text;
}

// left becomes left op right, its text growing in place.
static void Join(Reading* left, const char* op, const Reading& right,
                 OuterOperator joined)
{
    std::string& text = left->expression.text;
    if (NeedsParentheses(left->outer, joined))
        text = "(" + text + ")";
    text += op;
    text += TextWithin(right, joined);
    left->outer = joined;
}

static void Negate(Reading* reading)
{
    reading->expression.text = TextWithin(*reading, kNoOperator) + "'";
    reading->expression.value = ~reading->expression.value;
    reading->outer = kNoOperator;
}

// ---- The reader

static const Token& Peek(const Parser* p)
{
    return (*p->tokens)[p->next];
}

static const Token& Take(Parser* p)
{
    return (*p->tokens)[p->next++];
}

static bool At(const Parser* p, Meaning meaning)
{
    return Peek(p).spelling != NULL && Peek(p).spelling->meaning == meaning;
}

static bool AtEnd(const Parser* p)
{
    return Peek(p).spelling == NULL;
}

static bool Fail(Parser* p, int column, const std::string& message)
{
    AddProblem(p->problems, {*p->line, column}, message);
    return false;
}

// Says what stands where a name, a constant or '(' should, after the
// token `after` (null at the start of the expression).
static bool MissingOperand(Parser* p, const Token* after)
{
    const Token& here = Peek(p);
    if (after == NULL && AtEnd(p))
        return Fail(p, p->equals_column, Translated("nothing after '='"));
    if (AtEnd(p)) {
        // TRANSLATORS: %1$s is an operator or a parenthesis as the answer
        // wrote it, as + or AND.
        const char* message = Translated("'%1$s' has nothing after it");
        return Fail(p, after->column, Format(message, {after->spelling->text}));
    }
    if (after != NULL && after->spelling->meaning == kOpen && At(p, kClose))
        return Fail(p, after->column, Translated("'()' holds nothing"));
    if (after == NULL || after->spelling->meaning == kOpen) {
        // TRANSLATORS: %1$s is an operator or a parenthesis as the answer
        // wrote it, as + or ).
        const char* message = Translated("'%1$s' has nothing before it");
        return Fail(p, here.column, Format(message, {here.spelling->text}));
    }
    // TRANSLATORS: %1$s and %2$s are operators or parentheses as the
    // answer wrote them, as + or NOT.
    const char* message = Translated("expected a name, 0, 1 or '(' after "
                                     "'%1$s', not '%2$s'");
    return Fail(p, here.column,
                Format(message, {after->spelling->text, here.spelling->text}));
}

static bool ParseExpression(Parser* p, Reading* reading, const Token* after);

// primary = name | "(" expression ")"
static bool ParsePrimary(Parser* p, Reading* reading, const Token* after)
{
    if (At(p, kName)) {
        const Spelling& name = *Take(p).spelling;
        *reading = {{name.value, name.text}, kNoOperator};
        return true;
    }
    if (!At(p, kOpen))
        return MissingOperand(p, after);
    const Token& open = Take(p);
    if (++p->depth > kMaxNesting) {
        // TRANSLATORS: %1$d is how deep parentheses may be nested.
        const char* message = Translated("parentheses nested deeper than %1$d");
        return Fail(p, open.column,
                    Format(message, {std::to_string(kMaxNesting)}));
    }
    if (!ParseExpression(p, reading, &open))
        return false;
    if (!At(p, kClose))
        return Fail(p, open.column, Translated("this '(' is never closed"));
    Take(p);
    p->depth--;
    return true;
}

// factor = { NOT-before } primary { NOT-after }
static bool ParseFactor(Parser* p, Reading* reading, const Token* after)
{
    int negations = 0;
    while (At(p, kNotBefore)) {
        after = &Take(p);
        negations++;
    }
    if (!ParsePrimary(p, reading, after))
        return false;
    while (At(p, kNotAfter)) {
        Take(p);
        negations++;
    }
    for (int i = 0; i < negations; i++)
        Negate(reading);
    return true;
}

static bool StartsFactor(const Parser* p)
{
    return At(p, kName) || At(p, kOpen) || At(p, kNotBefore);
}

// term = factor { [ AND ] factor }
// *first_and is the column of the term's first AND, if there is one.
static bool ParseTerm(Parser* p, Reading* reading, const Token* after,
                      int* first_and)
{
    if (!ParseFactor(p, reading, after))
        return false;
    for (;;) {
        const Token* op = NULL;
        if (At(p, kAnd))
            op = &Take(p);
        else if (!StartsFactor(p))
            return true;
        if (*first_and == 0)
            *first_and = op != NULL ? op->column : Peek(p).column;
        Reading right;
        if (!ParseFactor(p, &right, op))
            return false;
        reading->expression.value &= right.expression.value;
        Join(reading, "·", right, kOuterAnd);
    }
}

// expression = term { ( OR | XOR | XNOR ) term }
static bool ParseExpression(Parser* p, Reading* reading, const Token* after)
{
    int first_xor = 0, first_other = 0;
    if (!ParseTerm(p, reading, after, &first_other))
        return false;
    while (At(p, kOr) || At(p, kXor) || At(p, kXnor)) {
        const Token& op = Take(p);
        Meaning meaning = op.spelling->meaning;
        bool exclusive = meaning != kOr;
        int& first = exclusive ? first_xor : first_other;
        if (first == 0)
            first = op.column;
        Reading right;
        int right_and = 0;
        if (!ParseTerm(p, &right, &op, &right_and))
            return false;
        if (first_other == 0)
            first_other = right_and;
        TruthTable& value = reading->expression.value;
        TruthTable other = right.expression.value;
        value = meaning == kOr    ? value | other
                : meaning == kXor ? value ^ other
                                  : ~(value ^ other);
        Join(reading,
             meaning == kOr    ? " + "
             : meaning == kXor ? " ⊕ "
                               : " ⊙ ",
             right, exclusive ? kOuterXor : kOuterOr);
    }
    if (first_xor != 0 && first_other != 0)
        return Fail(p, std::max(first_xor, first_other),
                    Translated("XOR or XNOR beside AND or OR: add "
                               "parentheses to say which comes first"));
    return true;
}

bool ReadExpression(const Line& line, const std::vector<Token>& tokens,
                    int equals_column, Expression* expression,
                    Problems* problems)
{
    Parser parser = {&line, &tokens, 0, 0, equals_column, problems};
    Reading reading;
    if (!ParseExpression(&parser, &reading, NULL))
        return false;
    if (At(&parser, kClose))
        return Fail(&parser, Peek(&parser).column,
                    Translated("')' has no '(' to close"));
    *expression = reading.expression;
    return true;
}
