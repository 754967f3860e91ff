// storm_test.cpp: a seeded storm of random events through the real loop.
//
// Over 100 000 events go through ProcessEvent under SDL's dummy driver, in
// batches that each end with a quit: presses of every button (hit-box
// edges favoured), releases, motion, focus changes and key presses (the
// cheat word's letters favoured).  After every batch each cell holds 0 or
// 1, the cheat position lies within the word and every event but the quit
// drew one frame; every clock press moves the lamps as the state table
// says.  Escape comes only at the very end.
#include <gtest/gtest.h>
#include <string.h>

#include <random>
#include <vector>

#include "cheat.h"
#include "circuit.h"
#include "circuit_tables.h"
#include "display.h"
#include "harness.h"
#include "loop.h"
#include "sdl_spy.h"

namespace
{

const int kEvents = 100000;
const int kBatch = 100; // SDL 1.2's queue holds 127 events
const char kLetters[] = "gnarlwick";

std::mt19937 g_random(20261207);

int Pick(int n)
{
    return static_cast<int>(g_random() % static_cast<unsigned>(n));
}

// A point near an edge of a hit box half the time, anywhere otherwise.
void PickPoint(int* x, int* y)
{
    if (Pick(2) == 0) {
        *x = Pick(320);
        *y = Pick(240);
        return;
    }
    const HitBoxCase& box = kHitBoxes[Pick(kHitBoxCount)];
    *x = box.left + Pick(box.right - box.left + 3) - 1;
    *y = box.top + Pick(box.bottom - box.top + 3) - 1;
    if (Pick(2) == 0)
        *x = (Pick(2) ? box.left : box.right) + Pick(3) - 1;
    else
        *y = (Pick(2) ? box.top : box.bottom) + Pick(3) - 1;
}

bool InClockBox(int x, int y)
{
    const HitBoxCase& clock = kHitBoxes[5];
    return clock.left < x && x <= clock.right && clock.top < y &&
           y <= clock.bottom;
}

SDL_Event MakeKey(Uint8 type, int sym)
{
    SDL_Event event = SDL_Event();
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    return event;
}

// One random event that does not end the loop.
SDL_Event RandomEvent()
{
    SDL_Event event = SDL_Event();
    int x, y;
    switch (Pick(8)) {
    case 0:
    case 1:
    case 2:
        PickPoint(&x, &y);
        event.button.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = Pick(3) ? SDL_BUTTON_LEFT : 1 + Pick(5);
        event.button.state = SDL_PRESSED;
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
        return event;
    case 3:
        PickPoint(&x, &y);
        event.button.type = SDL_MOUSEBUTTONUP;
        event.button.button = 1 + Pick(5);
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
        return event;
    case 4:
        event.motion.type = SDL_MOUSEMOTION;
        event.motion.x = static_cast<Uint16>(Pick(320));
        event.motion.y = static_cast<Uint16>(Pick(240));
        return event;
    case 5:
        event.active.type = SDL_ACTIVEEVENT;
        event.active.gain = static_cast<Uint8>(Pick(2));
        event.active.state = SDL_APPINPUTFOCUS;
        return event;
    case 6: {
        // Mostly the letter the matcher waits for, so words complete.
        int sym = Pick(4)   ? kLetters[g_cheat_pos]
                  : Pick(2) ? SDLK_LSHIFT
                            : 1 + Pick(SDLK_LAST - 1);
        if (sym == SDLK_ESCAPE)
            sym = SDLK_SPACE;
        return MakeKey(SDL_KEYDOWN, sym);
    }
    default:
        return MakeKey(SDL_KEYUP, kLetters[Pick(9)]);
    }
}

void ExpectSound(int batch)
{
    const unsigned char* bytes =
        reinterpret_cast<const unsigned char*>(&g_circuit);
    for (size_t i = 0; i < sizeof g_circuit; i++)
        ASSERT_LE(bytes[i], 1) << "cell " << i << " after batch " << batch;
    ASSERT_LE(static_cast<unsigned char>(g_cheat_flag), 1);
    ASSERT_GE(g_cheat_pos, 0);
    ASSERT_LE(g_cheat_pos, 8);
}

int StateNumber()
{
    return g_circuit.q2 * 4 + g_circuit.q1 * 2 + g_circuit.q0;
}

TEST(Storm, ARandomStormLeavesThePanelSound)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(0, chdir(ZELM_SOURCE_DIR));
    ASSERT_TRUE(Init());
    ResetSpy();
    int handled = 0, clocks = 0, toggles = 0;
    for (int batch = 0; handled < kEvents; batch++) {
        std::vector<SDL_Event> events;
        bool clock = false;
        while (events.size() < kBatch && !clock) {
            events.push_back(RandomEvent());
            const SDL_MouseButtonEvent& press = events.back().button;
            clock = press.type == SDL_MOUSEBUTTONDOWN &&
                    press.button == SDL_BUTTON_LEFT &&
                    InClockBox(press.x, press.y);
        }
        // A clock press runs alone, so that the state it starts from is
        // known; the events before it form their own batch.
        std::vector<SDL_Event> runs[2] = {events, {}};
        if (clock) {
            runs[1].push_back(events.back());
            runs[0].pop_back();
        }
        for (const std::vector<SDL_Event>& run : runs) {
            if (run.empty())
                continue;
            int from = StateNumber();
            int inputs = g_circuit.a * 2 + g_circuit.b;
            int flips = g_spy.flips;
            for (const SDL_Event& event : run)
                Push(event);
            RunQueue();
            ASSERT_EQ(flips + static_cast<int>(run.size()), g_spy.flips);
            handled += static_cast<int>(run.size());
            ExpectSound(batch);
            if (&run == &runs[1]) {
                clocks++;
                char now[4] = {char('0' + g_circuit.q2),
                               char('0' + g_circuit.q1),
                               char('0' + g_circuit.q0), '\0'};
                ASSERT_STREQ(kNextState[from][inputs], now)
                    << "clock from " << from << " with ab=" << inputs;
                ASSERT_EQ(kOutput[StateNumber()][inputs], g_circuit.y);
            } else {
                toggles += from != StateNumber();
            }
        }
    }
    EXPECT_GT(clocks, 500);
    EXPECT_GT(toggles, 500);

    // Escape ends it, after feeding the matcher; what follows stays queued.
    PushMotion(3, 3);
    Push(MakeKey(SDL_KEYDOWN, SDLK_ESCAPE));
    PushPress(SDL_BUTTON_LEFT, 128, 20);
    int flips = g_spy.flips;
    EXPECT_EQ(0, ProcessEvent());
    EXPECT_EQ(flips + 1, g_spy.flips);
    EXPECT_EQ(0, g_cheat_pos);
    Destroy();
}

} // namespace
