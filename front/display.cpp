// display.cpp: start-up, drawing and shutdown of the panel window.
#include "display.h"

#include <SDL_image.h>
#include <stdio.h>

#include "cheat.h"
#include "image_file.h"
#include "layout.h"

SDL_Surface* g_screen = NULL;
SDL_Surface* gi_zelm = NULL;
SDL_Surface* gi_a = NULL;
SDL_Surface* gi_b = NULL;
SDL_Surface* gi_q0 = NULL;
SDL_Surface* gi_q1 = NULL;
SDL_Surface* gi_q2 = NULL;
SDL_Surface* gi_y = NULL;
SDL_Surface* gi_gnarlwick = NULL;

// The images in load order, which is also the order Destroy frees them in.
// Only the background keeps its alpha: it is blended over the white fill,
// while the lamps are opaque squares cut from the panel itself.  The cheat
// overlay is required at start like the rest, though shown only on demand.
struct Asset {
    const char* path;
    bool alpha;
    SDL_Surface** handle;
};

static const Asset kAssets[] = {
    {"data/zelm.png",      true,  &gi_zelm     },
    {"data/q0.png",        false, &gi_q0       },
    {"data/q1.png",        false, &gi_q1       },
    {"data/q2.png",        false, &gi_q2       },
    {"data/a.png",         false, &gi_a        },
    {"data/b.png",         false, &gi_b        },
    {"data/y.png",         false, &gi_y        },
    {"data/gnarlwick.png", false, &gi_gnarlwick},
};

// The lit lamps' images, in the order of kLamps.
static SDL_Surface** const kLampImages[] = {&gi_q2, &gi_q1, &gi_q0,
                                            &gi_a,  &gi_b,  &gi_y};
static_assert(sizeof kLampImages / sizeof kLampImages[0] == kLampCount,
              "one image for each lamp");

bool Init()
{
    if (SDL_Init(SDL_INIT_VIDEO) == -1) {
        fprintf(stderr, "Unable to initialize SDL: %s\n", SDL_GetError());
        return false;
    }
    g_screen = SDL_SetVideoMode(kPanelWidth, kPanelHeight, 0,
                                SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (g_screen == NULL) {
        fprintf(stderr, "Unable to set %dx%d video: %s\n", kPanelWidth,
                kPanelHeight, SDL_GetError());
        return false;
    }
    SDL_WM_SetCaption(kCaption, NULL);
    for (const Asset& asset : kAssets) {
        *asset.handle = LoadImage(asset.path, asset.alpha);
        if (*asset.handle == NULL)
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
    SDL_Surface* loaded = IMG_Load(path);
    if (loaded == NULL) {
        fprintf(stderr, "%s\n", SDL_GetError());
        return NULL;
    }
    SDL_Surface* converted =
        alpha ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
    if (converted == NULL)
        fprintf(stderr, "%s\n", SDL_GetError());
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
    SDL_BlitSurface(gi_zelm, NULL, g_screen, &where);
    for (int i = 0; i < kLampCount; i++) {
        if (!*kLamps[i].cell)
            continue;
        where.x = static_cast<Sint16>(kLamps[i].x);
        where.y = static_cast<Sint16>(kLamps[i].y);
        SDL_BlitSurface(*kLampImages[i], NULL, g_screen, &where);
    }
    if (g_cheat_flag) {
        where.x = kOverlayX;
        where.y = kOverlayY;
        SDL_BlitSurface(gi_gnarlwick, NULL, g_screen, &where);
    }
    SDL_Flip(g_screen);
}

void Destroy()
{
    // The handles go back to null so that a later Init starts clean, as the
    // tests do many times in one process.
    for (const Asset& asset : kAssets) {
        if (*asset.handle != NULL)
            SDL_FreeSurface(*asset.handle);
        *asset.handle = NULL;
    }
    SDL_Quit();
    g_screen = NULL;
}
