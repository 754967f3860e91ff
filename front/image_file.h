// image_file.h: refuses an image file that would hang the decoder, before
// the decoder sees it.
//
// SDL_image hands libpng a read callback that ignores a short read, so a
// PNG whose chunks run past the end of the file can make libpng skip the
// same damaged chunk for ever; and opening a named pipe for reading waits
// for a writer that may never come.  This check looks at the file's type,
// and at a PNG's chunk headers (never its data), without SDL.
#ifndef ZELM_FRONT_IMAGE_FILE_H
#define ZELM_FRONT_IMAGE_FILE_H

// What is wrong with the file at path, as a phrase for the player, or null
// when it may go to the decoder: a regular file that either does not begin
// with the PNG signature or whose chunks lead to IEND inside the file.  A
// file that cannot be examined at all (missing, unreadable) is left to the
// decoder, which reports it in its own words.
const char* ImageFileFault(const char* path);

#endif
