// expression.h: an expression read by its grammar into its truth table,
// and printed back in the panel's notation.
#ifndef ZELM_CHECK_EXPRESSION_H
#define ZELM_CHECK_EXPRESSION_H

#include <string>
#include <vector>

#include "diagnostics.h"
#include "lexer.h"
#include "parts.h"

// The deepest parentheses: far beyond any answer, and shallow enough that
// no input can exhaust the reader's stack.
const int kMaxNesting = 200;

struct Expression {
    TruthTable value;
    // In the panel's notation ("a'·q1' + q2"), with the parentheses its
    // reading needs and no others.
    std::string text;
};

// Reads the tokens of an equation's right-hand side; the '=' before them
// stands at equals_column.  False, after adding the problem, when they are
// no expression.
bool ReadExpression(const Line& line, const std::vector<Token>& tokens,
                    int equals_column, Expression* expression,
                    Problems* problems);

#endif
