// icon.cpp: the program's icon from its text pixel map: a 32 x 32, 4-bit
// Windows icon, and PNGs at whole multiples of 32 for the desktop.
//
// An .ico holds a directory, then one device-independent bitmap of twice
// the icon's height: the colour pixels (XOR mask) bottom row first, then a
// 1-bit transparency (AND mask).  Everything is little-endian.
#include "icon.h"

#include "canvas.h"

#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

static const int kSize = 32;
static const int kColours = 16;

// Palette index per pixel-map character; transparency lives in the mask.
struct Ink {
    char ch;
    uint8_t index;
    bool transparent;
};

static const Ink kInks[] = {
    {'.', 0, true},
    {'#', 0, false},
    {'+', 1, false},
};

// The palette as blue, green, red, reserved; unused entries stay black.
static const uint8_t kPalette[kColours][4] = {
    {0x00, 0x00, 0x00, 0}, // black
    {0xc0, 0xc0, 0xc0, 0}, // light grey
};

static void Put16(std::vector<uint8_t>& out, unsigned value)
{
    out.push_back(value & 0xff);
    out.push_back((value >> 8) & 0xff);
}

static void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

static const Ink* FindInk(char ch)
{
    for (const Ink& ink : kInks) {
        if (ink.ch == ch)
            return &ink;
    }
    return NULL;
}

// The map's rows, top first, without comments; empty on a malformed map.
static std::vector<std::string> ReadRows(const char* source)
{
    std::vector<std::string> rows;
    FILE* file = fopen(source, "r");
    if (file == NULL) {
        perror(source);
        return rows;
    }
    char line[256];
    while (fgets(line, sizeof line, file) != NULL) {
        line[strcspn(line, "\r\n")] = '\0';
        if (line[0] != ';')
            rows.push_back(line);
    }
    fclose(file);
    bool good = rows.size() == static_cast<size_t>(kSize);
    for (const std::string& row : rows) {
        good = good && row.size() == static_cast<size_t>(kSize);
        for (char ch : row)
            good = good && FindInk(ch) != NULL;
    }
    if (!good) {
        fprintf(stderr, "%s: want %d rows of %d pixels from \".#+\"\n", source,
                kSize, kSize);
        rows.clear();
    }
    return rows;
}

bool RenderIcon(const char* source, const char* target)
{
    std::vector<std::string> rows = ReadRows(source);
    if (rows.empty())
        return false;

    const uint32_t xor_bytes = kSize * kSize / 2;
    const uint32_t and_bytes = kSize * 4; // 32 bits a row, already aligned
    const uint32_t image_bytes = 40 + kColours * 4 + xor_bytes + and_bytes;
    std::vector<uint8_t> out;

    // Directory: one icon, then its entry.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(kColours);
    out.push_back(0);
    Put16(out, 1); // planes
    Put16(out, 4); // bits per pixel
    Put32(out, image_bytes);
    Put32(out, 6 + 16);

    // Bitmap header: the height counts both masks.
    Put32(out, 40);
    Put32(out, kSize);
    Put32(out, 2 * kSize);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0); // uncompressed
    Put32(out, xor_bytes + and_bytes);
    for (int i = 0; i < 4; i++)
        Put32(out, 0);
    for (const uint8_t* colour : kPalette)
        out.insert(out.end(), colour, colour + 4);

    for (int y = kSize - 1; y >= 0; y--)
        for (int x = 0; x < kSize; x += 2)
            out.push_back(FindInk(rows[y][x])->index << 4 |
                          FindInk(rows[y][x + 1])->index);
    for (int y = kSize - 1; y >= 0; y--)
        for (int x = 0; x < kSize; x += 8) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; bit++)
                bits |= FindInk(rows[y][x + bit])->transparent << (7 - bit);
            out.push_back(bits);
        }

    FILE* file = fopen(target, "wb");
    if (file == NULL) {
        perror(target);
        return false;
    }
    bool written = fwrite(out.data(), 1, out.size(), file) == out.size();
    return fclose(file) == 0 && written;
}

// The map on a square canvas of the given size and ground, each map
// pixel a square of scale x scale, the map in the middle.
static bool WriteIconPng(const char* source, int scale, int size, Colour ground,
                         const char* target)
{
    std::vector<std::string> rows = ReadRows(source);
    if (rows.empty())
        return false;
    Canvas canvas = MakeCanvas(size, size, ground);
    int margin = (size - kSize * scale) / 2;
    for (int y = 0; y < kSize * scale; y++)
        for (int x = 0; x < kSize * scale; x++) {
            const Ink* ink = FindInk(rows[y / scale][x / scale]);
            const uint8_t* bgr = kPalette[ink->index];
            if (!ink->transparent)
                canvas.pixels[static_cast<size_t>(y + margin) * size + x +
                              margin] = {bgr[2] / 255.0f, bgr[1] / 255.0f,
                                         bgr[0] / 255.0f, 1};
        }
    return WritePng(canvas, target, true);
}

bool RenderIconPng(const char* source, int scale, const char* target)
{
    return WriteIconPng(source, scale, kSize * scale, {0, 0, 0, 0}, target);
}

// A launcher masks the icon to a shape of its own, keeping at least the
// circle of 80 % of its width: the map's whole square must lie within it,
// so its diagonal is at most that circle's diameter.  The ground is the
// panel's label colour, light behind the black outline.
bool RenderMaskableIconPng(const char* source, int size, const char* target)
{
    int scale = static_cast<int>(0.8 * size / (kSize * sqrt(2.0)));
    return WriteIconPng(source, scale, size, {0.86f, 0.84f, 0.77f, 1}, target);
}
