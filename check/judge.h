// judge.h: checks a player's answer against the circuit, case by case.
//
// The circuit's behaviour comes from the puzzle core itself, so the check
// can never disagree with the panel.  The report says of each part whether
// it is right, missing, or wrong and in how many of the 32 cases (for J
// and K, how many each); and for a wrong part it names one experiment on
// the panel that shows the difference, with what the player's own
// equations predict there.  So it gives the circuit's value in at most one
// case per wrong part, and never its equations or a table of its cases,
// whatever the answer, a constant one included.
#ifndef ZELM_CHECK_JUDGE_H
#define ZELM_CHECK_JUDGE_H

#include <stddef.h>
#include <stdio.h>

#include <string>

// The width a terminal's report is wrapped to.
const int kTerminalWidth = 76;

// Writes text in lines of at most width columns, wide characters taking
// two, broken at spaces only (a no-break space holds), the first line
// begun by first and the rest by indent; or in one line where width is 0,
// for a page to wrap.
void PrintWrapped(const std::string& text, const char* first,
                  const char* indent, int width, FILE* out);

// Reads the answer in text (size bytes; name is where it came from, for
// the problem lines) and writes the report to out, its sentences wrapped
// to width characters, or each in one line where width is 0 (as a page
// wraps them); or, when the answer cannot be read, every problem to err.
// Returns the exit code: 0 when all four parts are given and right, 1 when
// a part is wrong or missing, or is given by J or K alone, 2 when the
// answer cannot be read.
int CheckAnswer(const char* name, const char* text, size_t size, int width,
                FILE* out, FILE* err);

#endif
