// front_test.cpp: start-up, shutdown and the event loop, in process.
//
// Runs under SDL's dummy video driver, so no display is needed.  Each
// start-up case runs in a temporary working directory holding links to
// just the images it wants; the event cases push events onto SDL's queue
// and let ProcessEvent handle them until a final quit.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cheat.h"
#include "circuit.h"
#include "display.h"
#include "harness.h"
#include "layout.h"
#include "loop.h"
#include "sdl_spy.h"

namespace
{

// The tests' tables name every image the program loads and every lamp a
// press toggles, so that none is passed over unseen.
TEST(Tables, NameEveryImageAndLampOfTheProgram)
{
    for (const PanelImage& image : kPanelImages) {
        std::string file = std::string(image.path).substr(strlen("data/"));
        EXPECT_TRUE(std::any_of(Images().begin(), Images().end(),
                                [&](auto& row) { return row.file == file; }))
            << "core/layout.cpp loads " << image.path
            << ", for which tests/panel_tables.txt has no image row";
        std::string lamp = "lamp " + file.substr(0, file.find('.'));
        if (image.toggles) {
            EXPECT_TRUE(
                std::any_of(HitBoxes().begin(), HitBoxes().end(),
                            [&](auto& box) { return box.target == lamp; }))
                << "a press toggles " << image.path
                << ", for which tests/panel_tables.txt has no hitbox row '"
                << lamp << "'";
        }
    }
}

class StartUp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(0, chdir(ZELM_SOURCE_DIR));
        ResetSpy();
    }
    void TearDown() override
    {
        if (!work_dir.empty())
            LeaveWorkDir(work_dir);
    }
    std::string work_dir;
};

TEST_F(StartUp, WithoutADataFolderPrintsOnlyTheLibrarysLine)
{
    work_dir = EnterWorkDir({}, false);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    std::string error = SDL_GetError();
    Destroy();
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error + "\n", printed);
    EXPECT_EQ(std::vector<std::string>{"data/zelm.png"}, g_spy.loaded);
}

TEST_F(StartUp, LoadsEveryImageInOrderWithItsAlphaChoice)
{
    ASSERT_TRUE(Init());
    std::vector<std::string> expected;
    for (const ImageCase& image : Images())
        expected.push_back(DataPath(image.file));
    EXPECT_EQ(expected, g_spy.loaded);
    ASSERT_NE(nullptr, g_screen);
    EXPECT_EQ(320, g_screen->w);
    EXPECT_EQ(240, g_screen->h);
    char* caption = NULL;
    SDL_WM_GetCaption(&caption, NULL);
    EXPECT_STREQ("Zelmora :-)", caption);
    // Only the background keeps an alpha channel; the lamps are converted
    // to the screen's own format.
    ASSERT_NE(nullptr, gi_zelm);
    EXPECT_NE(0u, gi_zelm->format->Amask);
    for (size_t i = 1; i < Images().size(); i++) {
        const ImageCase& image = Images()[i];
        ASSERT_NE(nullptr, *image.handle) << image.file;
        EXPECT_EQ(g_screen->format->BitsPerPixel,
                  (*image.handle)->format->BitsPerPixel);
        EXPECT_EQ(0u, (*image.handle)->format->Amask) << image.file;
    }
    EXPECT_EQ(0, g_spy.flips) << "no frame before the first event";

    std::vector<SDL_Surface*> images;
    for (const ImageCase& image : Images())
        images.push_back(*image.handle);
    size_t before = g_spy.freed.size();
    Destroy();
    EXPECT_EQ(images, std::vector<SDL_Surface*>(g_spy.freed.begin() + before,
                                                g_spy.freed.end()))
        << "Destroy frees every image once, in load order";
}

