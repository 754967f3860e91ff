// loop.h: the program's life: start-up, the event loop and shutdown.
//
// ProcessEvent blocks on SDL's event queue and maps each event onto the
// circuit: left presses on the fixed hit boxes toggle a cell, clock or
// reset, every button press then refreshes the output, every key press goes
// to the cheat word matcher, and every event that does not end the loop is
// followed by one full redraw.
#ifndef ZELM_FRONT_LOOP_H
#define ZELM_FRONT_LOOP_H

// Runs until the player quits (returns 0: window closed or Escape) or the
// event wait fails (returns 1, with SDL's error text left for the caller).
int ProcessEvent();

// The whole program, shared by every platform's entry point: Init, the
// loop, Destroy.  Returns the exit code: 0 after a normal run, 1 when
// start-up or the event wait failed, each failure reported in one line.
int RunPanel();

#endif
