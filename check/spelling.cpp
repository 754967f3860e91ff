// spelling.cpp: the notation's table.
#include "spelling.h"

#include "utf8.h"

// The names' values.
static const TruthTable kA = CasesWhereOn(&Circuit::a);
static const TruthTable kB = CasesWhereOn(&Circuit::b);
static const TruthTable kQ0 = CasesWhereOn(&Circuit::q0);
static const TruthTable kQ1 = CasesWhereOn(&Circuit::q1);
static const TruthTable kQ2 = CasesWhereOn(&Circuit::q2);

// Symbols that begin with another symbol come before it, as the lexer
// takes the first that matches.
// clang-format off
const Spelling kSpellings[] = {
//   text       meaning     value       documented
    {"&&",      kAnd,       0,          true },
    {"||",      kOr,        0,          true },
    {"·",       kAnd,       0,          true },
    {"⋅",       kAnd,       0,          false},
    {"*",       kAnd,       0,          true },
    {"&",       kAnd,       0,          true },
    {"∧",       kAnd,       0,          true },
    {".",       kAnd,       0,          false},
    {"+",       kOr,        0,          true },
    {"|",       kOr,        0,          true },
    {"∨",       kOr,        0,          true },
    {"^",       kXor,       0,          true },
    {"⊕",       kXor,       0,          true },
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

bool BeginsWith(const char* text, size_t length, const Spelling& spelling)
{
    const char* pattern = spelling.text;
    for (size_t i = 0; pattern[i] != '\0'; i++) {
        if (i == length || LowerAscii(text[i]) != pattern[i])
            return false;
    }
    return true;
}
