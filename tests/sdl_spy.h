// sdl_spy.h: watches and breaks SDL calls made by the front end in tests.
//
// The front-end test binary is linked with --wrap for each function below,
// so the front end's calls pass through here on their way to SDL: loads
// and frees are logged, flips are counted, and a chosen call can be made
// to fail the way SDL reports failure.
#ifndef ZELM_TESTS_SDL_SPY_H
#define ZELM_TESTS_SDL_SPY_H

#include <SDL.h>

#include <string>
#include <vector>

struct SdlSpy {
    std::vector<std::string> loaded; // paths given to IMG_Load, in order
    std::vector<SDL_Surface*> freed; // surfaces given to SDL_FreeSurface
    int flips;                       // calls of SDL_Flip
    bool fail_video_mode;            // SDL_SetVideoMode returns null
    int fail_conversion_at;          // the n-th SDL_DisplayFormat (from 1)
    int conversions;                 // calls of SDL_DisplayFormat so far
    bool fail_wait;                  // SDL_WaitEvent returns 0
};

extern SdlSpy g_spy;

// Forgets the log and every injected failure.
void ResetSpy();

#endif
