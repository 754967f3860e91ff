// zelm.cpp: the program's entry point on Linux and in the browser.
//
// main ends with exit() rather than a return: in the browser, where the
// event wait suspends the program, main's late return reaches nobody, and
// only exit() hands the page the program's exit code.
#include <stdlib.h>

#include "loop.h"

int main()
{
    exit(RunPanel());
}
