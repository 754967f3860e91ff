// storm_test.cpp: a seeded storm of random events through the real loop.
//
// Over 100 000 events go through ProcessEvent under SDL's dummy driver, in
// batches that each end with a quit: presses of every button (hit-box
// edges favoured), releases, motion, focus changes and key presses (the
// cheat word's letters favoured).  After every batch each cell holds 0 or
// 1, the cheat position lies within the word and every event but the quit
// drew one frame; every clock press moves the lamps as the state table
// says; and the overlay is shown after an odd number of whole words, many
// of which come.  Escape comes only at the very end.
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

// Where the matcher will stand once the keys picked so far are handled,
// and how many whole words it will have seen: the letters are picked
// from there, so that words complete within a batch as across batches.
int g_planned = 0;
int g_words = 0;

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
    const HitBoxCase& box =
        HitBoxes()[Pick(static_cast<int>(HitBoxes().size()))];
    *x = box.left + Pick(box.right - box.left + 3) - 1;
    *y = box.top + Pick(box.bottom - box.top + 3) - 1;
    if (Pick(2) == 0)
        *x = (Pick(2) ? box.left : box.right) + Pick(3) - 1;
    else
        *y = (Pick(2) ? box.top : box.bottom) + Pick(3) - 1;
}

bool InClockBox(int x, int y)
{
    const HitBoxCase& clock = HitBoxOf("clock");
    return clock.left < x && x <= clock.right && clock.top < y &&
           y <= clock.bottom;
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
        return ButtonEvent(SDL_MOUSEBUTTONDOWN,
                           Pick(3) ? SDL_BUTTON_LEFT : 1 + Pick(5), x, y);
    case 3:
        PickPoint(&x, &y);
        return ButtonEvent(SDL_MOUSEBUTTONUP, 1 + Pick(5), x, y);
    case 4:
        return MotionEvent(Pick(320), Pick(240));
    case 5:
        event.active.type = SDL_ACTIVEEVENT;
        event.active.gain = static_cast<Uint8>(Pick(2));
        event.active.state = SDL_APPINPUTFOCUS;
        return event;
    case 6: {
        // Mostly the letter the matcher will wait for, so words complete.
        int sym = Pick(4)   ? kLetters[g_planned]
                  : Pick(2) ? SDLK_LSHIFT
                            : 1 + Pick(SDLK_LAST - 1);
        if (sym == SDLK_ESCAPE)
            sym = SDLK_SPACE;
        // The word's letters in a row; any other key starts it again.
        g_planned = sym == kLetters[g_planned] ? g_planned + 1 : 0;
        if (g_planned == 9) {
            g_planned = 0;
            g_words++;
        }
        return KeyEvent(SDL_KEYDOWN, sym);
    }
    default:
        return KeyEvent(SDL_KEYUP, kLetters[Pick(9)]);
    }
}

void ExpectSound(int batch)
{
    const unsigned char* bytes =
        reinterpret_cast<const unsigned char*>(&g_circuit);
    for (size_t i = 0; i < sizeof g_circuit; i++)
        ASSERT_LE(bytes[i], 1) << "cell " << i << " after batch " << batch;
    unsigned char flag;
    memcpy(&flag, &g_cheat_flag, 1);
    ASSERT_LE(flag, 1) << "the overlay's flag after batch " << batch;
    ASSERT_EQ(g_words % 2, flag) << g_words << " words by batch " << batch;
    ASSERT_EQ(g_planned, g_cheat_pos) << "after batch " << batch;
}

int StateNumber()
{
    return g_circuit.q2 * 4 + g_circuit.q1 * 2 + g_circuit.q0;
}

// Handles one batch through the loop: one frame for each event, and every
// cell and the matcher left sound.
void RunBatch(const std::vector<SDL_Event>& events, int batch)
{
    int flips = g_spy.flips;
    for (const SDL_Event& event : events)
        Push(event);
    RunQueue();
    ASSERT_EQ(flips + static_cast<int>(events.size()), g_spy.flips);
    ExpectSound(batch);
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
        handled += static_cast<int>(events.size());

        // A clock press runs alone, after the events before it, so that
        // the state it starts from is known.
        std::vector<SDL_Event> press;
        if (clock) {
            press.push_back(events.back());
            events.pop_back();
        }
        int before = StateNumber();
        ASSERT_NO_FATAL_FAILURE(RunBatch(events, batch));
        toggles += before != StateNumber();
        if (!clock)
            continue;
        int from = StateNumber();
        int inputs = g_circuit.a * 2 + g_circuit.b;
        ASSERT_NO_FATAL_FAILURE(RunBatch(press, batch));
        clocks++;
        ASSERT_EQ(kNextState[from][inputs], Cells().substr(3))
            << "clock from " << from << " with ab=" << inputs;
        ASSERT_EQ(kOutput[StateNumber()][inputs], g_circuit.y);
    }
    EXPECT_GT(clocks, 500);
    EXPECT_GT(toggles, 500);
    EXPECT_GT(g_words, 100);

    // Escape ends it, after feeding the matcher; what follows stays queued.
    PushMotion(3, 3);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    PushPress(SDL_BUTTON_LEFT, 128, 20);
    int flips = g_spy.flips;
    EXPECT_EQ(0, ProcessEvent());
    EXPECT_EQ(flips + 1, g_spy.flips);
    EXPECT_EQ(0, g_cheat_pos);
    Destroy();
}

} // namespace
