// utf8.cpp: decoding UTF-8, one character at a time.
#include "utf8.h"

int CharLength(const char* from, const char* end, uint32_t* point)
{
    const unsigned char* at = reinterpret_cast<const unsigned char*>(from);
    int length;
    uint32_t value, least;
    if (at[0] < 0x80) {
        *point = at[0];
        return 1;
    } else if (at[0] >= 0xc2 && at[0] <= 0xdf) {
        length = 2, value = at[0] & 0x1f, least = 0x80;
    } else if ((at[0] & 0xf0) == 0xe0) {
        length = 3, value = at[0] & 0x0f, least = 0x800;
    } else if (at[0] >= 0xf0 && at[0] <= 0xf4) {
        length = 4, value = at[0] & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (end - from < length)
        return 0;
    for (int i = 1; i < length; i++) {
        if ((at[i] & 0xc0) != 0x80)
            return 0;
        value = value << 6 | (at[i] & 0x3f);
    }
    if (value < least || value > 0x10ffff ||
        (value >= 0xd800 && value <= 0xdfff))
        return 0;
    *point = value;
    return length;
}

// Every byte but the continuation bytes begins a character.
int CharactersIn(const char* text, size_t length)
{
    int characters = 0;
    for (size_t i = 0; i < length; i++)
        characters += (text[i] & 0xc0) != 0x80;
    return characters;
}

bool IsControl(uint32_t point)
{
    return point < 0x20 || (point >= 0x7f && point < 0xa0);
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// A set of characters, as ranges of code points.
struct Range {
    uint32_t first, last;
};

template <size_t count>
static bool IsIn(const Range (&ranges)[count], uint32_t point)
{
    for (const Range& range : ranges) {
        if (point >= range.first && point <= range.last)
            return true;
    }
    return false;
}

// The invisible characters.  The blanks below are not among them.
static const Range kInvisible[] = {
    {0x00ad, 0x00ad},   // soft hyphen
    {0x034f, 0x034f},   // combining grapheme joiner
    {0x061c, 0x061c},   // Arabic letter mark
    {0x115f, 0x1160},   // Hangul fillers
    {0x17b4, 0x17b5},   // Khmer inherent vowels
    {0x180b, 0x180f},   // Mongolian variation selectors and separator
    {0x200b, 0x200f},   // zero-width characters and direction marks
    {0x2028, 0x202e},   // line and paragraph separators, embeddings
    {0x2060, 0x206f},   // word joiner, invisible operators
    {0x3164, 0x3164},   // Hangul filler
    {0xfe00, 0xfe0f},   // variation selectors
    {0xfeff, 0xfeff},   // zero-width no-break space, a byte-order mark
    {0xffa0, 0xffa0},   // halfwidth Hangul filler
    {0xfff9, 0xfffb},   // interlinear annotation
    {0x1d173, 0x1d17a}, // musical formatting
    {0xe0000, 0xe0fff}, // tags and variation selectors
};

// The blanks beyond the space and the tab: what a French word processor
// puts before ! or :, what a typesetter spaces with, and what East Asian
// input methods type for a space.
static const Range kBlanks[] = {
    {0x00a0, 0x00a0}, // no-break space
    {0x2000, 0x200a}, // spaces of set widths, thin and hair spaces
    {0x202f, 0x202f}, // narrow no-break space
    {0x205f, 0x205f}, // medium mathematical space
    {0x3000, 0x3000}, // ideographic space
};

// The characters two columns wide: East Asian Wide and Fullwidth.
static const Range kWide[] = {
    {0x1100, 0x115f},   {0x2e80, 0x303e},   {0x3041, 0x33ff},
    {0x3400, 0x4dbf},   {0x4e00, 0x9fff},   {0xa000, 0xa4cf},
    {0xac00, 0xd7a3},   {0xf900, 0xfaff},   {0xfe30, 0xfe4f},
    {0xff00, 0xff60},   {0xffe0, 0xffe6},   {0x1f300, 0x1f64f},
    {0x1f900, 0x1f9ff}, {0x20000, 0x2fffd}, {0x30000, 0x3fffd},
};

// The full-width forms of the printable ASCII characters, ！ to ～.
const uint32_t kFullWidthFirst = 0xff01, kFullWidthLast = 0xff5e;
const uint32_t kFullWidthOffset = kFullWidthFirst - '!';

bool IsInvisible(uint32_t point)
{
    return IsIn(kInvisible, point);
}

int ColumnsOf(uint32_t point)
{
    return IsIn(kWide, point) ? 2 : 1;
}

std::string AsRead(const char* text, size_t size)
{
    std::string read;
    read.reserve(size);
    const char* end = text + size;
    for (const char* at = text; at < end;) {
        uint32_t point = 0;
        int length = CharLength(at, end, &point);
        if (length == 0)
            length = 1;
        if (IsIn(kBlanks, point))
            read += ' ';
        else if (point >= kFullWidthFirst && point <= kFullWidthLast)
            read += static_cast<char>(point - kFullWidthOffset);
        else
            read.append(at, length);
        at += length;
    }
    return read;
}
