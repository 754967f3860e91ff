/* floor_web.c: the two calls the browser's SDL 1.2 lacks, for the floor
 * page: the plainest browser wait, a look for events every 10 ms as
 * desktop SDL waits, and the conversion that keeps alpha for the one that
 * drops it (every browser surface is RGBA). */
#include <SDL.h>
#include <emscripten.h>

int SDL_WaitEvent(SDL_Event* event)
{
    while (!SDL_PollEvent(event))
        emscripten_sleep(10);
    return 1;
}

SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface)
{
    return SDL_DisplayFormatAlpha(surface);
}
