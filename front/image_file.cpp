// image_file.cpp: a file's type and a PNG's chunk framing, checked cheaply.
#include "image_file.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

static const unsigned char kPngSignature[8] = {0x89, 'P',  'N',  'G',
                                               '\r', '\n', 0x1a, '\n'};

static const char kEndsEarly[] = "damaged PNG: the file ends before IEND";

static unsigned long long BigEndian32(const unsigned char* bytes)
{
    return static_cast<unsigned long long>(bytes[0]) << 24 | bytes[1] << 16 |
           bytes[2] << 8 | bytes[3];
}

// Walks the chunk headers from just past the signature: each chunk is a
// length, a type, the data and a checksum, and the last one is IEND.
static const char* PngFramingFault(FILE* file, unsigned long long size)
{
    unsigned long long at = sizeof kPngSignature;
    for (;;) {
        unsigned char header[8]; // length, then type
        if (at + sizeof header > size)
            return kEndsEarly;
        if (at > LONG_MAX ||
            fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
            fread(header, sizeof header, 1, file) != 1)
            return "damaged PNG: its chunks cannot be read";
        unsigned long long end = at + sizeof header + BigEndian32(header) + 4;
        if (end > size)
            return "damaged PNG: a chunk runs past the end of the file";
        if (memcmp(header + 4, "IEND", 4) == 0)
            return NULL;
        at = end;
    }
}

const char* ImageFileFault(const char* path)
{
    // Looked at by name first: opening a named pipe would wait for a
    // writer, and a directory or a device is no image either.
    struct stat status;
    if (stat(path, &status) != 0)
        return NULL;
    if (!S_ISREG(status.st_mode))
        return "not a regular file";
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return NULL;
    // A file cut short inside the signature is a PNG cut short too.
    unsigned char signature[sizeof kPngSignature];
    size_t got = fread(signature, 1, sizeof signature, file);
    const char* fault = NULL;
    if (got > 0 && memcmp(signature, kPngSignature, got) == 0)
        fault = got < sizeof signature ? kEndsEarly
                                       : PngFramingFault(file, status.st_size);
    fclose(file);
    return fault;
}
