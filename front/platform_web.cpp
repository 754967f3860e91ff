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
//
// The browser's SDL starts by listening for the page's unload, to quit the
// program as the page goes.  Browsers keep no page with an unload listener
// in their back/forward cache, so that Back would start the panel afresh,
// its notes of this visit lost; audits count such a listener as a fault
// from the moment it is added; and the program keeps nothing a quit must
// save.  So while SDL starts, the page adds no unload listener: Back or
// Forward finds the page, and the panel, as it was left.
//
// The page lays a real button over each control, for the keyboard and the
// screen reader, and keeps a note of what the panel has shown: it learns
// both from here, never computing the circuit or holding its layout.  At
// the first wait it is told where each control stands, and after each
// press what the press hit and what the lamps then show, with the number
// of the case they show (circuit.h), which is its cell in the notebook.  A
// button pushes a left press at its control's middle through SDL's queue,
// as a click there would.
//
// The page hands a tap here too, and letters typed on a phone's keyboard.
// The browser's SDL would make a touch a press at once, where a finger may
// be starting to scroll, and at the wrong place on a scrolled page (it
// takes the touch's place in the window for its place in the page), so the
// page keeps touches from it.  A tap is a press of the control nearest the
// finger, within a fingertip of its middle and nearer it than any other,
// as the boxes a mouse must hit are smaller than a finger; elsewhere, a
// press on the panel where the finger is.  A letter typed is the key press
// a keyboard gives.
#include <SDL_image.h>
#include <emscripten.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "circuit.h"
#include "layout.h"
#include "platform.h"

// JavaScript, which clang-format would take for C++ and mangle.
// clang-format off

// Resolves at the next input event the page receives: the listeners are
// on the window, so they run after SDL's own (on the canvas and the
// document) have queued the event.
EM_ASYNC_JS(void, WaitForInput, (), {
    if (!Module.zelmWake) {
        Module.zelmWake = function() {
            var resume = Module.zelmResume;
            Module.zelmResume = null;
            if (resume) resume();
        };
        ['mousedown', 'mouseup', 'mousemove', 'wheel', 'keydown', 'keyup',
         'touchstart', 'touchmove', 'touchend', 'focus', 'blur',
         'visibilitychange'].forEach(function(type) {
            window.addEventListener(type, Module.zelmWake, {passive: true});
        });
    }
    await new Promise(function(resolve) { Module.zelmResume = resolve; });
});

// Keeps the page from adding an unload listener, or lets it again.
EM_JS(void, RefuseUnloadListeners, (bool refuse), {
    if (!refuse) {
        window.addEventListener = Module.zelmAddListener;
        return;
    }
    var add = Module.zelmAddListener = window.addEventListener;
    window.addEventListener = function(type, listener, options) {
        if (type != 'unload')
            add.call(window, type, listener, options);
    };
});

// Ends the wait at once, as an input event would.
EM_JS(void, EndTheWait, (), {
    if (Module.zelmWake) Module.zelmWake();
});

// The page's own functions, where it has them: the place of a control,
// and what a press did.
EM_JS(void, TellControl, (const char* label, int left, int right, int top,
                          int bottom), {
    if (Module.panelControl)
        Module.panelControl(UTF8ToString(label), left, right, top, bottom);
});

EM_JS(void, TellShown, (int button, const char* control, int shown_case,
                        int a, int b, int q2, int q1, int q0, int y), {
    if (Module.panelShown)
        Module.panelShown(button, UTF8ToString(control), shown_case,
                          {a: a, b: b, q2: q2, q1: q1, q0: q0, y: y});
});
// clang-format on

// The controls the page's buttons stand for, by number: each lamp a press
// toggles, then the two push buttons.  False past the last.
static bool ControlAt(int index, const char** label, HitBox* box)
{
    for (const PanelImage& lamp : kPanelImages) {
        if (lamp.toggles && index-- == 0) {
            *label = lamp.label;
            *box = LampBox(lamp);
            return true;
        }
    }
    const PushButton* button = index == 0   ? &kClockButton
                               : index == 1 ? &kResetButton
                                            : NULL;
    if (button == NULL)
        return false;
    *label = button->label;
    *box = button->box;
    return true;
}

