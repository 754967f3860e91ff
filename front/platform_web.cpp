// platform_web.cpp: the front end's platform in the browser, where
// emscripten's SDL 1.2 draws on the page's canvas and reads its events.
//
// A page must never block, so that SDL has no wait.  Ours suspends the
// program (Asyncify) until the page receives an input event and resumes
// it then: an idle panel runs no timer, interval or animation frame at
// all, where desktop SDL looks for events every 10 ms.
//
// A desktop window is drawn as soon as it appears, because the window
// system sends it an expose event then; a page sends nothing until the
// visitor moves or clicks.  So the first wait hands the program the
// expose event itself, and the panel is drawn as the page loads, its
// output lamp dark until the first press, as on the desktop.
//
// Every surface in the browser is already 32-bit RGBA, so the conversion
// that keeps alpha serves for the display's format; the lamps and the
// overlay are opaque, so they land exactly as the desktop's copies.
//
// And the browser SDL's image load and error text say nothing about a
// failure (the text is a fixed placeholder): the ones here give the
// desktop's words, so that a player reads which image is missing.
// Decoding stays the browser SDL's.
#include <SDL_image.h>
#include <emscripten.h>
#include <stdio.h>
#include <string.h>

#include "platform.h"

// Resolves at the next input event the page receives: the listeners are
// on the window, so they run after SDL's own (on the canvas and the
// document) have queued the event.  (JavaScript, which clang-format would
// take for C++ and mangle.)
// clang-format off
EM_ASYNC_JS(void, WaitForInput, (), {
    if (!Module.zelmWakeOn) {
        Module.zelmWakeOn = true;
        var wake = function() {
            var resume = Module.zelmResume;
            Module.zelmResume = null;
            if (resume) resume();
        };
        ['mousedown', 'mouseup', 'mousemove', 'wheel', 'keydown', 'keyup',
         'touchstart', 'touchmove', 'touchend', 'focus', 'blur',
         'visibilitychange'].forEach(function(type) {
            window.addEventListener(type, wake);
        });
    }
    await new Promise(function(resolve) { Module.zelmResume = resolve; });
});
// clang-format on

static bool g_shown = false;

int WaitForEvent(SDL_Event* event)
{
    if (!g_shown) {
        g_shown = true;
        SDL_Event expose = {};
        expose.type = SDL_VIDEOEXPOSE;
        SDL_PushEvent(&expose);
    }
    while (SDL_PollEvent(event) == 0)
        WaitForInput();
    return 1;
}

SDL_Surface* ToDisplayFormat(SDL_Surface* image)
{
    return SDL_DisplayFormatAlpha(image);
}

static char g_error[256];

// Written without printf: a format known only at run time would bring in
// the C library's whole printf, floating point and all, to every player.
static void SetError(const char* text, const char* file)
{
    strncpy(g_error, text, sizeof g_error - 1);
    strncat(g_error, file, sizeof g_error - 1 - strlen(g_error));
}

const char* LibraryErrorText()
{
    return g_error[0] != '\0' ? g_error : "the browser's SDL gave no reason";
}

SDL_Surface* LoadImageFile(const char* path)
{
    FILE* readable = fopen(path, "rb");
    if (readable == NULL) {
        SetError("Couldn't open ", path);
        return NULL;
    }
    fclose(readable);
    SDL_Surface* image = IMG_Load_RW(SDL_RWFromFile(path, "rb"), 1);
    if (image == NULL)
        SetError("Unsupported image format", "");
    return image;
}
