// panel.cpp: draws the panel: face, traces, buttons, lamps and labels.
#include "panel.h"

#include <math.h>

#include "font.h"

// The sealed cover in the middle, over the hidden circuit.
static const float kCoverLeft = 120, kCoverTop = 88, kCoverRight = 266,
                   kCoverBottom = 182;

static const Colour kClear = {0, 0, 0, 0};
static const Colour kShadow = {0, 0, 0, 0.22f};
static const Colour kRimLight = {0.55f, 0.60f, 0.66f, 1};
static const Colour kRimDark = {0.14f, 0.16f, 0.20f, 1};
static const Colour kFaceTop = {0.24f, 0.28f, 0.33f, 1};
static const Colour kFaceBottom = {0.17f, 0.20f, 0.24f, 1};
static const Colour kInk = {0.86f, 0.84f, 0.77f, 1};
static const Colour kBrass = {0.72f, 0.58f, 0.32f, 1};
static const Colour kBrassDim = {0.55f, 0.44f, 0.25f, 1};
static const Colour kSteelLight = {0.78f, 0.80f, 0.83f, 1};
static const Colour kSteelDark = {0.35f, 0.38f, 0.42f, 1};
static const Colour kHole = {0.07f, 0.08f, 0.10f, 1};
static const Colour kWhite = {1, 1, 1, 1};

// Glass colours per lamp colour: unlit centre and rim, lit centre and rim.
struct Glass {
    Colour dark_centre, dark_rim, lit_centre, lit_rim;
};

static const Glass kGreenGlass = {{0.10f, 0.24f, 0.12f, 1},
                                  {0.04f, 0.10f, 0.05f, 1},
                                  {0.85f, 1.00f, 0.80f, 1},
                                  {0.15f, 0.80f, 0.25f, 1}};
static const Glass kAmberGlass = {{0.28f, 0.20f, 0.06f, 1},
                                  {0.11f, 0.07f, 0.02f, 1},
                                  {1.00f, 0.96f, 0.72f, 1},
                                  {1.00f, 0.62f, 0.08f, 1}};
static const Glass kRedGlass = {{0.28f, 0.08f, 0.07f, 1},
                                {0.11f, 0.03f, 0.03f, 1},
                                {1.00f, 0.82f, 0.74f, 1},
                                {0.95f, 0.16f, 0.10f, 1}};

// The glass of a lamp's painting; null for an image that is no lamp.
static const Glass* GlassOf(Painting painting)
{
    switch (painting) {
    case kPaintGreenLamp:
        return &kGreenGlass;
    case kPaintAmberLamp:
        return &kAmberGlass;
    case kPaintRedLamp:
        return &kRedGlass;
    case kPaintPanel:
    case kPaintCheatSheet:
        break;
    }
    return nullptr;
}

static void DrawFace(Canvas& canvas)
{
    FillRoundRect(canvas, 3, 4, 320, 240, 11, kShadow, kShadow);
    FillRoundRect(canvas, 1, 1, 318, 237, 10, kRimLight, kRimDark);
    FillRoundRect(canvas, 3, 3, 316, 235, 8, kFaceTop, kFaceBottom);
}

static void DrawScrew(Canvas& canvas, float cx, float cy)
{
    FillDisc(canvas, cx, cy, 3.5f, kSteelLight, kSteelDark);
    StrokeLine(canvas, cx - 2.2f, cy + 2.2f, cx + 2.2f, cy - 2.2f, 1, kHole);
}

// Brass traces from every lamp and button into the sealed cover.
static void DrawTraces(Canvas& canvas)
{
    const float w = 2;
    StrokeLine(canvas, 56, 85, 100, 85, w, kBrassDim);
    StrokeLine(canvas, 100, 85, 108, 93, w, kBrassDim);
    StrokeLine(canvas, 108, 93, kCoverLeft, 93, w, kBrassDim);
    StrokeLine(canvas, 56, 131, kCoverLeft, 131, w, kBrassDim);
    StrokeLine(canvas, kCoverRight, 125, 272, 125, w, kBrassDim);
    StrokeLine(canvas, 129, 35, 129, kCoverTop, w, kBrassDim);
    StrokeLine(canvas, 202, 36, 202, kCoverTop, w, kBrassDim);
    StrokeLine(canvas, 128, kCoverBottom, 128, 204, w, kBrassDim);
    StrokeLine(canvas, 169, kCoverBottom, 169, 204, w, kBrassDim);
    StrokeLine(canvas, 205, kCoverBottom, 205, 204, w, kBrassDim);
}

static void DrawCover(Canvas& canvas)
{
    FillRoundRect(canvas, kCoverLeft - 1, kCoverTop - 1, kCoverRight + 1,
                  kCoverBottom + 1, 5, kRimDark, kRimLight);
    FillRoundRect(canvas, kCoverLeft, kCoverTop, kCoverRight, kCoverBottom, 4,
                  {0.31f, 0.35f, 0.40f, 1}, {0.25f, 0.28f, 0.33f, 1});
    DrawScrew(canvas, kCoverLeft + 7, kCoverTop + 7);
    DrawScrew(canvas, kCoverRight - 7, kCoverTop + 7);
    DrawScrew(canvas, kCoverLeft + 7, kCoverBottom - 7);
    DrawScrew(canvas, kCoverRight - 7, kCoverBottom - 7);
    int cx = static_cast<int>((kCoverLeft + kCoverRight) / 2);
    DrawText(canvas, cx - TextWidth("SEALED") - 1, 118, "SEALED", kInk, 2);
    DrawTextCentred(canvas, cx, 142, "NO USER SERVICEABLE", kBrass);
    DrawTextCentred(canvas, cx, 152, "PARTS INSIDE", kBrass);
}

