// load_image_fuzz.cpp: LoadImage fed any bytes at all, under libFuzzer.
//
// Whatever the file holds, LoadImage must come back, with an image or with
// null after its line, without a crash, a leak or a hang (libFuzzer's
// -timeout turns a hang into a failure).  The input's length chooses
// whether alpha is kept, as for the background, or not, as for the lamps.
#include <SDL.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "display.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The dummy driver needs no display; the image goes to a folder of
    // its own, under the name the program would read.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    char folder[] = "/tmp/zelm-fuzz-XXXXXX";
    if (mkdtemp(folder) == NULL || chdir(folder) != 0 ||
        mkdir("data", 0755) != 0)
        abort();
    if (SDL_Init(SDL_INIT_VIDEO) == -1 ||
        SDL_SetVideoMode(320, 240, 0, SDL_HWSURFACE | SDL_DOUBLEBUF) == NULL)
        abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = fopen("data/q0.png", "wb");
    if (file == NULL || fwrite(data, 1, size, file) != size ||
        fclose(file) != 0)
        abort();
    SDL_Surface* image = LoadImage("data/q0.png", (size & 1) != 0);
    if (image != NULL)
        SDL_FreeSurface(image);
    return 0;
}
