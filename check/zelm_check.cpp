// zelm_check.cpp: the answer checker's command line, zelm-check [--] [FILE].
//
// Reads the answer from FILE, or from standard input when FILE is "-" or
// absent, and checks it (judge.h).  The panel itself takes no options and
// prints nothing: everything a player asks of his answer is asked here.
// Each system's entry point, and its way with file names and typing, is
// in its console file (console.h).
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "answer.h"
#include "console.h"
#include "diagnostics.h"
#include "judge.h"
#include "spelling.h"

static const char kUsage[] =
    "Usage: zelm-check [--] [FILE]\n"
    "Checks your answer to the zelm panel: the hidden circuit's equations,\n"
    "one a line, read from FILE, or from standard input without one or\n"
    "with -.  For each part that is wrong it names an experiment to try on\n"
    "the panel.  A FILE whose name begins with - follows --.\n"
    "\n"
    "  y = a ⊕ q1             the output\n"
    "  jq1 = a·b'             a flip-flop by its J and K inputs\n"
    "  kq1 = q0 + q2\n"
    "  q0+ = b'·q2'           or by its next state\n"
    "\n";

static const char kUsageEnd[] =
    "NOT binds tightest, then AND, then OR, XOR and XNOR.  # starts a\n"
    "comment.\n"
    "\n"
    "Exit status: 0 when all four parts are right, 1 when one is wrong or\n"
    "missing, 2 when the answer or the command line cannot be read, or the\n"
    "report cannot be written.\n";

// Never more than one byte past the largest answer, so that no file or
// device, however large or endless (/dev/zero), fills the memory or keeps
// the checker reading.  A pipe, named or not, or a terminal, is read for
// as long as its writer or the player goes on, as any program reads it.
bool ReadAtMost(FILE* stream, std::string* text)
{
    char buffer[1 << 16];
    while (text->size() <= kMaxAnswerBytes) {
        size_t room = kMaxAnswerBytes + 1 - text->size();
        size_t got = fread(buffer, 1,
                           room < sizeof buffer ? room : sizeof buffer, stream);
        if (got == 0)
            break;
        text->append(buffer, got);
    }
    return ferror(stream) == 0;
}

static int ReadFileAndCheck(const char* path)
{
    if (IsFolder(path)) {
        PrintDiagnostic(stderr, path, NULL, "is a folder, not an answer");
        return 2;
    }
    FILE* file = OpenToRead(path);
    if (file == NULL) {
        PrintDiagnostic(stderr, path, NULL, strerror(errno));
        return 2;
    }
    std::string text;
    bool read = ReadAtMost(file, &text);
    int saved = errno;
    fclose(file);
    if (!read) {
        PrintDiagnostic(stderr, path, NULL, strerror(saved));
        return 2;
    }
    return CheckAnswer(path, text.data(), text.size(), kTerminalWidth, stdout,
                       stderr);
}

static int ReadInputAndCheck()
{
    bool typed = InputIsTerminal();
    if (typed)
        fprintf(stderr,
                "Type your equations, one a line (such as y = a·b'), then "
                "%s.\n",
                kEndOfInputKeys);
    std::string text;
    if (!(typed ? ReadTypedText(&text) : ReadAtMost(stdin, &text))) {
        PrintDiagnostic(stderr, "zelm-check", NULL,
                        std::string("standard input: ") + strerror(errno));
        return 2;
    }
    return CheckAnswer("<stdin>", text.data(), text.size(), kTerminalWidth,
                       stdout, stderr);
}

static int RefuseCommandLine(const std::string& why)
{
    PrintDiagnostic(stderr, "zelm-check", NULL, why);
    fputs("Try 'zelm-check --help'.\n", stderr);
    return 2;
}

// The command line, zelm-check [--help | --version] [--] [FILE]: after
// --, every argument is a FILE, so that its name may begin with -.
static int Run(int argc, char** argv)
{
    const char* path = NULL;
    bool options = true;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        bool option = options && arg[0] == '-' && arg[1] != '\0';
        if (option && strcmp(arg, "--") == 0) {
            options = false;
        } else if (option && strcmp(arg, "--help") == 0) {
            fputs(kUsage, stdout);
            PrintNotation(stdout, "  ");
            fputs(kUsageEnd, stdout);
            return 0;
        } else if (option && strcmp(arg, "--version") == 0) {
            printf("zelm-check %s\n", ZELM_VERSION);
            return 0;
        } else if (option) {
            return RefuseCommandLine("unknown option '" + std::string(arg) +
                                     "'");
        } else if (path != NULL) {
            return RefuseCommandLine("one answer at a time, not '" +
                                     std::string(path) + "' and '" + arg + "'");
        } else {
            path = arg;
        }
    }
    if (path == NULL || strcmp(path, "-") == 0)
        return ReadInputAndCheck();
    return ReadFileAndCheck(path);
}

int RunChecker(int argc, char** argv)
{
    PrepareConsole();
    int status = Run(argc, argv);
    // What was printed is only said once it is written: a report lost to a
    // full disk is no success.
    int failed = fflush(stdout) != 0 ? errno : ferror(stdout) ? EIO : 0;
    if (failed != 0) {
        PrintDiagnostic(stderr, "zelm-check", NULL,
                        std::string("standard output: ") + strerror(failed));
        status = 2;
    }
    RestoreConsole();
    return status;
}
