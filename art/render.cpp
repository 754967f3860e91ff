// render.cpp: renders the panel images into a data folder.
//
// Usage: zelm_art ROOT ICONSOURCE ICONFILE WEBDIR: each of the panel's
// images at its path under ROOT (data/), the Windows icon from its pixel
// map, and the page's icons into WEBDIR; or zelm_art --icon-png ICONSOURCE
// SCALE PNGFILE: the icon for the desktop, 32 * SCALE pixels square.
//
// The background keeps its alpha; each lit lamp is the lit panel, composed
// over white as the program composes it, cut to the lamp's square, so that
// it lies on the background without a seam.  The cheat overlay is an
// opaque card.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "canvas.h"
#include "cheatsheet.h"
#include "icon.h"
#include "panel.h"

static const Colour kWhiteGround = {1, 1, 1, 1};

// What the image's file holds, as its painting says.
static Canvas Paint(const PanelImage& image, const Canvas& lit)
{
    switch (image.painting) {
    case kPaintPanel:
        return DrawPanel(false);
    case kPaintCheatSheet:
        return DrawCheatSheet();
    case kPaintGreenLamp:
    case kPaintAmberLamp:
    case kPaintRedLamp:
        break;
    }
    return Crop(lit, image.x, image.y, kLampImageSize, kLampImageSize);
}

int main(int argc, char** argv)
{
    if (argc == 5 && strcmp(argv[1], "--icon-png") == 0 && atoi(argv[3]) > 0)
        return RenderIconPng(argv[2], atoi(argv[3]), argv[4]) ? 0 : 1;
    if (argc != 5) {
        fprintf(stderr,
                "usage: %s ROOT ICONSOURCE ICONFILE WEBDIR\n"
                "       %s --icon-png ICONSOURCE SCALE PNGFILE\n",
                argv[0], argv[0]);
        return 2;
    }
    std::string root = argv[1];
    Canvas lit = FlattenOver(DrawPanel(true), kWhiteGround);
    bool ok = true;
    for (const PanelImage& image : kPanelImages)
        ok =
            ok && WritePng(Paint(image, lit), (root + "/" + image.path).c_str(),
                           image.keeps_alpha);
    ok = ok && RenderIcon(argv[2], argv[3]);
    // The page's icons for a web app manifest: 192 and 512 pixels, and
    // one for launchers that mask it.
    std::string web = argv[4];
    ok = ok && RenderIconPng(argv[2], 6, (web + "/icon-192.png").c_str()) &&
         RenderIconPng(argv[2], 16, (web + "/icon-512.png").c_str()) &&
         RenderMaskableIconPng(argv[2], 512,
                               (web + "/icon-maskable.png").c_str());
    return ok ? 0 : 1;
}
