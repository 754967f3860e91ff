// diagnostics.h: what is wrong with an answer, where, and how it is told.
//
// Every diagnostic is printed by one function, compiler-style:
// NAME:LINE:COLUMN: message, then the line as written (at most 80
// characters of it, around the place) and a caret under the place, wide
// characters taking two columns; or NAME: message, for what has no place
// in a line.
#ifndef ZELM_CHECK_DIAGNOSTICS_H
#define ZELM_CHECK_DIAGNOSTICS_H

#include <stddef.h>
#include <stdio.h>

#include <string>
#include <vector>

// One line of the answer, without its line end, numbered from 1: as the
// reader reads it (utf8.h's AsRead), and as the player wrote it, which has
// the same characters.
struct Line {
    const char* text;
    size_t length;
    int number;
    const char* written;
    size_t written_length;
};

// A place in the answer: a line and a column in it, counted in characters
// from 1.  A place in the whole answer has a number but no text.
struct Place {
    Line line;
    int column;
};

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

void AddProblem(Problems* problems, const Place& place,
                const std::string& message);

// Prints one diagnostic, with its place when it has one.
void PrintDiagnostic(FILE* out, const char* name, const Place* place,
                     const std::string& message);

// Prints each problem kept, then how many more there are.
void PrintProblems(FILE* out, const char* name, const Problems& problems);

#endif
