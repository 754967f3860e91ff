// reader.h: reads a player's answer, one equation a line, as he writes it.
//
// Each equation gives a target (the output y, a flip-flop's J or K input,
// or a flip-flop's next state) as an expression over a, b, q0, q1, q2, 0
// and 1.  The expression is kept as its truth table over the 32 cases of
// the panel and as its text in the panel's own notation, so that the
// player sees how it was read.  A line that cannot be read is a Problem
// with its place; the reader goes on to the next line, so that one run
// reports every problem of the answer.
#ifndef ZELM_CHECK_READER_H
#define ZELM_CHECK_READER_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

// One bit per case of the panel: bit (q2 q1 q0 a b), read as a binary
// number, so that case 0 is everything dark and the cases run in the order
// of the state table (state by state, and a b = 00, 01, 10, 11 in each).
typedef uint32_t Cases;
const int kCaseCount = 32;

// Each lamp's bit in a case's number, and the cases where a lamp is lit.
const int kLampB = 1, kLampA = 2;
constexpr int FlipFlopLamp(int flip_flop)
{
    return 4 << flip_flop;
}

constexpr Cases LitIn(int lamp)
{
    Cases cases = 0;
    for (int c = 0; c < kCaseCount; c++) {
        if (c & lamp)
            cases |= Cases(1) << c;
    }
    return cases;
}

// The answer's largest size and deepest parentheses: far beyond any
// answer, and small enough that no input can exhaust the reader.
const size_t kMaxAnswerBytes = 1 << 20;
const int kMaxLineCharacters = 1000;
const int kMaxNesting = 200;

// What an equation gives: per flip-flop its J, its K or its next state,
// and the output.  kTargetCount entries, flip-flop by flip-flop, then y.
enum TargetKind { kTargetJ, kTargetK, kTargetNext };
const int kFlipFlopCount = 3;
const int kTargetY = 3 * kFlipFlopCount;
const int kTargetCount = kTargetY + 1;

inline int TargetOf(int flip_flop, TargetKind kind)
{
    return 3 * flip_flop + kind;
}

// A place in the answer: a line and a column, both from 1 (the column
// counts characters), and that line's text, a view into the answer.
struct Place {
    int line, column;
    const char* line_text;
    size_t line_length;
};

struct Equation {
    Place place;      // of the target; line 0 when not given
    Cases value;      // the expression's truth table
    std::string text; // "jq0 = a'·q1' + q2", as read
};

struct Answer {
    Equation targets[kTargetCount];
    std::vector<int> order; // the given targets, in the answer's order
};

// A place that cannot be read, and what is wrong there.  A problem of
// the whole file has no line text.
struct Problem {
    Place place;
    std::string message;
};

// The first kMaxProblemsKept problems in the answer's order, and how many
// there are in all: a file of nothing but bad lines costs no more.
const int kMaxProblemsKept = 20;
struct Problems {
    std::vector<Problem> first;
    int count;
};

// Reads text (size bytes, UTF-8, with or without a byte-order mark; LF,
// CRLF or CR line ends) into answer.  Returns false, with the problems,
// when any line cannot be read or the equations do not make an answer (a
// target twice, a J without its K, J and K beside a next state).
bool ReadAnswer(const char* text, size_t size, Answer* answer,
                Problems* problems);

// Prints the problems compiler-style, as NAME:LINE:COLUMN: message, then
// the line (at most 80 characters of it, around the place) and a caret
// under the place; then how many more there are.
void PrintProblems(const Problems& problems, const char* name, FILE* out);

#endif
