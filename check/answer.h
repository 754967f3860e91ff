// answer.h: reads a player's answer, one equation a line, as he writes it.
//
// Each equation gives a target of a part (parts.h) as an expression over
// a, b, q0, q1, q2, 0 and 1 (expression.h).  A line that cannot be read
// is a problem with its place, and the reader goes on to the next line,
// so that one run reports every problem of the answer.
#ifndef ZELM_CHECK_ANSWER_H
#define ZELM_CHECK_ANSWER_H

#include <stddef.h>

#include <string>
#include <vector>

#include "diagnostics.h"
#include "parts.h"

// The answer's largest size and its longest line: far beyond any answer,
// and small enough that no input can exhaust the reader.
const size_t kMaxAnswerBytes = 1 << 20;
const int kMaxLineCharacters = 1000;

struct Equation {
    Place place;      // of its target; line number 0 when not given
    TruthTable value; // of its expression
    std::string text; // "jq0 = a'·q1' + q2", as read
};

// Whether the answer gives the equation: a line holds it.
inline bool IsGiven(const Equation& equation)
{
    return equation.place.line.number != 0;
}

struct Target {
    int part;
    TargetKind kind;
};

struct Answer {
    Equation given[kPartCount][kTargetKinds];
    std::vector<Target> order; // the targets given, in the answer's order
    std::string read;          // its text as read (utf8.h's AsRead)
};

inline const Equation& EquationFor(const Answer& answer, Target target)
{
    return answer.given[target.part][target.kind];
}

// Reads text (size bytes, UTF-8, with or without a byte-order mark; LF,
// CRLF or CR line ends) into answer; its problems' places lie in text and
// in answer->read, which must outlive them.  Returns false, with the problems,
// when any line cannot be read or the equations do not make an answer (a
// target twice, J or K beside a next state).  A J without its K, or a K
// without its J, is an answer, judged where that half acts.
bool ReadAnswer(const char* text, size_t size, Answer* answer,
                Problems* problems);

#endif