TEST_F(StartUp, AMissingImageStopsLoadingAndFreesThoseBeforeIt)
{
    for (size_t missing = 0; missing < Images().size(); missing++) {
        SCOPED_TRACE(Images()[missing].file);
        ResetSpy();
        work_dir = EnterWorkDir(AllImagesBut(missing), true);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Init());
        std::string error = SDL_GetError();

        std::vector<std::string> tried;
        std::vector<SDL_Surface*> loaded;
        for (size_t i = 0; i <= missing; i++)
            tried.push_back(DataPath(Images()[i].file));
        for (size_t i = 0; i < Images().size(); i++) {
            const ImageCase& image = Images()[i];
            if (i < missing)
                EXPECT_NE(nullptr, *image.handle) << image.file;
            else
                EXPECT_EQ(nullptr, *image.handle) << image.file;
            if (i < missing)
                loaded.push_back(*image.handle);
        }
        EXPECT_EQ(tried, g_spy.loaded) << "nothing after it is tried";

        size_t before = g_spy.freed.size();
        Destroy();
        EXPECT_EQ(error + "\n", testing::internal::GetCapturedStderr());
        EXPECT_EQ(loaded, std::vector<SDL_Surface*>(
                              g_spy.freed.begin() + before, g_spy.freed.end()));
        LeaveWorkDir(work_dir);
        work_dir.clear();
    }
}

TEST_F(StartUp, ReportsALibraryThatCannotStart)
{
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    std::string error = SDL_GetError();
    Destroy();
    EXPECT_EQ("Unable to initialize SDL: " + error + "\n",
              testing::internal::GetCapturedStderr());
    EXPECT_TRUE(g_spy.loaded.empty());
}

TEST_F(StartUp, ReportsAVideoModeThatCannotBeSet)
{
    g_spy.fail_video_mode = true;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    Destroy();
    EXPECT_EQ("Unable to set 320x240 video: Video mode refused by the test\n",
              testing::internal::GetCapturedStderr());
    EXPECT_TRUE(g_spy.loaded.empty());
}

TEST_F(StartUp, ReportsAnImageThatCannotBeConverted)
{
    g_spy.fail_conversion_at = 2; // q1.png: zelm.png keeps alpha
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    SDL_Surface* background = gi_zelm;
    SDL_Surface* first_lamp = gi_q0;
    EXPECT_EQ(nullptr, gi_q1);
    // Each decoded surface is freed after its conversion, failed or not.
    EXPECT_EQ(3u, g_spy.freed.size());
    Destroy();
    EXPECT_EQ("Conversion refused by the test\n",
              testing::internal::GetCapturedStderr());
    EXPECT_EQ(3u, g_spy.loaded.size());
    ASSERT_EQ(5u, g_spy.freed.size());
    EXPECT_EQ(background, g_spy.freed[3]);
    EXPECT_EQ(first_lamp, g_spy.freed[4]);
}

TEST_F(StartUp, RunPanelExitsWithOneAfterAFailedStart)
{
    // Without the output lamp, or the overlay, which is required at start
    // though shown only on demand: each image before it is decoded,
    // converted, and both freed.
    for (size_t missing = 0; missing < Images().size(); missing++) {
        const std::string& file = Images()[missing].file;
        if (file != "y.png" && file != "gnarlwick.png")
            continue;
        ResetSpy();
        work_dir = EnterWorkDir(AllImagesBut(missing), true);
        testing::internal::CaptureStderr();
        EXPECT_EQ(1, RunPanel()) << file;
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(1, std::count(printed.begin(), printed.end(), '\n'))
            << printed;
        EXPECT_EQ(2 * missing, g_spy.freed.size()) << file;
        LeaveWorkDir(work_dir);
        work_dir.clear();
    }
}

TEST_F(StartUp, AFailedEventWaitIsReportedAndExitsWithOne)
{
    g_spy.fail_wait = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(1, RunPanel());
    EXPECT_EQ("Event wait broken by the test\n",
              testing::internal::GetCapturedStderr());
    EXPECT_EQ(2 * Images().size(), g_spy.freed.size())
        << "every image freed, as decoded and as converted";
    EXPECT_EQ(0, g_spy.flips);
}

TEST_F(StartUp, WaitingWithoutAnEventQueueFails)
{
    // SDL was never started, so its queue is not running: a real failure.
    EXPECT_EQ(1, ProcessEvent());
    EXPECT_EQ(0, g_spy.flips);
}

