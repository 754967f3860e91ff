// layout.h: the panel's face: its window, its images, where each is drawn
// and when, and what a left press does where.
//
// Written once, as plain data over the core's cells, for the art tool that
// paints the images, Init that loads them, Draw that blits them,
// ProcessEvent that hits them and the page that lays its buttons over
// them.  It includes no SDL, so that the art tool runs without a window.
#ifndef ZELM_CORE_LAYOUT_H
#define ZELM_CORE_LAYOUT_H

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

// The panel's images, named in the order Init loads them and Destroy
// frees them.
enum ImageName {
    kImageZelm,
    kImageQ0,
    kImageQ1,
    kImageQ2,
    kImageA,
    kImageB,
    kImageY,
    kImageGnarlwick,
    kImageCount
};

// What the art tool paints into an image's file.  A lamp is painted lit,
// in its colour, and cut from the whole panel painted with every lamp lit.
enum Painting {
    kPaintPanel, // the whole panel, every lamp dark, with its shadow
    kPaintGreenLamp,
    kPaintAmberLamp,
    kPaintRedLamp,
    kPaintCheatSheet, // the circuit's state table on a card
};

// One image of the panel.  A lamp's box, where a left press toggles it,
// is the 24 x 24 square one pixel right of and below its drawing point.
struct PanelImage {
    ImageName name;
    const char* path; // read from the working directory at start
    bool keeps_alpha; // blended over the white fill; the others are opaque
    bool* shown_by;   // drawn while this cell is true; always when null
    int x, y;         // where its top-left corner is drawn
    bool toggles;     // a left press in its lamp box toggles shown_by
    Painting painting;
    // A lamp's label, painted beside it at (x, y) + (label_dx, label_dy).
    const char* label;
    int label_dx, label_dy;
};

// Every image, in the order Draw blits them: the background, the lamps
// (no two overlap), and the cheat overlay over everything, clear of every
// lamp and button.
extern const PanelImage kPanelImages[kImageCount];

// The row of kPanelImages that holds the named image.
const PanelImage& ImageNamed(ImageName name);

const int kLampBoxSize = 24;

inline HitBox LampBox(const PanelImage& lamp)
{
    return {lamp.x, lamp.x + kLampBoxSize, lamp.y, lamp.y + kLampBoxSize};
}

// The two push buttons along the top: each cap fills its box, starting
// one pixel in, and its label is painted level with it, label_dx from the
// cap's left edge.
struct PushButton {
    const char* label;
    int label_dx;
    HitBox box;
};

inline constexpr PushButton kClockButton = {"CLOCK", -33, {116, 140, 9, 33}};
inline constexpr PushButton kResetButton = {"RESET", 29, {189, 213, 10, 34}};

#endif
