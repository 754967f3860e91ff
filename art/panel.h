// panel.h: the instrument panel artwork, unlit and lit.
#ifndef ZELM_ART_PANEL_H
#define ZELM_ART_PANEL_H

#include "canvas.h"
#include "layout.h"

// Lamp images are squares of this size with their corner at the lamp's
// drawing point: the lamp's 24 x 24 box and a pixel of panel around it.
static const int kLampImageSize = kLampBoxSize + 2;

// The whole panel with every lamp unlit (lit false) or lit (lit true), on
// a transparent ground; the corners and the shadow are partly transparent.
Canvas DrawPanel(bool lit);

#endif
