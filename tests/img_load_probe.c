/* img_load_probe.c: IMG_Load alone, on the file named on the command line,
 * for the Windows test: the bundle's SDL_image must come back from a PNG
 * that ends inside a chunk (exit 1, with its error), not spin for ever. */
#include <SDL_image.h>
#include <stdio.h>

/* A console program of the test's own: SDL's main wrapper stays out. */
#undef main

int main(int argc, char** argv)
{
    SDL_Surface* image = argc == 2 ? IMG_Load(argv[1]) : NULL;
    if (image == NULL) {
        fprintf(stderr, "%s\n", SDL_GetError());
        return 1;
    }
    SDL_FreeSurface(image);
    return 0;
}
