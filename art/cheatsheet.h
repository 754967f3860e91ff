// cheatsheet.h: the cheat overlay, the circuit's whole state table.
#ifndef ZELM_ART_CHEATSHEET_H
#define ZELM_ART_CHEATSHEET_H

#include "canvas.h"

// The overlay is drawn between the lamps (see layout.h): it covers the
// sealed cover and no lamp.
static const int kSheetWidth = 156;
static const int kSheetHeight = 104;

// For each case, the next state and the output, worked out by the
// circuit's own functions so that the sheet cannot disagree with the
// puzzle.
Canvas DrawCheatSheet();

#endif
