// console_windows.cpp: the checker's console on Windows.
//
// A console shows bytes in its own code page, which is not UTF-8 unless
// set; the report's ✓, ✗ and · need it, and so do equations typed with
// them.  The code pages belong to the console, which outlives the
// checker, so they are put back at the end.  Ctrl-Z, then Enter, ends
// typed input.  A console opened for the checker alone, by a double-click
// or an answer file dropped on it, closes as the checker ends: there it
// waits for Enter, so that the report can be read.
#include "console.h"

#include <io.h>
#include <stdio.h>
#include <windows.h>

static UINT g_output_page = 0;
static UINT g_input_page = 0;

void PrepareConsole()
{
    g_output_page = GetConsoleOutputCP();
    g_input_page = GetConsoleCP();
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
}

void RestoreConsole()
{
    DWORD attached[2];
    if (GetConsoleProcessList(attached, 2) == 1) {
        fputs("\nPress Enter to close this window.\n", stderr);
        clearerr(stdin); // past the Ctrl-Z that ended the answer
        getchar();
    }
    // What is still buffered is written in the page it was meant for.
    fflush(stdout);
    fflush(stderr);
    // Both are 0 where there is no console.
    if (g_output_page != 0)
        SetConsoleOutputCP(g_output_page);
    if (g_input_page != 0)
        SetConsoleCP(g_input_page);
}

bool InputIsTerminal()
{
    return _isatty(_fileno(stdin)) != 0;
}

const char kEndOfInputKeys[] = "Ctrl-Z, then Enter";
