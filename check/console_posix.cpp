// console_posix.cpp: the checker's console on Linux, where the command
// line and the terminal are UTF-8 as they are and Ctrl-D ends typed input.
#include <sys/stat.h>
#include <unistd.h>

#include "console.h"

int main(int argc, char** argv)
{
    return RunChecker(argc, argv);
}

void PrepareConsole() {}

void RestoreConsole() {}

bool InputIsTerminal()
{
    return isatty(STDIN_FILENO) != 0;
}

bool ReadTypedText(std::string* text)
{
    return ReadAtMost(stdin, text);
}

const char kEndOfInputKeys[] = "Ctrl-D";

bool IsFolder(const char* path)
{
    struct stat status;
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

FILE* OpenToRead(const char* path)
{
    return fopen(path, "rb");
}
