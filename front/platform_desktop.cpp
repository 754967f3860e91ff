// platform_desktop.cpp: the front end's platform on Linux and Windows,
// where SDL 1.2 and SDL_image do all of it.
#include "platform.h"

#include <SDL_image.h>

int StartVideo()
{
    return SDL_Init(SDL_INIT_VIDEO);
}

int WaitForEvent(SDL_Event* event)
{
    return SDL_WaitEvent(event);
}

SDL_Surface* ToDisplayFormat(SDL_Surface* image)
{
    return SDL_DisplayFormat(image);
}

const char* LibraryErrorText()
{
    return SDL_GetError();
}

SDL_Surface* LoadImageFile(const char* path)
{
    return IMG_Load(path);
}
