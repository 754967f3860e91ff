// utf8.h: the answer's characters, read from its UTF-8 bytes.
#ifndef ZELM_CHECK_UTF8_H
#define ZELM_CHECK_UTF8_H

#include <stddef.h>
#include <stdint.h>

#include <string>

// The length of the UTF-8 character at `from`, never reaching end, with
// its code point; 0 where the bytes are no UTF-8: a stray continuation
// byte, a sequence cut short, an overlong form, a surrogate, or past
// U+10FFFF.
int CharLength(const char* from, const char* end, uint32_t* point);

// How many characters length bytes of valid UTF-8 hold.
int CharactersIn(const char* text, size_t length);

// Whether a code point is a control character, C0 or C1.
bool IsControl(uint32_t point);

// Whether a code point is a character that shows as nothing: the
// zero-width and format characters that word processors and chat programs
// put into pasted text.
bool IsInvisible(uint32_t point);

// How many columns of a terminal a character takes: 2 for the wide ones of
// East Asian scripts and the full-width forms, 1 for the rest.
int ColumnsOf(uint32_t point);

// The letter in lower case, if it is an ASCII capital.
char LowerAscii(char c);

// The text as the reader reads it: every blank that some keyboard or word
// processor types (a no-break space, the spaces of set widths, the
// ideographic space) as a space, and every full-width form of an ASCII
// character (＝, ＋, ａ, as East Asian input methods type them) as that
// character; anything else as it is, bytes that are no UTF-8 included.  So
// every line keeps its characters, and a place counted in characters is
// the same in both.
std::string AsRead(const char* text, size_t size);

// Whether a byte of text as read is a blank between tokens: a space or a
// tab.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

#endif
