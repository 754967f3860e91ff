// zelm_windows.cpp: the program's entry point on Windows, WinMain.
//
// The Windows program is a GUI program with no console, and it defines
// WinMain itself rather than using SDL's main wrapper, so main keeps its
// name and nothing redirects its output: a failed start says its one line
// on the standard error it was given.  Started from the Start menu or by a
// double-click, that leads nowhere, and the game would end without a word.
// So there, standard error goes into a pipe of the program's own, and a
// failed start shows the line in a message box titled with the caption.
// Wherever standard error leads somewhere (a console, a file, a pipe),
// nothing changes and no box appears.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "layout.h"
#include "loop.h"

// Room for the line and any warnings before it: a full pipe would block
// the writer, and start-up says at most a few lines.
static const DWORD kPipeBytes = 1 << 16;

static bool StandardErrorLeadsNowhere()
{
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    return handle == NULL || handle == INVALID_HANDLE_VALUE ||
           GetFileType(handle) == FILE_TYPE_UNKNOWN;
}

// Points standard error at a new pipe; returns its reading end, or null
// when there is none to be had.  Started with no standard error, the C
// library's stderr has no descriptor at all (msvcrt's FILE is public), so
// it is given descriptor 2, which is now the pipe.
static HANDLE CatchStandardError()
{
    HANDLE reading, writing;
    if (!CreatePipe(&reading, &writing, NULL, kPipeBytes))
        return NULL;
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(writing), _O_TEXT);
    if (fd == -1 || _dup2(fd, 2) != 0) {
        CloseHandle(reading);
        if (fd == -1)
            CloseHandle(writing);
        else
            _close(fd);
        return NULL;
    }
    if (fd != 2)
        _close(fd);
    stderr->_file = 2;
    return reading;
}

// Shows the last line caught, the program's own (the libraries' warnings
// may come before it), in a message box.
static void ShowCaughtLine(HANDLE reading)
{
    fflush(stderr);
    static char caught[kPipeBytes + 1];
    DWORD waiting = 0, got = 0;
    if (!PeekNamedPipe(reading, NULL, 0, NULL, &waiting, NULL) ||
        waiting == 0 || !ReadFile(reading, caught, waiting, &got, NULL))
        return;
    caught[got] = '\0';
    while (got > 0 && (caught[got - 1] == '\n' || caught[got - 1] == '\r'))
        caught[--got] = '\0';
    const char* line = strrchr(caught, '\n');
    MessageBoxA(NULL, line != NULL ? line + 1 : caught, kCaption,
                MB_OK | MB_ICONERROR);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HANDLE caught = StandardErrorLeadsNowhere() ? CatchStandardError() : NULL;
    int status = RunPanel();
    if (caught != NULL) {
        if (status != 0)
            ShowCaughtLine(caught);
        CloseHandle(caught);
    }
    return status;
}
