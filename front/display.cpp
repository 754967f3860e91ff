// display.cpp: start-up, drawing and shutdown of the panel window.
#include "display.h"

#include <SDL_image.h>
#include <stdio.h>

#include "cheat.h"
#include "circuit.h"

static const int kScreenWidth = 320;
static const int kScreenHeight = 240;

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

// The frame in drawing order: each image is blitted at its own full size
// with its top-left corner at (x, y) whenever its cell is true.  The cheat
// overlay comes last, over everything; it fits between the lamps.
static const bool kAlways = true;

struct Layer {
    SDL_Surface** image;
    const bool* shown;
    Sint16 x, y;
};

static const Layer kLayout[] = {
    {&gi_zelm,      &kAlways,      0,   0  },
    {&gi_q2,        &g_circuit.q2, 115, 204},
    {&gi_q1,        &g_circuit.q1, 156, 204},
    {&gi_q0,        &g_circuit.q0, 192, 204},
    {&gi_a,         &g_circuit.a,  30,  72 },
    {&gi_b,         &g_circuit.b,  30,  118},
    {&gi_y,         &g_circuit.y,  272, 112},
    {&gi_gnarlwick, &g_cheat_flag, 114, 82 },
};

bool Init()
{
    if (SDL_Init(SDL_INIT_VIDEO) == -1) {
        fprintf(stderr, "Unable to initialize SDL: %s\n", SDL_GetError());
        return false;
    }
    g_screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, 0,
                                SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (g_screen == NULL) {
        fprintf(stderr, "Unable to set %dx%d video: %s\n", kScreenWidth,
                kScreenHeight, SDL_GetError());
        return false;
    }
    SDL_WM_SetCaption("Zelmora :-)", NULL);
    for (const Asset& asset : kAssets) {
        *asset.handle = LoadImage(asset.path, asset.alpha);
        if (*asset.handle == NULL)
            return false;
    }
    return true;
}

SDL_Surface* LoadImage(const char* path, bool alpha)
{
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
    // One rectangle serves every blit; SDL may clip it in place, so its
    // corner is set afresh each time.
    SDL_Rect where = {0, 0, 0, 0};
    for (const Layer& layer : kLayout) {
        if (!*layer.shown)
            continue;
        where.x = layer.x;
        where.y = layer.y;
        SDL_BlitSurface(*layer.image, NULL, g_screen, &where);
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
