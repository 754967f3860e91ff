/* SDL_config.h: SDL 1.2's configuration for 64-bit Windows (MinGW-w64).
 *
 * It replaces the Linux configuration that comes with Debian's headers, so
 * that those headers describe the Windows DLLs to the compiler.  The public
 * headers only read which C library parts exist and whether there is a
 * 64-bit integer type; SDL_platform.h sees _WIN32 and sets __WIN32__.
 */
#ifndef _SDL_config_h
#define _SDL_config_h

#include "SDL_platform.h"

#define SDL_HAS_64BIT_TYPE 1
#define SIZEOF_VOIDP 8

#define HAVE_LIBC 1
#define STDC_HEADERS 1
#define HAVE_STDIO_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STDARG_H 1
#define HAVE_STDDEF_H 1
#define HAVE_STRING_H 1
#define HAVE_STDINT_H 1
#define HAVE_CTYPE_H 1
#define HAVE_MALLOC 1
#define HAVE_CALLOC 1
#define HAVE_REALLOC 1
#define HAVE_FREE 1
#define HAVE_MEMSET 1
#define HAVE_MEMCPY 1
#define HAVE_MEMMOVE 1
#define HAVE_MEMCMP 1
#define HAVE_STRLEN 1

#endif
