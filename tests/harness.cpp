// harness.cpp: what the front-end tests share.
#include "harness.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "circuit.h"
#include "display.h"
#include "loop.h"

// The images in the order the program must load them.
const char* const kLoadOrder[kImageCount] = {
    "zelm.png", "q0.png", "q1.png", "q2.png",
    "a.png",    "b.png",  "y.png",  "gnarlwick.png"};
SDL_Surface** const kHandles[kImageCount] = {
    &gi_zelm, &gi_q0, &gi_q1, &gi_q2, &gi_a, &gi_b, &gi_y, &gi_gnarlwick};

const HitBoxCase kHitBoxes[kHitBoxCount] = {
    {"lamp a",  30,  54,  72,  96,  "00 000", "10 000"},
    {"lamp b",  30,  54,  118, 142, "00 000", "01 000"},
    {"lamp q0", 192, 216, 204, 228, "00 000", "00 001"},
    {"lamp q1", 156, 180, 204, 228, "00 000", "00 010"},
    {"lamp q2", 115, 139, 204, 228, "00 000", "00 100"},
    {"clock",   116, 140, 9,   33,  "00 000", "00 011"},
    {"reset",   189, 213, 10,  34,  "00 111", "00 000"},
};

std::string DataPath(const char* file)
{
    return std::string("data/") + file;
}

std::string EnterWorkDir(const std::vector<std::string>& images,
                         bool with_data_folder)
{
    char pattern[] = "/tmp/zelm-front-XXXXXX";
    std::string dir = mkdtemp(pattern);
    if (with_data_folder) {
        EXPECT_EQ(0, mkdir((dir + "/data").c_str(), 0755));
        for (const std::string& image : images)
            EXPECT_EQ(
                0, symlink((std::string(ZELM_DATA_DIR) + "/" + image).c_str(),
                           (dir + "/data/" + image).c_str()));
    }
    EXPECT_EQ(0, chdir(dir.c_str()));
    return dir;
}

void LeaveWorkDir(const std::string& dir)
{
    EXPECT_EQ(0, chdir(ZELM_SOURCE_DIR));
    EXPECT_EQ(0, system(("rm -rf '" + dir + "'").c_str()));
}

std::vector<std::string> AllImagesBut(int missing)
{
    std::vector<std::string> images;
    for (int i = 0; i < kImageCount; i++)
        if (i != missing)
            images.push_back(kLoadOrder[i]);
    return images;
}

void Push(SDL_Event event)
{
    ASSERT_EQ(0, SDL_PushEvent(&event));
}

SDL_Event ButtonEvent(Uint8 type, Uint8 button, int x, int y)
{
    SDL_Event event = SDL_Event();
    event.button.type = type;
    event.button.button = button;
    event.button.state =
        type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return event;
}

SDL_Event KeyEvent(Uint8 type, int sym)
{
    SDL_Event event = SDL_Event();
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    return event;
}

SDL_Event MotionEvent(int x, int y)
{
    SDL_Event event = SDL_Event();
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    return event;
}

void PushButton(Uint8 type, Uint8 button, int x, int y)
{
    Push(ButtonEvent(type, button, x, y));
}

void PushPress(Uint8 button, int x, int y)
{
    PushButton(SDL_MOUSEBUTTONDOWN, button, x, y);
}

void PushKey(Uint8 type, int sym)
{
    Push(KeyEvent(type, sym));
}

void PushMotion(int x, int y)
{
    Push(MotionEvent(x, y));
}

void PushQuit()
{
    SDL_Event event = SDL_Event();
    event.type = SDL_QUIT;
    Push(event);
}

void RunQueue()
{
    PushQuit();
    ASSERT_EQ(0, ProcessEvent());
}

std::string Cells()
{
    std::string s;
    for (bool cell : {g_circuit.a, g_circuit.b})
        s += cell ? '1' : '0';
    s += ' ';
    for (bool cell : {g_circuit.q2, g_circuit.q1, g_circuit.q0})
        s += cell ? '1' : '0';
    return s;
}

void LoadCells(const char* cells)
{
    g_circuit = Circuit();
    g_circuit.a = cells[0] == '1';
    g_circuit.b = cells[1] == '1';
    g_circuit.q2 = cells[3] == '1';
    g_circuit.q1 = cells[4] == '1';
    g_circuit.q0 = cells[5] == '1';
}

// Generous, for valgrind on a slow machine; still an end.
static const unsigned kWatchdogSeconds = 120;
static char g_watched[512];

static void Bark(int)
{
    static const char kHung[] = "watchdog: this never ended: ";
    ssize_t ignored = write(2, kHung, sizeof kHung - 1);
    ignored = write(2, g_watched, strlen(g_watched));
    (void)ignored;
    _exit(3);
}

void ArmWatchdog(const std::string& what)
{
    snprintf(g_watched, sizeof g_watched, "%s\n", what.c_str());
    signal(SIGALRM, Bark);
    alarm(kWatchdogSeconds);
}

void DisarmWatchdog()
{
    alarm(0);
}
