// parts.h: what an answer gives, and how it is compared with the circuit:
// case by case, as truth tables.
//
// An answer has four parts: the panel's three flip-flops, Q0, Q1 and Q2,
// and its output, Y.  Each part is given by equations, whose left-hand
// sides are its targets: the output by its value, and a flip-flop either
// by its J and K inputs or by its next state.
#ifndef ZELM_CHECK_PARTS_H
#define ZELM_CHECK_PARTS_H

#include <stdint.h>

#include "circuit.h"

// What a part or an expression is in each of the panel's cases: bit n
// for case number n (circuit.h), set where it is 1.
typedef uint32_t TruthTable;

const TruthTable kEveryCase = ~TruthTable(0);

// The cases where the circuit's cell is on.
constexpr TruthTable CasesWhereOn(bool Circuit::*cell)
{
    TruthTable cases = 0;
    for (int c = 0; c < kCaseCount; c++) {
        if (CircuitIn(c).*cell)
            cases |= TruthTable(1) << c;
    }
    return cases;
}

// What an equation's target is of its part: a flip-flop's J or K input,
// or what the part's lamp shows (a flip-flop's next state, the output).
enum TargetKind { kTargetJ, kTargetK, kTargetShown, kTargetKinds };

struct Part {
    const char* name; // as the panel and the report name it
    bool Circuit::*lamp;
    // The part's targets by kind, as the report writes them; the output
    // has only what it shows.
    const char* targets[kTargetKinds];
};

inline constexpr Part kParts[] = {
    {"Q0", &Circuit::q0, {"jq0", "kq0", "q0+"}},
    {"Q1", &Circuit::q1, {"jq1", "kq1", "q1+"}},
    {"Q2", &Circuit::q2, {"jq2", "kq2", "q2+"}},
    {"Y", &Circuit::y, {NULL, NULL, "y"}},
};
const int kPartCount = sizeof kParts / sizeof kParts[0];

// Flip-flop number n is part n, and the output the part after them.
const int kFlipFlopCount = 3;
const int kOutputPart = kFlipFlopCount;

constexpr bool FlipFlopsInOrderThenTheOutput()
{
    for (int part = 0; part < kFlipFlopCount; part++) {
        if (kParts[part].name[1] != '0' + part ||
            kParts[part].targets[kTargetJ] == nullptr)
            return false;
    }
    return kPartCount == kOutputPart + 1 &&
           kParts[kOutputPart].targets[kTargetJ] == nullptr;
}
static_assert(FlipFlopsInOrderThenTheOutput(), "the parts' numbering");

inline bool IsFlipFlop(int part)
{
    return part < kFlipFlopCount;
}

#endif
