// console_windows.cpp: the checker's console and command line on Windows.
//
// A console shows bytes in its own code page, which is not UTF-8 unless
// set; the report's ✓, ✗ and · need it.  The code pages belong to the
// console, which outlives the checker, so they are put back at the end,
// or as Ctrl-C ends it.
//
// What comes in is taken in UTF-16, Windows' own, and turned into UTF-8:
// the command line (wmain), so that an answer file may bear any name; and
// what the player types into the console (ReadConsoleW), since the
// console's byte reads (ReadFile, ReadConsoleA, and so the C library's)
// give a NUL byte for every character outside ASCII even in the UTF-8
// code page.  Ctrl-Z, then Enter, ends typed input, as it ends the C
// library's reading.  Redirected input and files are read as bytes.
//
// A console opened for the checker alone, by a double-click or an answer
// file dropped on it, closes as the checker ends: there it waits for
// Enter, so that the report can be read.
//
// The program's folder, where its catalogs lie, is GetModuleFileNameW's;
// the player's languages, where no variable names them, are his display
// languages.
#include <errno.h>
#include <stdio.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>
#include <vector>

#include "answer.h"
#include "catalog.h"
#include "console.h"

static std::string Utf8Of(const wchar_t* text, size_t length)
{
    int count = static_cast<int>(length);
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text, count, NULL, 0, NULL, NULL);
    std::string utf8(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, count, &utf8[0], size, NULL,
                            NULL);
    return utf8;
}

// The path in UTF-16, for the C library's wide functions.
static std::wstring WideOf(const char* utf8)
{
    int size = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
    std::wstring wide(size > 1 ? size - 1 : 0, L'\0');
    if (size > 1)
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], size);
    return wide;
}

int wmain(int argc, wchar_t** wide_argv)
{
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; i++)
        arguments.push_back(Utf8Of(wide_argv[i], wcslen(wide_argv[i])));
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    argv.push_back(NULL);
    return RunChecker(argc, argv.data());
}

static UINT g_output_page = 0;
static UINT g_input_page = 0;

// Puts back the code pages PrepareConsole found; both are 0 where there is
// no console.
static void RestoreCodePages()
{
    if (g_output_page != 0)
        SetConsoleOutputCP(g_output_page);
    if (g_input_page != 0)
        SetConsoleCP(g_input_page);
}

// Ctrl-C and Ctrl-Break end the checker wherever it is, without the end of
// RunChecker: Windows runs this first, on a thread of its own, and then
// ends the checker as it would have.
static BOOL WINAPI RestoreCodePagesOnBreak(DWORD)
{
    RestoreCodePages();
    return FALSE;
}

void PrepareConsole()
{
    g_output_page = GetConsoleOutputCP();
    g_input_page = GetConsoleCP();
    SetConsoleCtrlHandler(RestoreCodePagesOnBreak, TRUE);
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
}

void RestoreConsole()
{
    DWORD attached[2];
    if (GetConsoleProcessList(attached, 2) == 1) {
        fprintf(stderr, "\n%s\n",
                Translated("Press Enter to close this window."));
        clearerr(stdin); // past the Ctrl-Z that ended the answer
        getchar();
    }
    // What is still buffered is written in the page it was meant for.
    fflush(stdout);
    fflush(stderr);
    RestoreCodePages();
}

// A console, not a file, a pipe or the NUL device (which _isatty takes
// for a terminal).
bool InputIsTerminal()
{
    DWORD mode;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

bool ReadTypedText(std::string* text)
{
    HANDLE console = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring typed;
    wchar_t buffer[4096];
    // Every character is at least one byte in UTF-8.
    while (typed.size() <= kMaxAnswerBytes) {
        DWORD got = 0;
        if (!ReadConsoleW(console, buffer, 4096, &got, NULL)) {
            errno = EIO;
            return false;
        }
        typed.append(buffer, got);
        size_t end = typed.find(L'\x1a', typed.size() - got);
        if (end != std::wstring::npos) {
            typed.resize(end);
            break;
        }
        if (got == 0)
            break;
    }
    // Lines end as the C library's text mode gives them.
    std::wstring lines;
    for (size_t i = 0; i < typed.size(); i++) {
        if (!(typed[i] == L'\r' && i + 1 < typed.size() &&
              typed[i + 1] == L'\n'))
            lines += typed[i];
    }
    *text = Utf8Of(lines.data(), lines.size());
    return true;
}

const char* const kEndOfInputKeys = ForTranslation("Ctrl-Z, then Enter");

std::string ProgramFolder()
{
    wchar_t path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return ".";
    std::string program = Utf8Of(path, length);
    return program.substr(0, program.find_last_of("\\/"));
}

// The user's display languages (Settings, Time & language), never the
// regional format: "de-DE\0en-US\0\0" as "de-DE:en-US".
std::string SystemLanguages()
{
    ULONG count = 0, size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, NULL, &size))
        return "";
    std::vector<wchar_t> names(size);
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(),
                                     &size))
        return "";
    std::string languages;
    for (const wchar_t* name = names.data(); *name != L'\0';
         name += wcslen(name) + 1)
        languages +=
            (languages.empty() ? "" : ":") + Utf8Of(name, wcslen(name));
    return languages;
}

bool IsFolder(const char* path)
{
    struct _stat64 status;
    return _wstat64(WideOf(path).c_str(), &status) == 0 &&
           (status.st_mode & _S_IFDIR) != 0;
}

FILE* OpenToRead(const char* path)
{
    return _wfopen(WideOf(path).c_str(), L"rb");
}
