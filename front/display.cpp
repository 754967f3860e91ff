// display.cpp: start-up, drawing and shutdown of the panel window.
#include "display.h"

#include <stdio.h>

#include "image_file.h"
#include "layout.h"
#include "platform.h"

SDL_Surface* g_screen = NULL;
SDL_Surface* gi_zelm = NULL;
SDL_Surface* gi_a = NULL;
SDL_Surface* gi_b = NULL;
SDL_Surface* gi_q0 = NULL;
SDL_Surface* gi_q1 = NULL;
SDL_Surface* gi_q2 = NULL;
SDL_Surface* gi_y = NULL;
SDL_Surface* gi_gnarlwick = NULL;

// The handle of each image, in the order of the images' names, which is
// the order they load and are freed in.
struct Handle {
    ImageName name;
    SDL_Surface** surface;
};

static constexpr Handle kHandles[] = {
    {kImageZelm, &gi_zelm}, {kImageQ0, &gi_q0},
    {kImageQ1, &gi_q1},     {kImageQ2, &gi_q2},
    {kImageA, &gi_a},       {kImageB, &gi_b},
    {kImageY, &gi_y},       {kImageGnarlwick, &gi_gnarlwick},
};

static constexpr bool OneHandleForEachNameInOrder()
{
    int name = 0;
    for (const Handle& handle : kHandles) {
        if (handle.name != name++)
            return false;
    }
    return name == kImageCount;
}
static_assert(OneHandleForEachNameInOrder(), "a handle for each image");

bool Init()
{
    if (StartVideo() == -1) {
        fprintf(stderr, "Unable to initialize SDL: %s\n", LibraryErrorText());
        return false;
    }
    g_screen = SDL_SetVideoMode(kPanelWidth, kPanelHeight, 0,
                                SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (g_screen == NULL) {
        fprintf(stderr, "Unable to set %dx%d video: %s\n", kPanelWidth,
                kPanelHeight, LibraryErrorText());
        return false;
    }
    SDL_WM_SetCaption(kCaption, NULL);
    // Only the background keeps its alpha: it is blended over the white
    // fill, while the lamps are opaque squares cut from the panel itself.
    // The cheat overlay is required at start like the rest, though shown
    // only on demand.
    for (const Handle& handle : kHandles) {
        const PanelImage& image = ImageNamed(handle.name);
        *handle.surface = LoadImage(image.path, image.keeps_alpha);
        if (*handle.surface == NULL)
            return false;
    }
    return true;
}

SDL_Surface* LoadImage(const char* path, bool alpha)
{
    const char* fault = ImageFileFault(path);
    if (fault != NULL) {
        fprintf(stderr, "%s: %s\n", path, fault);
        return NULL;
    }
    SDL_Surface* loaded = LoadImageFile(path);
    if (loaded == NULL) {
        fprintf(stderr, "%s\n", LibraryErrorText());
        return NULL;
    }
    SDL_Surface* converted =
        alpha ? SDL_DisplayFormatAlpha(loaded) : ToDisplayFormat(loaded);
    if (converted == NULL)
        fprintf(stderr, "%s\n", LibraryErrorText());
    SDL_FreeSurface(loaded);
    return converted;
}

void Draw()
{
    SDL_FillRect(g_screen, NULL, SDL_MapRGB(g_screen->format, 255, 255, 255));
    // The background, each lit lamp, then the overlay over everything.  One
    // rectangle serves every blit; SDL may clip it in place, so its corner
    // is set afresh each time.
    SDL_Rect where = {0, 0, 0, 0};
    for (const PanelImage& image : kPanelImages) {
        if (image.shown_by != NULL && !*image.shown_by)
            continue;
        where.x = static_cast<Sint16>(image.x);
        where.y = static_cast<Sint16>(image.y);
        SDL_BlitSurface(*kHandles[image.name].surface, NULL, g_screen, &where);
    }
    SDL_Flip(g_screen);
}

void Destroy()
{
    // The handles go back to null so that a later Init starts clean, as the
    // tests do many times in one process.
    for (const Handle& handle : kHandles) {
        if (*handle.surface != NULL)
            SDL_FreeSurface(*handle.surface);
        *handle.surface = NULL;
    }
    SDL_Quit();
    g_screen = NULL;
}
