// canvas.cpp: anti-aliased shapes on an RGBA canvas, and PNG output.
#include "canvas.h"

#include <math.h>
#include <png.h>
#include <stdio.h>

static const int kSamples = 4; // per axis, so 16 samples a pixel

Canvas MakeCanvas(int width, int height, Colour fill)
{
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign(static_cast<size_t>(width) * height, fill);
    return canvas;
}

Colour Fade(Colour c, float k)
{
    c.a *= k;
    return c;
}

Colour Mix(Colour from, Colour to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

void BlendPixel(Canvas& canvas, int x, int y, Colour c, float coverage)
{
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height)
        return;
    Colour& d = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
    float sa = c.a * coverage;
    float out = sa + d.a * (1 - sa);
    if (out <= 0) {
        d = {0, 0, 0, 0};
        return;
    }
    float keep = d.a * (1 - sa);
    d.r = (c.r * sa + d.r * keep) / out;
    d.g = (c.g * sa + d.g * keep) / out;
    d.b = (c.b * sa + d.b * keep) / out;
    d.a = out;
}

// Offset of sample i within a pixel, in pixel units.
static float SampleOffset(int i)
{
    return (i + 0.5f) / kSamples;
}

static bool InsideRoundRect(float x, float y, float left, float top,
                            float right, float bottom, float radius)
{
    if (x < left || x > right || y < top || y > bottom)
        return false;
    float cx = fminf(fmaxf(x, left + radius), right - radius);
    float cy = fminf(fmaxf(y, top + radius), bottom - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

void FillRoundRect(Canvas& canvas, float left, float top, float right,
                   float bottom, float radius, Colour top_colour,
                   Colour bottom_colour)
{
    for (int y = static_cast<int>(floorf(top)); y < ceilf(bottom); y++) {
        float t = (y + 0.5f - top) / (bottom - top);
        Colour c = Mix(top_colour, bottom_colour, fminf(fmaxf(t, 0), 1));
        for (int x = static_cast<int>(floorf(left)); x < ceilf(right); x++) {
            int hits = 0;
            for (int i = 0; i < kSamples; i++)
                for (int j = 0; j < kSamples; j++)
                    hits += InsideRoundRect(x + SampleOffset(j),
                                            y + SampleOffset(i), left, top,
                                            right, bottom, radius);
            if (hits > 0)
                BlendPixel(canvas, x, y, c, hits / float(kSamples * kSamples));
        }
    }
}

// Coverage of pixel (x, y) by the ring inner <= distance <= outer.
static float RingCoverage(int x, int y, float cx, float cy, float inner,
                          float outer)
{
    int hits = 0;
    for (int i = 0; i < kSamples; i++)
        for (int j = 0; j < kSamples; j++) {
            float dx = x + SampleOffset(j) - cx;
            float dy = y + SampleOffset(i) - cy;
            float d2 = dx * dx + dy * dy;
            hits += d2 <= outer * outer && d2 >= inner * inner;
        }
    return hits / float(kSamples * kSamples);
}

void FillDisc(Canvas& canvas, float cx, float cy, float radius,
              Colour centre_colour, Colour rim_colour)
{
    for (int y = static_cast<int>(floorf(cy - radius)); y < ceilf(cy + radius);
         y++)
        for (int x = static_cast<int>(floorf(cx - radius));
             x < ceilf(cx + radius); x++) {
            float coverage = RingCoverage(x, y, cx, cy, 0, radius);
            if (coverage <= 0)
                continue;
            float d = hypotf(x + 0.5f - cx, y + 0.5f - cy) / radius;
            BlendPixel(canvas, x, y,
                       Mix(centre_colour, rim_colour, fminf(d, 1)), coverage);
        }
}

void FillRing(Canvas& canvas, float cx, float cy, float inner, float outer,
              Colour colour)
{
    for (int y = static_cast<int>(floorf(cy - outer)); y < ceilf(cy + outer);
         y++)
        for (int x = static_cast<int>(floorf(cx - outer));
             x < ceilf(cx + outer); x++) {
            float coverage = RingCoverage(x, y, cx, cy, inner, outer);
            if (coverage > 0)
                BlendPixel(canvas, x, y, colour, coverage);
        }
}

void StrokeLine(Canvas& canvas, float x0, float y0, float x1, float y1,
                float width, Colour colour)
{
    float half = width / 2;
    float dx = x1 - x0, dy = y1 - y0;
    float length2 = dx * dx + dy * dy;
    int left = static_cast<int>(floorf(fminf(x0, x1) - half));
    int right = static_cast<int>(ceilf(fmaxf(x0, x1) + half));
    int top = static_cast<int>(floorf(fminf(y0, y1) - half));
    int bottom = static_cast<int>(ceilf(fmaxf(y0, y1) + half));
    for (int y = top; y < bottom; y++)
        for (int x = left; x < right; x++) {
            int hits = 0;
            for (int i = 0; i < kSamples; i++)
                for (int j = 0; j < kSamples; j++) {
                    float px = x + SampleOffset(j) - x0;
                    float py = y + SampleOffset(i) - y0;
                    float t = length2 > 0 ? (px * dx + py * dy) / length2 : 0;
                    t = fminf(fmaxf(t, 0), 1);
                    float ex = px - t * dx, ey = py - t * dy;
                    hits += ex * ex + ey * ey <= half * half;
                }
            if (hits > 0)
                BlendPixel(canvas, x, y, colour,
                           hits / float(kSamples * kSamples));
        }
}

Canvas FlattenOver(const Canvas& canvas, Colour ground)
{
    Canvas flat = MakeCanvas(canvas.width, canvas.height, ground);
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++)
            BlendPixel(flat, x, y,
                       canvas.pixels[static_cast<size_t>(y) * canvas.width + x],
                       1);
    return flat;
}

Canvas Crop(const Canvas& canvas, int x, int y, int width, int height)
{
    Canvas part = MakeCanvas(width, height, {0, 0, 0, 0});
    for (int row = 0; row < height; row++)
        for (int col = 0; col < width; col++)
            part.pixels[static_cast<size_t>(row) * width + col] =
                canvas.pixels[static_cast<size_t>(y + row) * canvas.width + x +
                              col];
    return part;
}

static png_byte ToByte(float v)
{
    return static_cast<png_byte>(lrintf(fminf(fmaxf(v, 0), 1) * 255));
}

bool WritePng(const Canvas& canvas, const char* path, bool with_alpha)
{
    // The row buffer exists before setjmp, so that a libpng error jumping
    // back to it skips no destructor.
    int channels = with_alpha ? 4 : 3;
    std::vector<png_byte> row(static_cast<size_t>(canvas.width) * channels);
    FILE* file = fopen(path, "wb");
    if (file == NULL) {
        perror(path);
        return false;
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png ? png_create_info_struct(png) : NULL;
    if (png == NULL || info == NULL || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        fprintf(stderr, "%s: cannot write PNG\n", path);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, canvas.width, canvas.height, 8,
                 with_alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < canvas.height; y++) {
        for (int x = 0; x < canvas.width; x++) {
            const Colour& c =
                canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
            png_byte* out = &row[static_cast<size_t>(x) * channels];
            out[0] = ToByte(c.r);
            out[1] = ToByte(c.g);
            out[2] = ToByte(c.b);
            if (with_alpha)
                out[3] = ToByte(c.a);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0;
}
