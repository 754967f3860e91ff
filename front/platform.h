// platform.h: what each platform supplies to the front end, one source
// file a platform: platform_desktop.cpp (Linux and Windows) and
// platform_web.cpp (the browser).
//
// The desktop's SDL 1.2 does all five itself.  The browser's listens for
// the page's unload as it starts, cannot block in a wait, has no
// conversion that drops alpha, and gives no reason when an image cannot be
// loaded: its file makes up for each.
#ifndef ZELM_FRONT_PLATFORM_H
#define ZELM_FRONT_PLATFORM_H

#include <SDL.h>

// Starts SDL's video, as SDL_Init(SDL_INIT_VIDEO) does: 0, or -1 when it
// cannot.
int StartVideo();

// Waits for the next event and fills it in: 1, or 0 when the wait fails.
int WaitForEvent(SDL_Event* event);

// A copy of an opaque image in the display's format, for blitting as it
// is; null when it cannot be made.  The desktop's copy drops the alpha
// channel; the browser's keeps it (every surface there has one), which
// draws an opaque image the same.
SDL_Surface* ToDisplayFormat(SDL_Surface* image);

// Why the last library call failed, in the library's words.
const char* LibraryErrorText();

// The image decoded from the file at path, or null.
SDL_Surface* LoadImageFile(const char* path);

#endif
