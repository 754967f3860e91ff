// layout.cpp: the panel's images, each in its one row.
#include "layout.h"

#include "cheat.h"
#include "circuit.h"

// A table in columns under its header, which clang-format would undo.
// clang-format off
constexpr PanelImage kPanelImages[kImageCount] = {
//   name             path                  alpha  shown by         x    y    toggles  painting          label  at
    {kImageZelm,      "data/zelm.png",      true,  nullptr,         0,   0,   false,   kPaintPanel,      "",    0,   0  },
    {kImageQ2,        "data/q2.png",        false, &g_circuit.q2,   115, 204, true,    kPaintAmberLamp,  "Q2",  16,  -10},
    {kImageQ1,        "data/q1.png",        false, &g_circuit.q1,   156, 204, true,    kPaintAmberLamp,  "Q1",  16,  -10},
    {kImageQ0,        "data/q0.png",        false, &g_circuit.q0,   192, 204, true,    kPaintAmberLamp,  "Q0",  16,  -10},
    {kImageA,         "data/a.png",         false, &g_circuit.a,    30,  72,  true,    kPaintGreenLamp,  "A",   -14, 10 },
    {kImageB,         "data/b.png",         false, &g_circuit.b,    30,  118, true,    kPaintGreenLamp,  "B",   -14, 10 },
    {kImageY,         "data/y.png",         false, &g_circuit.y,    272, 112, false,   kPaintRedLamp,    "Y",   11,  -10},
    {kImageGnarlwick, "data/gnarlwick.png", false, &g_cheat_flag,   114, 82,  false,   kPaintCheatSheet, "",    0,   0  },
};
// clang-format on

// Each name's row, found once, at compile time; every name has one.
struct Rows {
    int of[kImageCount];
    bool each_name_once;
};

static constexpr Rows FindRows()
{
    Rows rows = {{}, true};
    for (int name = 0; name < kImageCount; name++) {
        int found = 0;
        for (int row = 0; row < kImageCount; row++) {
            if (kPanelImages[row].name == name) {
                rows.of[name] = row;
                found++;
            }
        }
        rows.each_name_once = rows.each_name_once && found == 1;
    }
    return rows;
}

static constexpr Rows kRows = FindRows();
static_assert(kRows.each_name_once, "one row for each image name");

const PanelImage& ImageNamed(ImageName name)
{
    return kPanelImages[kRows.of[name]];
}
