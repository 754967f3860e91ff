/* floor_core.c: the same equations and matcher, written the C way. */
#include "floor_core.h"

#include <string.h>

enum { A, B, Q0, Q1, Q2, Y };

unsigned char floor_cells[6];
static char cheat_word[10] = "gnarlwick";
static int cheat_pos;
static unsigned char cheat_on;

void FloorClockStep(void)
{
    unsigned char* c = floor_cells;
    int j0 = (!c[A] && !c[Q1]) || c[Q2];
    int k0 = c[Q1] || !c[B];
    int j1 = (c[B] && c[Q2]) || (c[A] && c[Q2]) || (c[A] && c[Q0]) ||
             (!c[A] && !c[B] && !c[Q0] && !c[Q1] && !c[Q2]);
    int k1 = c[A] || c[B] || !c[Q0];
    int j2 = (c[A] && c[Q1]) || (!c[B] && !c[Q0] && c[Q1]);
    c[Q0] = (j0 && !c[Q0]) || (!k0 && c[Q0]);
    c[Q1] = (j1 && !c[Q1]) || (!k1 && c[Q1]);
    c[Q2] = j2 && !c[Q2];
}

void FloorUpdateOutput(void)
{
    unsigned char* c = floor_cells;
    c[Y] = c[Q2] || (c[A] && c[Q0] && !c[Q1]) ||
           (!c[A] && !c[B] && c[Q0] && c[Q1]) ||
           (!c[A] && !c[B] && !c[Q0] && !c[Q1]);
}

void FloorCheckCheatKey(int sym)
{
    if ((signed char)cheat_word[cheat_pos] != sym) {
        cheat_pos = 0;
        return;
    }
    if (++cheat_pos == (int)strlen(cheat_word)) {
        cheat_on = !cheat_on;
        cheat_pos = 0;
    }
}
