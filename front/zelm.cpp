// zelm.cpp: the program's entry point: main on Linux, WinMain on Windows.
//
// Both run the same body, RunPanel.  The Windows program is a GUI program
// with no console, and it defines WinMain itself rather than using SDL's
// main wrapper, so main keeps its name and nothing redirects its output.
// main ends with exit() rather than a return: in the browser, where the
// event wait suspends the program, main's late return reaches nobody, and
// only exit() hands the page the program's exit code.
#include <stdlib.h>

#include "loop.h"

#ifdef _WIN32
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunPanel();
}
#else
int main()
{
    exit(RunPanel());
}
#endif
