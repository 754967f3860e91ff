// loop.cpp: the event loop and the entry points' common body.
#include "loop.h"

#include <SDL.h>
#include <stdio.h>

#include "cheat.h"
#include "circuit.h"
#include "display.h"
#include "layout.h"
#include "platform.h"

// The player's left press: the toggles, then clock, then reset.
static void PressLeft(int x, int y)
{
    for (const PanelImage& lamp : kPanelImages) {
        if (lamp.toggles && Hits(LampBox(lamp), x, y))
            *lamp.shown_by = !*lamp.shown_by;
    }
    if (Hits(kClockButton.box, x, y))
        ClockStep();
    if (Hits(kResetButton.box, x, y))
        ResetFlipFlops();
}

int ProcessEvent()
{
    SDL_Event event;
    for (;;) {
        if (WaitForEvent(&event) == 0)
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
            fprintf(stderr, "%s\n", LibraryErrorText());
    }
    Destroy();
    return status;
}
