// console.h: where the checker's console differs from system to system.
//
// The report is UTF-8 (✓, ✗, ·), which a terminal on Linux shows as it is
// and a Windows console shows only once told to.  A player who types his
// answer ends it with a key that differs too.
#ifndef ZELM_CHECK_CONSOLE_H
#define ZELM_CHECK_CONSOLE_H

// Makes the console show UTF-8 as written; RestoreConsole puts back what
// the player's console had before, once he has read the report where the
// console closes with the checker.
void PrepareConsole();
void RestoreConsole();

// Whether standard input is a terminal that a player types into.
bool InputIsTerminal();

// The keys that end typed input, as the prompt names them.
extern const char kEndOfInputKeys[];

#endif
