// canvas.h: a small RGBA canvas with anti-aliased shapes and PNG output.
//
// Shapes are filled by 4 x 4 supersampling and blended "source over" in
// straight alpha, so partly covered edge pixels get partial coverage and
// the result is the same, bit for bit, on every run.
#ifndef ZELM_ART_CANVAS_H
#define ZELM_ART_CANVAS_H

#include <stdint.h>

#include <vector>

struct Colour {
    float r, g, b, a; // 0..1, straight (not premultiplied) alpha
};

struct Canvas {
    int width, height;
    std::vector<Colour> pixels; // row by row from the top left
};

// A canvas of the given size, filled with one colour.
Canvas MakeCanvas(int width, int height, Colour fill);

// Colour c with its alpha scaled by k.
Colour Fade(Colour c, float k);

// Colour between from (t = 0) and to (t = 1).
Colour Mix(Colour from, Colour to, float t);

// Blends colour c over one pixel with the given coverage; off-canvas
// pixels are ignored.
void BlendPixel(Canvas& canvas, int x, int y, Colour c, float coverage);

// A rectangle with rounded corners, corners given in pixel-edge units:
// (left, top) to (right, bottom), shaded from top to bottom colour.
void FillRoundRect(Canvas& canvas, float left, float top, float right,
                   float bottom, float radius, Colour top_colour,
                   Colour bottom_colour);

// A disc around (cx, cy) in pixel-edge units, shaded from centre to rim.
void FillDisc(Canvas& canvas, float cx, float cy, float radius,
              Colour centre_colour, Colour rim_colour);

// A ring between two radii around (cx, cy).
void FillRing(Canvas& canvas, float cx, float cy, float inner, float outer,
              Colour colour);

// A straight stroke of the given width from (x0, y0) to (x1, y1).
void StrokeLine(Canvas& canvas, float x0, float y0, float x1, float y1,
                float width, Colour colour);

// The canvas composed over an opaque colour.
Canvas FlattenOver(const Canvas& canvas, Colour ground);

// The part of the canvas at (x, y) of the given size.
Canvas Crop(const Canvas& canvas, int x, int y, int width, int height);

// Writes the canvas as an 8-bit PNG, RGBA when with_alpha, else RGB.
bool WritePng(const Canvas& canvas, const char* path, bool with_alpha);

#endif
