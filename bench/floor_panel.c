/* floor_panel.c: opens the same window, loads the same images and fills,
 * blits and flips the same way as zelm, with nothing else around it. */
#include "floor_panel.h"

#include <SDL.h>
#include <SDL_image.h>
#include <stdio.h>

#include "floor_core.h"

static SDL_Surface* screen;
static SDL_Surface* images[8];
static const char* files[8] = {
    "data/zelm.png", "data/q0.png", "data/q1.png", "data/q2.png",
    "data/a.png",    "data/b.png",  "data/y.png",  "data/gnarlwick.png"};
/* Drawing order as image index, cell index (-1: always) and position. */
static const int order[7][4] = {
    {0, -1, 0, 0},  {3, 4, 115, 204}, {2, 3, 156, 204}, {1, 2, 192, 204},
    {4, 0, 30, 72}, {5, 1, 30, 118},  {6, 5, 272, 112},
};

int FloorInit(void)
{
    int i;
    if (SDL_Init(SDL_INIT_VIDEO) == -1)
        return 0;
    screen = SDL_SetVideoMode(320, 240, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == NULL)
        return 0;
    SDL_WM_SetCaption("Zelmora :-)", NULL);
    for (i = 0; i < 8; i++) {
        SDL_Surface* raw = IMG_Load(files[i]);
        if (raw == NULL)
            return 0;
        images[i] =
            i == 0 ? SDL_DisplayFormatAlpha(raw) : SDL_DisplayFormat(raw);
        SDL_FreeSurface(raw);
        if (images[i] == NULL)
            return 0;
    }
    return 1;
}

void FloorDraw(void)
{
    SDL_Rect where;
    int i;
    SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 255, 255, 255));
    for (i = 0; i < 7; i++) {
        if (order[i][1] >= 0 && !floor_cells[order[i][1]])
            continue;
        where.x = (Sint16)order[i][2];
        where.y = (Sint16)order[i][3];
        SDL_BlitSurface(images[order[i][0]], NULL, screen, &where);
    }
    SDL_Flip(screen);
}

int FloorRun(void)
{
    SDL_Event event;
    while (SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT)
            return 0;
        if (event.type == SDL_KEYDOWN) {
            FloorCheckCheatKey(event.key.keysym.sym);
            if (event.key.keysym.sym == SDLK_ESCAPE)
                return 0;
        }
        if (event.type == SDL_MOUSEBUTTONDOWN) {
            if (event.button.button == SDL_BUTTON_LEFT &&
                event.button.x > 116 && event.button.x <= 140 &&
                event.button.y > 9 && event.button.y <= 33)
                FloorClockStep();
            FloorUpdateOutput();
        }
        FloorDraw();
    }
    return 1;
}

void FloorDestroy(void)
{
    int i;
    for (i = 0; i < 8; i++)
        if (images[i] != NULL)
            SDL_FreeSurface(images[i]);
    SDL_Quit();
}