// The clock's mark: one square pulse.
static void DrawPulse(Canvas& canvas, float cx, float cy, Colour ink)
{
    StrokeLine(canvas, cx - 7, cy + 3, cx - 3, cy + 3, 1.5f, ink);
    StrokeLine(canvas, cx - 3, cy + 3, cx - 3, cy - 3, 1.5f, ink);
    StrokeLine(canvas, cx - 3, cy - 3, cx + 3, cy - 3, 1.5f, ink);
    StrokeLine(canvas, cx + 3, cy - 3, cx + 3, cy + 3, 1.5f, ink);
    StrokeLine(canvas, cx + 3, cy + 3, cx + 7, cy + 3, 1.5f, ink);
}

// The reset's mark: an open circle with an arrowhead, "back to the start".
static void DrawReturn(Canvas& canvas, float cx, float cy, Colour ink)
{
    const float r = 5.5f, pi = 3.14159265f;
    const int steps = 24;
    for (int i = 0; i < steps; i++) {
        float t0 = -0.35f * pi + 1.6f * pi * i / steps;
        float t1 = -0.35f * pi + 1.6f * pi * (i + 1) / steps;
        StrokeLine(canvas, cx + r * cosf(t0), cy + r * sinf(t0),
                   cx + r * cosf(t1), cy + r * sinf(t1), 1.5f, ink);
    }
    float ex = cx + r * cosf(-0.35f * pi), ey = cy + r * sinf(-0.35f * pi);
    StrokeLine(canvas, ex, ey, ex + 3.2f, ey - 0.2f, 1.5f, ink);
    StrokeLine(canvas, ex, ey, ex - 0.4f, ey - 3.2f, 1.5f, ink);
}

static void DrawButton(Canvas& canvas, const PushButton& button, Colour cap_top,
                       Colour cap_bottom, bool pulse)
{
    float l = button.box.left + 1.0f, t = button.box.top + 1.0f;
    FillRoundRect(canvas, l - 1, t - 1, l + 25, t + 25, 5, kHole, kHole);
    FillRoundRect(canvas, l, t, l + 24, t + 24, 4, kSteelLight, kSteelDark);
    FillRoundRect(canvas, l + 2, t + 2, l + 22, t + 22, 3, cap_top, cap_bottom);
    Colour ink = {0.12f, 0.12f, 0.14f, 1};
    if (pulse)
        DrawPulse(canvas, l + 12, t + 12, ink);
    else
        DrawReturn(canvas, l + 12, t + 12.5f, kWhite);
    DrawText(canvas, static_cast<int>(l + button.label_dx),
             static_cast<int>(t + 9), button.label, kInk, 1);
}

static void DrawLamp(Canvas& canvas, const PanelImage& lamp, const Glass& glass,
                     bool lit)
{
    float cx = lamp.x + 13.0f, cy = lamp.y + 13.0f;
    FillDisc(canvas, cx, cy, 12, kSteelLight, kSteelDark);
    FillRing(canvas, cx, cy, 9.5f, 10.5f, kHole);
    if (lit) {
        FillDisc(canvas, cx, cy, 9.5f, glass.lit_centre, glass.lit_rim);
        FillDisc(canvas, cx - 3, cy - 3, 3, Fade(kWhite, 0.8f),
                 Fade(kWhite, 0.2f));
    } else {
        FillDisc(canvas, cx, cy, 9.5f, glass.dark_centre, glass.dark_rim);
        FillDisc(canvas, cx - 3, cy - 3, 2.5f, Fade(kWhite, 0.30f),
                 Fade(kWhite, 0.05f));
    }
    DrawText(canvas, lamp.x + lamp.label_dx, lamp.y + lamp.label_dy, lamp.label,
             kInk, 1);
}

Canvas DrawPanel(bool lit)
{
    Canvas canvas = MakeCanvas(kPanelWidth, kPanelHeight, kClear);
    DrawFace(canvas);
    DrawTraces(canvas);
    DrawCover(canvas);
    DrawButton(canvas, kClockButton, {0.88f, 0.88f, 0.86f, 1},
               {0.62f, 0.63f, 0.62f, 1}, true);
    DrawButton(canvas, kResetButton, {0.85f, 0.25f, 0.20f, 1},
               {0.55f, 0.12f, 0.10f, 1}, false);
    for (const PanelImage& image : kPanelImages) {
        const Glass* glass = GlassOf(image.painting);
        if (glass != nullptr)
            DrawLamp(canvas, image, *glass, lit);
    }
    DrawText(canvas, 14, 212, "ZELMORA", kBrass, 2);
    return canvas;
}
