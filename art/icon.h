// icon.h: the program's icon, from a text pixel map to an .ico or PNGs.
#ifndef ZELM_ART_ICON_H
#define ZELM_ART_ICON_H

// Reads the 32 x 32 pixel map at source ('.' transparent, '#' black,
// '+' light grey; lines starting with ';' are comments) and writes it as
// a one-image, 16-colour icon file at target.  False, with a message on
// stderr, when the map is malformed or a file cannot be used.
bool RenderIcon(const char* source, const char* target);

// The same map as a 32 * scale pixels square RGBA PNG, each map pixel a
// square of scale x scale, so that every size stays crisp.
bool RenderIconPng(const char* source, int scale, const char* target);

// The map for launchers that mask icons to shapes of their own: a square
// PNG of size pixels on an opaque ground, the map scaled by the largest
// whole number that keeps it inside the circle every mask leaves.
bool RenderMaskableIconPng(const char* source, int size, const char* target);

#endif
