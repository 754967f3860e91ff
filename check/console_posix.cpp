// console_posix.cpp: the checker's console on Linux, where terminals take
// UTF-8 as it is and Ctrl-D ends typed input.
#include "console.h"

#include <unistd.h>

void PrepareConsole() {}

void RestoreConsole() {}

bool InputIsTerminal()
{
    return isatty(STDIN_FILENO) != 0;
}

const char kEndOfInputKeys[] = "Ctrl-D";
