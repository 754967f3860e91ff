// startup.cpp: one start-up and shutdown, for measure.py to count the
// instructions of under callgrind (SDL's dummy driver, from the folder
// that holds data/).
#include "display.h"

int main()
{
    bool started = Init();
    Destroy();
    return started ? 0 : 1;
}
