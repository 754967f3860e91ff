// zelm_windows.cpp: the program's entry point on Windows, WinMain, and the
// two things a Windows start arranges before the panel starts.
//
// The window's size.  SDL.dll is sdl12-compat, SDL 1.2 over SDL 2, which
// shows the 320 x 240 window at a whole multiple with crisp pixels, the
// mouse mapped back, when asked in its environment; on Linux the launcher
// asks (dist/zelm.in), and a Windows program has no launcher.  So here the
// program asks for the largest multiple that fits within half the screen
// each way, unless the player has asked for his own.  The screen is
// measured in its real pixels, and the window is not stretched again,
// blurred, by Windows' display scale: the program says in its manifest
// (zelm.manifest) that it is aware of each monitor's scale.
//
// A failed start.  The program is a GUI program with no console, and it
// defines WinMain itself rather than using SDL's main wrapper, so main
// keeps its name and nothing redirects its output: a failed start says its
// one line on the standard error it was given.  Started from the Start
// menu or by a double-click, that leads nowhere, and the game would end
// without a word.  So there, standard error goes into a temporary file of
// the program's own, which Windows deletes once the program ends, and a
// failed start shows the file's last line in a message box titled with the
// caption.  A file, not a pipe: a pipe that nobody reads blocks its writer
// once full, and the libraries may say a great deal before the program's
// line (libpng warns once for each chunk of an image it finds amiss).  Wherever
// standard error leads somewhere (a console, a file, a pipe), nothing
// changes and no box appears.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <algorithm>

#include "layout.h"
#include "loop.h"

// Asks sdl12-compat for the window's scale and for crisp pixels, where the
// player has not: the largest whole multiple within half the screen.
static void ScaleTheWindow()
{
    if (GetEnvironmentVariableA("SDL12COMPAT_WINDOW_SCALING", NULL, 0) == 0) {
        int fits = std::min(GetSystemMetrics(SM_CXSCREEN) / (2 * kPanelWidth),
                            GetSystemMetrics(SM_CYSCREEN) / (2 * kPanelHeight));
        char scale[16];
        snprintf(scale, sizeof scale, "%d", std::max(fits, 1));
        SetEnvironmentVariableA("SDL12COMPAT_WINDOW_SCALING", scale);
    }
    if (GetEnvironmentVariableA("SDL12COMPAT_SCALE_METHOD", NULL, 0) == 0)
        SetEnvironmentVariableA("SDL12COMPAT_SCALE_METHOD", "nearest");
}

static bool StandardErrorLeadsNowhere()
{
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    return handle == NULL || handle == INVALID_HANDLE_VALUE ||
           GetFileType(handle) == FILE_TYPE_UNKNOWN;
}

// Points standard error at a new temporary file; returns a handle to read
// it by, or null when there is none to be had.  Started with no standard
// error, the C library's stderr has no descriptor at all (msvcrt's FILE is
// public), so it is given descriptor 2, which is now the file.  The
// temporary folder is the player's own, under his profile, whose name may
// hold letters his ANSI code page lacks: it is named in UTF-16 throughout.
static HANDLE CatchStandardError()
{
    wchar_t folder[MAX_PATH + 1], path[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH ||
        GetTempFileNameW(folder, L"zlm", 0, path) == 0)
        return NULL;
    HANDLE file =
        CreateFileW(path, GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(path);
        return NULL;
    }
    HANDLE writing;
    if (!DuplicateHandle(GetCurrentProcess(), file, GetCurrentProcess(),
                         &writing, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        CloseHandle(file);
        return NULL;
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(writing), _O_TEXT);
    if (fd == -1 || _dup2(fd, 2) != 0) {
        CloseHandle(file);
        if (fd == -1)
            CloseHandle(writing);
        else
            _close(fd);
        return NULL;
    }
    if (fd != 2)
        _close(fd);
    stderr->_file = 2;
    return file;
}

// Shows the last line caught, the program's own (the libraries' warnings
// may come before it, any number of them), in a message box.  Only the
// end of the file is read, as much as the buffer holds.  The line is UTF-8,
// as SDL writes its errors, and a file's name in it may hold any letter:
// the box is given it in UTF-16.
static void ShowCaughtLine(HANDLE caught)
{
    fflush(stderr);
    static char end[4096];
    static wchar_t line[4096];
    LARGE_INTEGER size, from;
    DWORD got = 0;
    if (!GetFileSizeEx(caught, &size))
        return;
    from.QuadPart = std::max<LONGLONG>(0, size.QuadPart - (sizeof end - 1));
    if (!SetFilePointerEx(caught, from, NULL, FILE_BEGIN) ||
        !ReadFile(caught, end, sizeof end - 1, &got, NULL))
        return;
    end[got] = '\0';
    while (got > 0 && (end[got - 1] == '\n' || end[got - 1] == '\r'))
        end[--got] = '\0';
    if (got == 0)
        return;
    const char* last = strrchr(end, '\n');
    last = last != NULL ? last + 1 : end;
    if (MultiByteToWideChar(CP_UTF8, 0, last, -1, line, 4096) == 0)
        return;
    wchar_t caption[64];
    MultiByteToWideChar(CP_UTF8, 0, kCaption, -1, caption, 64);
    MessageBoxW(NULL, line, caption, MB_OK | MB_ICONERROR);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ScaleTheWindow();
    HANDLE caught = StandardErrorLeadsNowhere() ? CatchStandardError() : NULL;
    int status = RunPanel();
    if (caught != NULL) {
        if (status != 0)
            ShowCaughtLine(caught);
        CloseHandle(caught);
    }
    return status;
}
