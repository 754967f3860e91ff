// zelm.cpp: the program's entry point.
#include "loop.h"

int main()
{
    return RunPanel();
}