// The event cases: a started panel with every cell false.
class Events : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(0, chdir(ZELM_SOURCE_DIR));
        ResetSpy(); // no failure an earlier test asked of it
        ASSERT_TRUE(Init());
        SDL_Event event;
        while (SDL_PollEvent(&event)) // what SDL sends at start-up
            ;
        g_circuit = Circuit();
        g_cheat_pos = 0;
        g_cheat_flag = false;
        ResetSpy();
    }
    void TearDown() override { Destroy(); }
};

TEST_F(Events, LeftPressesActExactlyInsideEachHitBox)
{
    for (const HitBoxCase& box : HitBoxes()) {
        int mid_x = (box.left + box.right) / 2;
        int mid_y = (box.top + box.bottom) / 2;
        struct {
            int x, y;
            bool inside;
        } const points[] = {
            {box.left, mid_y, false},  {box.left + 1, mid_y, true},
            {box.right, mid_y, true},  {box.right + 1, mid_y, false},
            {mid_x, box.top, false},   {mid_x, box.top + 1, true},
            {mid_x, box.bottom, true}, {mid_x, box.bottom + 1, false},
        };
        for (const auto& point : points) {
            LoadCells(box.start.c_str());
            PushPress(SDL_BUTTON_LEFT, point.x, point.y);
            RunQueue();
            EXPECT_EQ(point.inside ? box.inside : box.start, Cells())
                << box.target << " pressed at (" << point.x << ", " << point.y
                << ")";
        }
    }
}

TEST_F(Events, OtherButtonsRefreshTheOutputButActOnNothing)
{
    const Uint8 buttons[] = {SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT,
                             SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN};
    for (Uint8 button : buttons)
        for (const HitBoxCase& box : HitBoxes()) {
            LoadCells(box.start.c_str());
            g_circuit.y = false;
            PushPress(button, box.left + 12, box.top + 12);
            RunQueue();
            EXPECT_EQ(box.start, Cells()) << "button " << int(button);
            // All-false gives y = 1; state 111 gives y = 1 too.
            EXPECT_TRUE(g_circuit.y) << "button " << int(button);
            EXPECT_FALSE(g_circuit.jq0 || g_circuit.kq2);
        }
}

TEST_F(Events, OutputStaysDarkUntilTheFirstPress)
{
    PushMotion(10, 10);
    PushKey(SDL_KEYDOWN, SDLK_a);
    RunQueue();
    EXPECT_FALSE(g_circuit.y);
    EXPECT_EQ(2, g_spy.flips);

    // A first left click on lamp a: a = 1 and the fresh y is 0.
    PushPress(SDL_BUTTON_LEFT, 42, 84);
    RunQueue();
    EXPECT_EQ("10 000", Cells());
    EXPECT_FALSE(g_circuit.y);

    // A click on bare panel only refreshes the output: 000 with ab=10.
    g_circuit.a = false;
    PushPress(SDL_BUTTON_LEFT, 300, 20);
    RunQueue();
    EXPECT_TRUE(g_circuit.y);
}

TEST_F(Events, AToggleLeavesTheFlipFlopInputsAlone)
{
    g_circuit.jq0 = g_circuit.kq1 = g_circuit.jq2 = true;
    const Circuit before = g_circuit;
    PushPress(SDL_BUTTON_LEFT, 168, 216); // lamp q1
    RunQueue();
    EXPECT_EQ("00 010", Cells());
    EXPECT_EQ(before.jq0, g_circuit.jq0);
    EXPECT_EQ(before.jq1, g_circuit.jq1);
    EXPECT_EQ(before.jq2, g_circuit.jq2);
    EXPECT_EQ(before.kq0, g_circuit.kq0);
    EXPECT_EQ(before.kq1, g_circuit.kq1);
    EXPECT_EQ(before.kq2, g_circuit.kq2);
    EXPECT_FALSE(g_circuit.y); // 010 with ab=00
}

