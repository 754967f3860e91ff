// cheat.h: watches the key presses for the cheat word.
//
// Every key press goes through CheckCheatKey.  Each complete, unbroken
// typing of the word flips g_cheat_flag, which the front end shows as the
// cheat overlay.  One matcher for the whole program, off at start.
#ifndef ZELM_CORE_CHEAT_H
#define ZELM_CORE_CHEAT_H

#include <stdint.h>

extern char g_cheat_str[10]; // the word, "gnarlwick", in a writable buffer
extern int32_t g_cheat_pos;  // letters matched so far, 0 to 8
extern bool g_cheat_flag;    // whether the overlay is shown

// Feeds one key press, as SDL's key symbol: a letter key gives its
// lowercase ASCII code, Shift or not.  Any key that is not the next letter
// restarts the match, without being tried as the first letter again.
void CheckCheatKey(int sym);

#endif
