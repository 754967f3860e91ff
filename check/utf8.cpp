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

// The invisible characters, as ranges of code points.  The no-break space
// is not among them: it is a blank.
static const struct {
    uint32_t first, last;
} kInvisible[] = {
    {0x00ad, 0x00ad},   // soft hyphen
    {0x034f, 0x034f},   // combining grapheme joiner
    {0x061c, 0x061c},   // Arabic letter mark
    {0x115f, 0x1160},   // Hangul fillers
    {0x17b4, 0x17b5},   // Khmer inherent vowels
    {0x180b, 0x180f},   // Mongolian variation selectors and separator
    {0x2000, 0x200f},   // spaces of set widths, zero-width characters and
                        // direction marks
    {0x2028, 0x202f},   // line and paragraph separators, embeddings and the
                        // narrow no-break space
    {0x205f, 0x206f},   // medium space, word joiner, invisible operators
    {0x3000, 0x3000},   // ideographic space
    {0x3164, 0x3164},   // Hangul filler
    {0xfe00, 0xfe0f},   // variation selectors
    {0xfeff, 0xfeff},   // zero-width no-break space, a byte-order mark
    {0xffa0, 0xffa0},   // halfwidth Hangul filler
    {0xfff9, 0xfffb},   // interlinear annotation
    {0x1d173, 0x1d17a}, // musical formatting
    {0xe0000, 0xe0fff}, // tags and variation selectors
};

bool IsInvisible(uint32_t point)
{
    for (const auto& range : kInvisible) {
        if (point >= range.first && point <= range.last)
            return true;
    }
    return false;
}

int BlankLength(const char* from, const char* end)
{
    if (from < end && (*from == ' ' || *from == '\t'))
        return 1;
    if (end - from >= 2 && from[0] == '\xc2' && from[1] == '\xa0')
        return 2;
    return 0;
}
