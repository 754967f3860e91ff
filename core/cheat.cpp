// cheat.cpp: the cheat word matcher.
#include "cheat.h"

#include <string.h>

char g_cheat_str[10] = "gnarlwick";
int32_t g_cheat_pos = 0;
bool g_cheat_flag = false;

void CheckCheatKey(int sym)
{
    // The letter is read as a signed char: the word is plain ASCII, so no
    // key code above 127 can ever match it.
    int expected = static_cast<signed char>(g_cheat_str[g_cheat_pos]);
    if (expected != sym) {
        g_cheat_pos = 0;
        return;
    }
    g_cheat_pos++;
    if (g_cheat_pos == static_cast<int32_t>(strlen(g_cheat_str))) {
        g_cheat_flag = !g_cheat_flag;
        g_cheat_pos = 0;
    }
}
