// lexer.cpp: an expression cut into the spellings it is written in.
#include "lexer.h"

#include <string.h>

#include "catalog.h"
#include "utf8.h"

// The operator spelt by a whole word, or null.
static const Spelling* WordOperator(const char* word, size_t length)
{
    for (size_t i = 0; i < kSpellingCount; i++) {
        const Spelling& spelling = kSpellings[i];
        if (IsOperator(spelling.meaning) && IsWordChar(spelling.text[0]) &&
            strlen(spelling.text) == length &&
            BeginsWith(word, length, spelling))
            return &spelling;
    }
    return NULL;
}

// The name that text begins with, or null.
static const Spelling* NameAt(const char* text, size_t length)
{
    for (size_t i = 0; i < kSpellingCount; i++) {
        if (kSpellings[i].meaning == kName &&
            BeginsWith(text, length, kSpellings[i]))
            return &kSpellings[i];
    }
    return NULL;
}

// The symbol that text begins with, or null.
static const Spelling* SymbolAt(const char* text, size_t length)
{
    for (size_t i = 0; i < kSpellingCount; i++) {
        const Spelling& spelling = kSpellings[i];
        if (IsOperator(spelling.meaning) && !IsWordChar(spelling.text[0]) &&
            BeginsWith(text, length, spelling))
            return &spelling;
    }
    return NULL;
}

// A word: an operator spelt out, or names side by side, as the names are
// known.  False when it is neither.
static bool LexWord(const char* word, size_t length, int column,
                    std::vector<Token>* tokens)
{
    const Spelling* word_operator = WordOperator(word, length);
    if (word_operator != NULL) {
        tokens->push_back({word_operator, column});
        return true;
    }
    size_t before = tokens->size();
    for (size_t at = 0; at < length;) {
        const Spelling* name = NameAt(word + at, length - at);
        if (name == NULL) {
            tokens->resize(before);
            return false;
        }
        tokens->push_back({name, column + static_cast<int>(at)});
        at += strlen(name->text);
    }
    return true;
}

// Every character moves the column on by one, whatever its bytes.
bool Lex(const Line& line, size_t from, size_t to, std::vector<Token>* tokens,
         Problems* problems)
{
    int column = 1 + CharactersIn(line.text, from);
    for (size_t at = from; at < to;) {
        const char* here = line.text + at;
        size_t length = 1;
        if (IsWordChar(*here)) {
            while (at + length < to && IsWordChar(here[length]))
                length++;
            if (!LexWord(here, length, column, tokens)) {
                // TRANSLATORS: %1$s is the word the answer wrote.
                const char* message = Translated("unknown name '%1$s': the "
                                                 "names are a, b, q0, q1, "
                                                 "q2, 0 and 1");
                AddProblem(problems, {line, column},
                           Format(message, {std::string(here, length)}));
                return false;
            }
        } else if (!IsBlank(*here)) {
            const Spelling* symbol = SymbolAt(here, to - at);
            if (symbol == NULL) {
                uint32_t point;
                length = CharLength(here, line.text + to, &point);
                // TRANSLATORS: %1$s is the character the answer wrote.
                const char* unexpected = Translated("unexpected '%1$s'");
                AddProblem(
                    problems, {line, column},
                    *here == '='
                        ? Translated("a second '=': one equation a line")
                        : Format(unexpected, {std::string(here, length)}));
                return false;
            }
            tokens->push_back({symbol, column});
            length = strlen(symbol->text);
        }
        column += CharactersIn(here, length);
        at += length;
    }
    tokens->push_back({NULL, column});
    return true;
}