TEST_F(Events, ClockAndResetRecomputeTheOutputAtOnce)
{
    PushPress(SDL_BUTTON_LEFT, 128, 20); // clock: 000 -> 011, y = 1
    RunQueue();
    EXPECT_EQ("00 011", Cells());
    EXPECT_TRUE(g_circuit.y);

    PushPress(SDL_BUTTON_LEFT, 128, 20); // 011 -> 010, y = 0
    RunQueue();
    EXPECT_EQ("00 010", Cells());
    EXPECT_FALSE(g_circuit.y);

    PushPress(SDL_BUTTON_LEFT, 201, 22); // reset: 000 with ab=00, y = 1
    RunQueue();
    EXPECT_EQ("00 000", Cells());
    EXPECT_TRUE(g_circuit.y);
}

TEST_F(Events, EveryEventButAQuitIsFollowedByOneRedraw)
{
    PushMotion(5, 5);
    PushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 42, 84);
    PushKey(SDL_KEYDOWN, SDLK_LSHIFT);
    PushKey(SDL_KEYUP, SDLK_LSHIFT);
    SDL_Event focus = SDL_Event();
    focus.active.type = SDL_ACTIVEEVENT;
    focus.active.gain = 1;
    focus.active.state = SDL_APPINPUTFOCUS;
    Push(focus);
    SDL_Event expose = SDL_Event();
    expose.type = SDL_VIDEOEXPOSE;
    Push(expose);
    RunQueue();
    EXPECT_EQ(6, g_spy.flips);
    EXPECT_EQ("00 000", Cells()) << "releases and motion change nothing";
    EXPECT_FALSE(g_circuit.y);
}

TEST_F(Events, EscapeAndQuitEndTheLoopWithoutARedraw)
{
    PushMotion(5, 5);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    PushPress(SDL_BUTTON_LEFT, 42, 84); // never reached
    EXPECT_EQ(0, ProcessEvent());
    EXPECT_EQ(1, g_spy.flips);
    EXPECT_FALSE(g_circuit.a);

    SDL_Event event;
    while (SDL_PollEvent(&event))
        ;
    ResetSpy();
    PushQuit();
    EXPECT_EQ(0, ProcessEvent());
    EXPECT_EQ(0, g_spy.flips);
}

void PushWord(const char* letters)
{
    for (const char* letter = letters; *letter != '\0'; letter++)
        PushKey(SDL_KEYDOWN, *letter);
}

TEST_F(Events, TheCheatWordTogglesTheOverlayOnItsNinthLetter)
{
    PushWord("gnarlwic");
    RunQueue();
    EXPECT_FALSE(g_cheat_flag);
    EXPECT_EQ(8, g_cheat_pos);
    EXPECT_EQ(8, g_spy.flips);

    PushKey(SDL_KEYDOWN, SDLK_k);
    RunQueue();
    EXPECT_TRUE(g_cheat_flag);
    EXPECT_EQ(9, g_spy.flips) << "the ninth letter's redraw shows it";

    // Releases are not key presses: they never reach the matcher.
    PushKey(SDL_KEYDOWN, SDLK_g);
    PushKey(SDL_KEYUP, SDLK_g);
    PushKey(SDL_KEYDOWN, SDLK_n);
    RunQueue();
    EXPECT_EQ(2, g_cheat_pos);
    PushWord("arlwick");
    RunQueue();
    EXPECT_FALSE(g_cheat_flag);
}

TEST_F(Events, EscapeInTheMiddleOfTheWordFeedsTheMatcherThenQuits)
{
    PushWord("gnarl");
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(0, ProcessEvent());
    EXPECT_EQ(0, g_cheat_pos) << "Escape reached the matcher and broke the run";
    EXPECT_EQ(5, g_spy.flips);
}

TEST_F(Events, TheOverlayDoesNotChangeHitTesting)
{
    g_cheat_flag = true;
    PushPress(SDL_BUTTON_LEFT, 128, 20);  // clock: 000 -> 011
    PushPress(SDL_BUTTON_LEFT, 168, 216); // lamp q1, below the overlay
    PushPress(SDL_BUTTON_LEFT, 150, 120); // the overlay itself: no box
    RunQueue();
    EXPECT_EQ("00 001", Cells());
    EXPECT_TRUE(g_cheat_flag);
}

} // namespace
