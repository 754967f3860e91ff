// console_posix.cpp: the checker's console on Linux, where the command
// line and the terminal are UTF-8 as they are, Ctrl-D ends typed input,
// the program's place is /proc/self/exe's, and the locale alone names the
// player's languages.
#include <sys/stat.h>
#include <unistd.h>

#include "catalog.h"
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

const char* const kEndOfInputKeys = ForTranslation("Ctrl-D");

std::string ProgramFolder()
{
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    std::string program(path, length);
    return program.substr(0, program.rfind('/'));
}

std::string SystemLanguages()
{
    return "";
}

bool IsFolder(const char* path)
{
    struct stat status;
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

FILE* OpenToRead(const char* path)
{
    return fopen(path, "rb");
}