// The control a left press at (x, y) hits, or "".
static const char* ControlHit(int x, int y)
{
    const char* label;
    HitBox box;
    for (int i = 0; ControlAt(i, &label, &box); i++) {
        if (Hits(box, x, y))
            return label;
    }
    return "";
}

static void TellPress(const SDL_MouseButtonEvent& press)
{
    const Circuit& c = g_circuit;
    TellShown(press.button,
              press.button == SDL_BUTTON_LEFT ? ControlHit(press.x, press.y)
                                              : "",
              CaseOf(c), c.a, c.b, c.q2, c.q1, c.q0, c.y);
}

// A left press and its release at (x, y), as a click there gives them.
static void PushClick(int x, int y)
{
    SDL_Event press = {};
    press.button.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.state = SDL_PRESSED;
    press.button.x = static_cast<Uint16>(x);
    press.button.y = static_cast<Uint16>(y);
    SDL_PushEvent(&press);
    press.button.type = SDL_MOUSEBUTTONUP;
    press.button.state = SDL_RELEASED;
    SDL_PushEvent(&press);
    EndTheWait();
}

extern "C" EMSCRIPTEN_KEEPALIVE void PressControl(int index)
{
    const char* label;
    HitBox box;
    if (ControlAt(index, &label, &box))
        PushClick((box.left + 1 + box.right) / 2,
                  (box.top + 1 + box.bottom) / 2);
}

// How far the pixel (x, y) lies from a box's pixels, squared.
static int DistanceSquared(const HitBox& box, int x, int y)
{
    int dx = x <= box.left ? box.left + 1 - x : std::max(x - box.right, 0);
    int dy = y <= box.top ? box.top + 1 - y : std::max(y - box.bottom, 0);
    return dx * dx + dy * dy;
}

// A tap on the pixel (x, y); reach is half a fingertip, in pixels.  The
// nearest control is pressed where the tap lies within its box, or within
// reach of its middle each way; anything else is a press on the panel
// there.
extern "C" EMSCRIPTEN_KEEPALIVE void PressAt(int x, int y, int reach)
{
    const char* label;
    HitBox box;
    int nearest = -1, least = 0;
    for (int i = 0; ControlAt(i, &label, &box); i++) {
        int distance = DistanceSquared(box, x, y);
        if (nearest < 0 || distance < least) {
            nearest = i;
            least = distance;
        }
    }
    // Each way, twice the distance from the middle of the pixel to the
    // middle of the box, against twice the reach.
    if (ControlAt(nearest, &label, &box) &&
        (least == 0 ||
         (std::abs(2 * x - box.left - box.right - 1) <= 2 * reach &&
          std::abs(2 * y - box.top - box.bottom - 1) <= 2 * reach)))
        PressControl(nearest);
    else
        PushClick(x, y);
}

// A key typed, by its symbol: what SDL gives for the key, a letter's in
// lower case.
extern "C" EMSCRIPTEN_KEEPALIVE void PressKey(int symbol)
{
    SDL_Event key = {};
    key.key.type = SDL_KEYDOWN;
    key.key.state = SDL_PRESSED;
    key.key.keysym.sym = static_cast<SDLKey>(symbol);
    SDL_PushEvent(&key);
    key.key.type = SDL_KEYUP;
    key.key.state = SDL_RELEASED;
    SDL_PushEvent(&key);
    EndTheWait();
}

static bool g_shown = false;
static SDL_Event g_handled; // the event returned last, handled since

int WaitForEvent(SDL_Event* event)
{
    if (!g_shown) {
        g_shown = true;
        const char* label;
        HitBox box;
        for (int i = 0; ControlAt(i, &label, &box); i++)
            TellControl(label, box.left, box.right, box.top, box.bottom);
        SDL_Event expose = {};
        expose.type = SDL_VIDEOEXPOSE;
        SDL_PushEvent(&expose);
    } else if (g_handled.type == SDL_MOUSEBUTTONDOWN) {
        TellPress(g_handled.button);
    }
    while (SDL_PollEvent(event) == 0)
        WaitForInput();
    g_handled = *event;
    return 1;
}

int StartVideo()
{
    RefuseUnloadListeners(true);
    int started = SDL_Init(SDL_INIT_VIDEO);
    RefuseUnloadListeners(false);
    return started;
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
