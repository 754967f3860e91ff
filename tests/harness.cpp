// harness.cpp: what the front-end tests share.
#include "harness.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>

#include "circuit.h"
#include "display.h"
#include "loop.h"

// The handle the program loads each image into, by its file.
static const std::map<std::string, SDL_Surface**> kHandleOfFile = {
    {"zelm.png", &gi_zelm}, {"q0.png", &gi_q0},
    {"q1.png", &gi_q1},     {"q2.png", &gi_q2},
    {"a.png", &gi_a},       {"b.png", &gi_b},
    {"y.png", &gi_y},       {"gnarlwick.png", &gi_gnarlwick}};

// The rows of the panel's tables that begin with kind, split at '|' and
// trimmed, without the kind.
static std::vector<std::vector<std::string>> Rows(const std::string& kind)
{
    std::ifstream tables(ZELM_TESTS_DIR "/panel_tables.txt");
    EXPECT_TRUE(tables.good()) << "panel_tables.txt";
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(tables, line);) {
        std::vector<std::string> fields;
        std::istringstream columns(line.substr(0, line.find('#')));
        for (std::string field; std::getline(columns, field, '|');) {
            size_t first = field.find_first_not_of(' ');
            size_t last = field.find_last_not_of(' ');
            fields.push_back(first == std::string::npos
                                 ? ""
                                 : field.substr(first, last - first + 1));
        }
        if (!fields.empty() && fields[0] == kind)
            rows.push_back(
                std::vector<std::string>(fields.begin() + 1, fields.end()));
    }
    return rows;
}

const std::vector<ImageCase>& Images()
{
    static const std::vector<ImageCase> images = [] {
        std::vector<ImageCase> read;
        for (const auto& row : Rows("image")) {
            auto handle = kHandleOfFile.find(row.at(0));
            if (handle == kHandleOfFile.end())
                ADD_FAILURE() << "tests/harness.cpp's kHandleOfFile has no "
                                 "handle for "
                              << row.at(0);
            else
                read.push_back({row.at(0), handle->second});
        }
        return read;
    }();
    return images;
}

const std::vector<HitBoxCase>& HitBoxes()
{
    static const std::vector<HitBoxCase> boxes = [] {
        std::vector<HitBoxCase> read;
        for (const auto& row : Rows("hitbox"))
            read.push_back({row.at(0), std::stoi(row.at(1)),
                            std::stoi(row.at(2)), std::stoi(row.at(3)),
                            std::stoi(row.at(4)), row.at(5), row.at(6)});
        return read;
    }();
    return boxes;
}

const HitBoxCase& HitBoxOf(const std::string& target)
{
    for (const HitBoxCase& box : HitBoxes()) {
        if (box.target == target)
            return box;
    }
    ADD_FAILURE() << "no hit box " << target;
    return HitBoxes().front();
}

std::string DataPath(const std::string& file)
{
    return "data/" + file;
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

std::vector<std::string> AllImagesBut(size_t missing)
{
    std::vector<std::string> images;
    for (size_t i = 0; i < Images().size(); i++)
        if (i != missing)
            images.push_back(Images()[i].file);
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

void PushMouseButton(Uint8 type, Uint8 button, int x, int y)
{
    Push(ButtonEvent(type, button, x, y));
}

void PushPress(Uint8 button, int x, int y)
{
    PushMouseButton(SDL_MOUSEBUTTONDOWN, button, x, y);
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
