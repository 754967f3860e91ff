// lexer.h: an expression's tokens, each a spelling of the notation's
// table and the column where it stands.
#ifndef ZELM_CHECK_LEXER_H
#define ZELM_CHECK_LEXER_H

#include <vector>

#include "diagnostics.h"
#include "spelling.h"

struct Token {
    const Spelling* spelling; // null at the end of the expression
    int column;
};

// The tokens of the expression between byte offsets from and to of the
// line, ended by one whose spelling is null; false, after adding the
// problem, at a character that begins no token.  Names side by side need
// no blank between them: "aq1" is a and q1.
bool Lex(const Line& line, size_t from, size_t to, std::vector<Token>* tokens,
         Problems* problems);

#endif
