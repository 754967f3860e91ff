// font.h: a 5 x 7 pixel font for the panel's labels and the cheat sheet.
#ifndef ZELM_ART_FONT_H
#define ZELM_ART_FONT_H

#include "canvas.h"

static const int kGlyphWidth = 5;
static const int kGlyphHeight = 7;
static const int kGlyphAdvance = kGlyphWidth + 1;

// Width in pixels of text set in the font, without the trailing gap.
int TextWidth(const char* text);

// Sets text with its top-left corner at (x, y), each font pixel a square
// of scale x scale canvas pixels, so that it stays crisp.  Characters
// missing from the font are left blank.
void DrawText(Canvas& canvas, int x, int y, const char* text, Colour colour,
              int scale);

// The same at scale 1, centred on column cx.
void DrawTextCentred(Canvas& canvas, int cx, int y, const char* text,
                     Colour colour);

#endif
