// panel.h: the instrument panel artwork, unlit and lit.
#ifndef ZELM_ART_PANEL_H
#define ZELM_ART_PANEL_H

#include "canvas.h"

static const int kPanelWidth = 320;
static const int kPanelHeight = 240;

// Lamp images are squares of this size with their corner at the lamp's
// drawing point; the lamp itself fills the 24 x 24 square one pixel in,
// which is the lamp's hit box in the program.
static const int kLampImageSize = 26;

enum LampColour { kGreen, kAmber, kRed };

struct Lamp {
    const char* file; // image file written for the lit lamp
    int x, y;         // drawing point of the lamp image
    LampColour colour;
    const char* label;
    int label_x, label_y; // beside the lamp, clear of its trace
};

extern const Lamp kLamps[];
extern const int kLampCount;

// The whole panel with every lamp unlit (lit false) or lit (lit true), on
// a transparent ground; the corners and the shadow are partly transparent.
Canvas DrawPanel(bool lit);

#endif
