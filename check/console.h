// console.h: where the checker's command line and console differ from
// system to system.
//
// The report is UTF-8 (✓, ✗, ·), which a terminal on Linux shows as it is
// and a Windows console shows only once told to.  Windows also hands a
// program its command line, and its console the player's typing, in
// UTF-16: read as bytes, a file's name or a typed character outside the
// system's code page is lost.  So each system's file (console_posix.cpp,
// console_windows.cpp) holds the program's entry point, which gives
// RunChecker its arguments in UTF-8, and the calls that take a file's name
// or the player's typing; a player who types his answer ends it with keys
// that differ too.  And each says where the program lies, and which
// languages the player has chosen where the system keeps them apart from
// the locale.
#ifndef ZELM_CHECK_CONSOLE_H
#define ZELM_CHECK_CONSOLE_H

#include <stdio.h>

#include <string>

// ---- zelm_check.cpp's, for the entry points and the console files

// The checker's command line, its arguments in UTF-8; the exit status.
int RunChecker(int argc, char** argv);

// Reads the stream's bytes to its end, but never more than one byte past
// the largest answer; false on a read error.
bool ReadAtMost(FILE* stream, std::string* text);

// ---- Each system's

// Makes the console show UTF-8 as written; RestoreConsole puts back what
// the player's console had before, once he has read the report where the
// console closes with the checker.
void PrepareConsole();
void RestoreConsole();

// Whether standard input is a console that a player types into.
bool InputIsTerminal();

// Reads what the player types there, as UTF-8, to the keys that end it
// (never more than one byte past the largest answer); false on a read
// error.
bool ReadTypedText(std::string* text);

// The keys that end typed input, as the prompt names them, in English.
extern const char* const kEndOfInputKeys;

// The folder the program lies in, in UTF-8, where its catalogs are looked
// for; "." where it cannot be told.
std::string ProgramFolder();

// The languages the system's user has chosen for its programs, the best
// first, each separated by ':' (as LANGUAGE holds them), where the system
// says, as Windows does; "" elsewhere, where the locale says.
std::string SystemLanguages();

// Whether the path, in UTF-8, names a folder.
bool IsFolder(const char* path);

// The file the path names, in UTF-8, opened to read its bytes; null, with
// errno set, when it cannot be.
FILE* OpenToRead(const char* path);

#endif
