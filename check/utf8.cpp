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

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
