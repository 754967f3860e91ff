// sdl_spy.cpp: the --wrap functions behind SdlSpy.
#include "sdl_spy.h"

#include <SDL_image.h>

SdlSpy g_spy;

void ResetSpy()
{
    g_spy = SdlSpy();
}

extern "C" {

SDL_Surface* __real_IMG_Load(const char* file);
void __real_SDL_FreeSurface(SDL_Surface* surface);
int __real_SDL_Flip(SDL_Surface* screen);
int __real_SDL_WaitEvent(SDL_Event* event);
SDL_Surface* __real_SDL_SetVideoMode(int width, int height, int bpp,
                                     Uint32 flags);
SDL_Surface* __real_SDL_DisplayFormat(SDL_Surface* surface);

SDL_Surface* __wrap_IMG_Load(const char* file)
{
    g_spy.loaded.push_back(file);
    return __real_IMG_Load(file);
}

void __wrap_SDL_FreeSurface(SDL_Surface* surface)
{
    g_spy.freed.push_back(surface);
    __real_SDL_FreeSurface(surface);
}

int __wrap_SDL_Flip(SDL_Surface* screen)
{
    g_spy.flips++;
    return __real_SDL_Flip(screen);
}

int __wrap_SDL_WaitEvent(SDL_Event* event)
{
    if (g_spy.fail_wait) {
        SDL_SetError("Event wait broken by the test");
        return 0;
    }
    return __real_SDL_WaitEvent(event);
}

SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bpp,
                                     Uint32 flags)
{
    if (g_spy.fail_video_mode) {
        SDL_SetError("Video mode refused by the test");
        return NULL;
    }
    return __real_SDL_SetVideoMode(width, height, bpp, flags);
}

SDL_Surface* __wrap_SDL_DisplayFormat(SDL_Surface* surface)
{
    if (++g_spy.conversions == g_spy.fail_conversion_at) {
        SDL_SetError("Conversion refused by the test");
        return NULL;
    }
    return __real_SDL_DisplayFormat(surface);
}

} // extern "C"
