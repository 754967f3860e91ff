// sdl_abi.cpp: pins the layout of the SDL structures the program reads.
//
// The Windows program is compiled against Debian's SDL 1.2 headers (see
// cmake/windows/) but runs against the real 64-bit SDL.dll, which was built
// from the same structure declarations.  SDL_Rect, SDL_Event, SDL_Surface
// and SDL_PixelFormat hold only fixed-width integers, ints, enums and
// pointers: no long, no bit-fields.  Those types have the same sizes and
// alignments on 64-bit Linux (LP64) and 64-bit Windows (LLP64), so the
// layouts agree.  The numbers below were read off Debian's x86-64 build;
// both builds check them, so a header or compiler that disagreed would stop
// the Windows build here instead of misreading events at run time.
#include <SDL.h>
#include <stddef.h>

static_assert(sizeof(void*) == 8, "a 64-bit build");

static_assert(sizeof(SDL_Rect) == 8, "SDL_Rect");
static_assert(offsetof(SDL_Rect, x) == 0 && offsetof(SDL_Rect, y) == 2 &&
                  offsetof(SDL_Rect, w) == 4 && offsetof(SDL_Rect, h) == 6,
              "SDL_Rect");

static_assert(sizeof(SDL_Event) == 24, "SDL_Event");
static_assert(offsetof(SDL_MouseButtonEvent, button) == 2 &&
                  offsetof(SDL_MouseButtonEvent, x) == 4 &&
                  offsetof(SDL_MouseButtonEvent, y) == 6,
              "SDL_MouseButtonEvent");
static_assert(offsetof(SDL_KeyboardEvent, keysym) == 4 &&
                  offsetof(SDL_keysym, sym) == 4 && sizeof(SDL_keysym) == 16,
              "SDL_KeyboardEvent");

static_assert(sizeof(SDL_Surface) == 88, "SDL_Surface");
static_assert(offsetof(SDL_Surface, format) == 8 &&
                  offsetof(SDL_Surface, w) == 16 &&
                  offsetof(SDL_Surface, h) == 20 &&
                  offsetof(SDL_Surface, pixels) == 32 &&
                  offsetof(SDL_Surface, refcount) == 84,
              "SDL_Surface");

static_assert(sizeof(SDL_PixelFormat) == 48, "SDL_PixelFormat");
static_assert(offsetof(SDL_PixelFormat, BitsPerPixel) == 8 &&
                  offsetof(SDL_PixelFormat, Amask) == 32 &&
                  offsetof(SDL_PixelFormat, alpha) == 40,
              "SDL_PixelFormat");
