// display.h: the window, the panel images and the drawing of one frame.
//
// Init starts SDL, opens the 320 x 240 window and loads every image in a
// fixed order, stopping at the first failure with one line on stderr.
// Draw composes a whole frame from the circuit and flips it.  Destroy frees
// whatever Init managed to acquire and shuts SDL down; it is safe after a
// failed Init, whichever step failed, and is called exactly once.
#ifndef ZELM_FRONT_DISPLAY_H
#define ZELM_FRONT_DISPLAY_H

#include <SDL.h>

extern SDL_Surface* g_screen; // owned by SDL, never freed here

// The loaded images ("gi_" is for "global image", then the image's name),
// converted to the display format; null until loaded.
extern SDL_Surface* gi_zelm;      // background panel, with alpha
extern SDL_Surface* gi_a;         // lit lamp of input a
extern SDL_Surface* gi_b;         // lit lamp of input b
extern SDL_Surface* gi_q0;        // lit lamp of flip-flop 0
extern SDL_Surface* gi_q1;        // lit lamp of flip-flop 1
extern SDL_Surface* gi_q2;        // lit lamp of flip-flop 2
extern SDL_Surface* gi_y;         // lit lamp of output y
extern SDL_Surface* gi_gnarlwick; // the cheat overlay

// Starts SDL, the window and every image; false at the first failure.
bool Init();

// Loads one image and converts it to the display format, keeping per-pixel
// alpha only when asked; null (after one line on stderr) on failure.
// <windows.h> must never be seen beside it: it defines LoadImage as a macro
// for LoadImageA, which would rename this function behind our back.
SDL_Surface* LoadImage(const char* path, bool alpha);

// Paints white, the background, every lit lamp and, while the cheat flag
// is on, the overlay; then flips.
void Draw();

// Frees the loaded images in load order, then shuts SDL down.
void Destroy();

#endif
