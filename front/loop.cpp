// loop.cpp: the event loop and the entry points' common body.
#include "loop.h"

#include <SDL.h>
#include <stdio.h>

#include "cheat.h"
#include "circuit.h"
#include "display.h"

// A screen area that matches x and y with left < x <= right and
// top < y <= bottom: the lower bounds are exclusive, the upper inclusive.
struct HitBox {
    int left, right, top, bottom;
};

// Each lamp's box is the 24 x 24 square one pixel right of and below the
// lamp's drawing point.  No two boxes overlap, so a press acts at most once.
struct LampBox {
    HitBox box;
    bool* cell;
};

static const LampBox kLampBoxes[] = {
    {{30, 54, 72, 96},     &g_circuit.a },
    {{30, 54, 118, 142},   &g_circuit.b },
    {{192, 216, 204, 228}, &g_circuit.q0},
    {{156, 180, 204, 228}, &g_circuit.q1},
    {{115, 139, 204, 228}, &g_circuit.q2},
};
static const HitBox kClockBox = {116, 140, 9, 33};
static const HitBox kResetBox = {189, 213, 10, 34};

static bool Hits(const HitBox& box, int x, int y)
{
    return box.left < x && x <= box.right && box.top < y && y <= box.bottom;
}

// The player's left press: the toggles, then clock, then reset.
static void PressLeft(int x, int y)
{
    for (const LampBox& lamp : kLampBoxes) {
        if (Hits(lamp.box, x, y))
            *lamp.cell = !*lamp.cell;
    }
    if (Hits(kClockBox, x, y))
        ClockStep();
    if (Hits(kResetBox, x, y))
        ResetFlipFlops();
}

int ProcessEvent()
{
    SDL_Event event;
    for (;;) {
        if (SDL_WaitEvent(&event) == 0)
            return 1;
        switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT)
                PressLeft(event.button.x, event.button.y);
            UpdateOutput();
            break;
        case SDL_KEYDOWN:
            // Every key reaches the matcher, Escape included.
            CheckCheatKey(event.key.keysym.sym);
            if (event.key.keysym.sym == SDLK_ESCAPE)
                return 0;
            break;
        case SDL_QUIT:
            return 0;
        default:
            break;
        }
        Draw();
    }
}

int RunPanel()
{
    int status = 1;
    if (Init()) {
        // A failed wait is no way to end a normal run: say so and exit 1.
        status = ProcessEvent();
        if (status != 0)
            fprintf(stderr, "%s\n", SDL_GetError());
    }
    Destroy();
    return status;
}
