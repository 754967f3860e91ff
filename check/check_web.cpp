// check_web.cpp: the answer checker in the page, a module of its own.
//
// The page hands it the text box's contents as UTF-8 in its memory; the
// report and the problems come out as lines through the module's print
// and printErr, as they would on a terminal's stdout and stderr, each
// sentence in one line, for the page to wrap at its own width.  It speaks
// the page's language: the page hands it that language's catalog, the
// bytes of its .mo file, or none for English.
#include <emscripten.h>
#include <stdio.h>

#include "catalog.h"
#include "judge.h"

extern "C" EMSCRIPTEN_KEEPALIVE int CheckAnswerText(const char* text,
                                                    size_t size)
{
    int status = CheckAnswer("answer", text, size, 0, stdout, stderr);
    fflush(stdout);
    fflush(stderr);
    return status;
}

extern "C" EMSCRIPTEN_KEEPALIVE void UseCatalogBytes(const char* bytes,
                                                     size_t size)
{
    UseCatalog(std::string(bytes, size));
}
