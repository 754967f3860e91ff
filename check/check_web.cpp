// check_web.cpp: the answer checker in the page, a module of its own.
//
// The page hands it the text box's contents as UTF-8 in its memory; the
// report and the problems come out as lines through the module's print
// and printErr, as they would on a terminal's stdout and stderr.
#include <emscripten.h>
#include <stdio.h>

#include "judge.h"

extern "C" EMSCRIPTEN_KEEPALIVE int CheckAnswerText(const char* text,
                                                    size_t size)
{
    int status = CheckAnswer("answer", text, size, 0, stdout, stderr);
    fflush(stdout);
    fflush(stderr);
    return status;
}
