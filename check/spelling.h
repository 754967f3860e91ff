// spelling.h: every way of writing an operator, a name or a target that
// the reader takes, one row each, with whether the documents teach it.
//
// The documents that teach the notation show every documented row, and
// only spellings the reader takes: zelm-check --help prints them, the
// build writes them into the manual page and the page's list
// (notation_tool.cpp, which also gives the fuzz target every row), and
// check_test holds the README to them.  The rows not documented are
// forgiven rather than taught: what a word processor or a habit puts in
// the place of a documented one.
#ifndef ZELM_CHECK_SPELLING_H
#define ZELM_CHECK_SPELLING_H

#include <stddef.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "parts.h"

// What a spelling stands for: in an expression, a name (or a constant)
// or an operator; before the '=', a target.
enum Meaning {
    kName,
    kAnd,
    kOr,
    kXor,
    kXnor,      // the complement of XOR
    kNotBefore, // a NOT written before what it negates
    kNotAfter,  // a NOT written after it
    kOpen,
    kClose,
    kJ,
    kK,
    kShown, // what a part's lamp shows: a next state, or the output
};

struct Spelling {
    // As written, its letters in lower case, matched in either case.  In
    // a target, '#' stands for a flip-flop's number; a target without one
    // is the output's.
    const char* text;
    Meaning meaning;
    TruthTable value; // of a name
    bool documented;
};

constexpr bool IsOperator(Meaning meaning)
{
    return meaning != kName && meaning != kJ && meaning != kK &&
           meaning != kShown;
}

extern const Spelling kSpellings[];
extern const size_t kSpellingCount;

// Whether text (length bytes) begins with spelling's text, letters in
// either case.
bool BeginsWith(const char* text, size_t length, const Spelling& spelling);

// Whether a character can stand in a word: a name, or an operator spelt
// out.
constexpr bool IsWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == '_';
}

// A spelling as the documents teach it: a word operator in capitals, a
// flip-flop's target for flip-flop 0 ("AND", "q0+").
std::string AsTaught(const Spelling& spelling);

// The documented spellings, one line a meaning ("AND: · * & ..."), in
// the language in use: the form every document that teaches the notation
// shows.
std::vector<std::string> NotationLines();

// Prints those lines, each begun by indent.
void PrintNotation(FILE* out, const char* indent);

#endif
