// utf8.h: the answer's characters, read from its UTF-8 bytes.
#ifndef ZELM_CHECK_UTF8_H
#define ZELM_CHECK_UTF8_H

#include <stddef.h>
#include <stdint.h>

// The length of the UTF-8 character at `from`, never reaching end, with
// its code point; 0 where the bytes are no UTF-8: a stray continuation
// byte, a sequence cut short, an overlong form, a surrogate, or past
// U+10FFFF.
int CharLength(const char* from, const char* end, uint32_t* point);

// How many characters length bytes of valid UTF-8 hold.
int CharactersIn(const char* text, size_t length);

// Whether a code point is a control character, C0 or C1.
bool IsControl(uint32_t point);

// Whether a code point is a character that shows as nothing, or as a
// blank that is no blank between tokens: the spaces and format characters
// that word processors and chat programs put into pasted text.
bool IsInvisible(uint32_t point);

// The letter in lower case, if it is an ASCII capital.
char LowerAscii(char c);

// The length of the blank between tokens at `from`, never reaching end: a
// space or a tab (1), or a no-break space (2, in UTF-8); 0 where there is
// none.
int BlankLength(const char* from, const char* end);

#endif
