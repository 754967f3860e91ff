// harness.h: what the front-end tests share: the panel's tables, working
// directories with chosen images, and events pushed onto SDL's queue.
#ifndef ZELM_TESTS_HARNESS_H
#define ZELM_TESTS_HARNESS_H

#include <SDL.h>

#include <string>
#include <vector>

// The panel's tables as the design gives them (tests/panel_tables.txt).
// The images in the order the program must load them, with their
// handles.
struct ImageCase {
    std::string file;
    SDL_Surface** handle;
};
const std::vector<ImageCase>& Images();

// The hit boxes in the order they are tested: left < x <= right and
// top < y <= bottom, with the cells the panel shows ("ab q2q1q0") before
// one left press inside and after it.
struct HitBoxCase {
    std::string target;
    int left, right, top, bottom;
    std::string start, inside;
};
const std::vector<HitBoxCase>& HitBoxes();
const HitBoxCase& HitBoxOf(const std::string& target);

// "data/" + file, as the program names it.
std::string DataPath(const std::string& file);

// Moves into a fresh temporary directory; with_data_folder gives it a
// data/ folder linking the named images from the repository's.  Returns
// the directory, for LeaveWorkDir to move back and remove it.
std::string EnterWorkDir(const std::vector<std::string>& images,
                         bool with_data_folder);
void LeaveWorkDir(const std::string& dir);

// Every image's file name but the one at load position missing.
std::vector<std::string> AllImagesBut(size_t missing);

// Events as SDL would deliver them, and the same pushed onto its queue.
SDL_Event ButtonEvent(Uint8 type, Uint8 button, int x, int y);
SDL_Event KeyEvent(Uint8 type, int sym);
SDL_Event MotionEvent(int x, int y);
void Push(SDL_Event event);
void PushMouseButton(Uint8 type, Uint8 button, int x, int y);
void PushPress(Uint8 button, int x, int y);
void PushKey(Uint8 type, int sym);
void PushMotion(int x, int y);
void PushQuit();

// Handles what was pushed, then a quit; the loop must end on that quit.
void RunQueue();

// A hang fails the test instead of stalling it: unless disarmed within
// a deadline, the watchdog prints what hung and ends the test program.
void ArmWatchdog(const std::string& what);
void DisarmWatchdog();

// Inputs and state as "ab q2q1q0", the player's view of the panel, and
// the circuit set from such a string with every other cell false.
std::string Cells();
void LoadCells(const char* cells);

#endif
