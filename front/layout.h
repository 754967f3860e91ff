// layout.h: where everything stands on the panel, written once for the art
// tool that paints it, Draw that blits it and ProcessEvent that hits it.
//
// It includes no SDL, so that the art tool, which runs without a window,
// can paint from the same numbers the program draws and hits with.
#ifndef ZELM_FRONT_LAYOUT_H
#define ZELM_FRONT_LAYOUT_H

#include "circuit.h"

// The window: its size, and its caption, which titles whatever else the
// program shows.
const int kPanelWidth = 320;
const int kPanelHeight = 240;
inline constexpr char kCaption[] = "Zelmora :-)";

// A screen area that matches x and y with left < x <= right and
// top < y <= bottom: the lower bounds are exclusive, the upper inclusive.
struct HitBox {
    int left, right, top, bottom;
};

inline bool Hits(const HitBox& box, int x, int y)
{
    return box.left < x && x <= box.right && box.top < y && y <= box.bottom;
}

// A lamp: the image of it lit, under data/; the cell it shows; the point
// its image is drawn at.  A left press inside its box toggles the cell,
// but for the output, which only the circuit sets.
struct LampPlace {
    const char* image;
    bool* cell;
    int x, y;
    bool pressable;
};

// In drawing order.  No two lamps overlap, so the order of the hit tests
// among them cannot matter.
inline const LampPlace kLamps[] = {
    {"q2.png", &g_circuit.q2, 115, 204, true },
    {"q1.png", &g_circuit.q1, 156, 204, true },
    {"q0.png", &g_circuit.q0, 192, 204, true },
    {"a.png",  &g_circuit.a,  30,  72,  true },
    {"b.png",  &g_circuit.b,  30,  118, true },
    {"y.png",  &g_circuit.y,  272, 112, false},
};
const int kLampCount = sizeof kLamps / sizeof kLamps[0];

// A lamp's box is the 24 x 24 square one pixel right of and below its
// drawing point, where the lamp's glass and rim are painted.
const int kLampBoxSize = 24;

inline HitBox LampBox(const LampPlace& lamp)
{
    return {lamp.x, lamp.x + kLampBoxSize, lamp.y, lamp.y + kLampBoxSize};
}

// The two push buttons along the top; each cap fills its box.
const HitBox kClockBox = {116, 140, 9, 33};
const HitBox kResetBox = {189, 213, 10, 34};

// The cheat overlay's top-left corner: over the sealed cover, clear of
// every lamp and button.
const int kOverlayX = 114;
const int kOverlayY = 82;

#endif
