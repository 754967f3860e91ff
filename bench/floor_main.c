/* floor_main.c: the floor program's entry. */
#include "floor_panel.h"

int main(void)
{
    int code = FloorInit() ? FloorRun() : 1;
    FloorDestroy();
    return code;
}
