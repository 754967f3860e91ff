// catalog.h: the checker's words in the player's language, from a GNU
// gettext catalog (a .mo file) read here, alike on every platform.
//
// Every message a player reads is written in English in the sources,
// marked for xgettext by the functions below (po/ holds the template and
// the catalogs), and looked up in the catalog in use: the one the program
// found for the languages the player asks for (LanguagesAsked).  Without
// one, or for a message it lacks, the English stands; a catalog that
// cannot be read is no catalog.  A count picks its form by the catalog's
// own Plural-Forms header, evaluated as written.
#ifndef ZELM_CHECK_CATALOG_H
#define ZELM_CHECK_CATALOG_H

#include <initializer_list>
#include <string>
#include <vector>

// Takes the bytes of a .mo file as the catalog in use, in place of any
// before; false, leaving English in use, where they are none (empty bytes
// among them).
bool UseCatalog(std::string bytes);

// Marks a message for the template where it stands in a table, to be
// translated where it is used; and the same for a message with a
// singular and a plural.
constexpr const char* ForTranslation(const char* message)
{
    return message;
}

struct PluralMessage {
    const char* singular;
    const char* plural;
};

constexpr PluralMessage ForTranslationPlural(const char* singular,
                                             const char* plural)
{
    return {singular, plural};
}

// The message in the language in use.
const char* Translated(const char* message);

// The same, for a message that another with the same English words is
// told apart from by its context.
const char* TranslatedIn(const char* context, const char* message);

// The form of a message for count: in English, the singular for 1 and the
// plural for any other count.
const char* TranslatedPlural(const char* singular, const char* plural,
                             unsigned long count);

inline const char* TranslatedPlural(PluralMessage message, unsigned long count)
{
    return TranslatedPlural(message.singular, message.plural, count);
}

// Items as a list in the language in use: "Q1, Q2 and Y".
std::string ListOf(const std::vector<std::string>& items);

// The message with its placeholders filled: %1$s (or %1$d) to %9$s by the
// arguments of those numbers, %s (or %d) by the next argument, and %% as
// %.  Any other % stands as it is.
std::string Format(const char* message,
                   std::initializer_list<std::string> arguments);

// The catalogs to try, best first, for the languages a player asks for,
// as GNU programs take them: the list of language (a colon-separated list,
// as LANGUAGE holds) where it is set, and otherwise the locale (the first
// of LC_ALL, LC_MESSAGES and LANG that is set), or, where none is set,
// the system's own list (Windows' display languages; empty elsewhere).
// Under the C or POSIX locale, none, and language is passed over.  A
// language names its catalog, its codeset and modifier left out, then its
// language alone: de_AT.UTF-8 gives de_AT, then de.  English, the
// messages' own, ends the list where it comes.
std::vector<std::string> LanguagesAsked(const char* language,
                                        const char* locale, const char* system);

#endif
