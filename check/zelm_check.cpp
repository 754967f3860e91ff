// zelm_check.cpp: the answer checker's command line, zelm-check [--] [FILE].
//
// Reads the answer from FILE, or from standard input when FILE is "-" or
// absent, and checks it (judge.h).  The panel itself takes no options and
// prints nothing: everything a player asks of his answer is asked here.
// Each system's entry point, and its way with file names and typing, is
// in its console file (console.h).
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "answer.h"
#include "catalog.h"
#include "console.h"
#include "diagnostics.h"
#include "judge.h"
#include "spelling.h"
#include "utf8.h"

// --help: each paragraph a message, wrapped as the report is; and the
// notation's lines (spelling.h).
static void PrintHelp()
{
    // TRANSLATORS: the command lines the checker takes, as its manual
    // page's synopsis gives them.
    printf("%s\n", Translated("Usage: zelm-check [--] [FILE]\n"
                              "   or: zelm-check --help | --version"));
    PrintWrapped(Translated("Checks your answer to the zelm panel: the hidden "
                            "circuit's equations, one a line, read from FILE, "
                            "or from standard input without one or with -. "
                            "For each part that is wrong it names an "
                            "experiment to try on the panel. A FILE whose "
                            "name begins with - follows --."),
                 "", "", kTerminalWidth, stdout);
    // The examples, each an equation and what it gives, in a column.
    const struct {
        const char* equation;
        const char* gives;
    } examples[] = {
        // TRANSLATORS: beside an example of an equation in --help, what it
        // gives.
        {"y = a ⊕ q1", ForTranslation("the output")},
        // TRANSLATORS: the same.
        {"jq1 = a·b'", ForTranslation("a flip-flop by its J and K inputs")},
        {"kq1 = q0 + q2", ""},
        // TRANSLATORS: the same: the flip-flop, given by its next state.
        {"q0+ = b'·q2'", ForTranslation("or by its next state")},
    };
    puts("");
    for (const auto& example : examples) {
        std::string line = std::string("  ") + example.equation;
        if (example.gives[0] != '\0')
            line +=
                std::string(24 - CharactersIn(line.c_str(), line.size()), ' ') +
                Translated(example.gives);
        puts(line.c_str());
    }
    puts("");
    PrintNotation(stdout, "  ");
    puts("");
    PrintWrapped(Translated("NOT binds tightest, then AND, then OR, XOR and "
                            "XNOR. # starts a comment."),
                 "", "", kTerminalWidth, stdout);
    puts("");
    PrintWrapped(Translated("Exit status: 0 when all four parts are right, 1 "
                            "when one is wrong or missing, 2 when the answer "
                            "or the command line cannot be read, or the "
                            "report cannot be written."),
                 "", "", kTerminalWidth, stdout);
}

// The catalog of the first language the player asks for that the checker
// carries (catalog.h), where it is found beside the program: in the
// folder the Windows zip and a build tree lay out, or in the one a Debian
// package and the tarball install, share/locale beside games/.  Where
// none is found or read, English.
static void UseTheLanguageAsked()
{
    const char* locale = NULL;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(variable);
        if (locale == NULL && value != NULL && value[0] != '\0')
            locale = value;
    }
    std::string folder = ProgramFolder();
    for (const std::string& language : LanguagesAsked(
             getenv("LANGUAGE"), locale, SystemLanguages().c_str())) {
        for (const char* catalogs : {"locale", "../share/locale"}) {
            std::string path = folder + "/" + catalogs + "/" + language +
                               "/LC_MESSAGES/zelm.mo";
            FILE* file = OpenToRead(path.c_str());
            std::string bytes;
            bool read = file != NULL && ReadAtMost(file, &bytes);
            if (file != NULL)
                fclose(file);
            if (read && UseCatalog(bytes))
                return;
        }
    }
}

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
        PrintDiagnostic(stderr, path, NULL,
                        Translated("is a folder, not an answer"));
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
    if (typed) {
        // TRANSLATORS: %1$s is the keys that end what is typed, as Ctrl-D.
        const char* prompt = Translated("Type your equations, one a line (such "
                                        "as y = a·b'), then %1$s.");
        fprintf(stderr, "%s\n",
                Format(prompt, {Translated(kEndOfInputKeys)}).c_str());
    }
    std::string text;
    if (!(typed ? ReadTypedText(&text) : ReadAtMost(stdin, &text))) {
        // TRANSLATORS: %1$s is the system's words for what went wrong.
        const char* message = Translated("standard input: %1$s");
        PrintDiagnostic(stderr, "zelm-check", NULL,
                        Format(message, {strerror(errno)}));
        return 2;
    }
    return CheckAnswer("<stdin>", text.data(), text.size(), kTerminalWidth,
                       stdout, stderr);
}

static int RefuseCommandLine(const std::string& why)
{
    PrintDiagnostic(stderr, "zelm-check", NULL, why);
    fprintf(stderr, "%s\n", Translated("Try 'zelm-check --help'."));
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
            PrintHelp();
            return 0;
        } else if (option && strcmp(arg, "--version") == 0) {
            printf("zelm-check %s\n", ZELM_VERSION);
            return 0;
        } else if (option) {
            return RefuseCommandLine(
                Format(Translated("unknown option '%1$s'"), {arg}));
        } else if (path != NULL) {
            // TRANSLATORS: %1$s and %2$s are the files named.
            const char* message = Translated("one answer at a time, not "
                                             "'%1$s' and '%2$s'");
            return RefuseCommandLine(Format(message, {path, arg}));
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
    UseTheLanguageAsked();
    int status = Run(argc, argv);
    // What was printed is only said once it is written: a report lost to a
    // full disk is no success.
    int failed = fflush(stdout) != 0 ? errno : ferror(stdout) ? EIO : 0;
    if (failed != 0) {
        PrintDiagnostic(
            stderr, "zelm-check", NULL,
            Format(Translated("standard output: %1$s"), {strerror(failed)}));
        status = 2;
    }
    RestoreConsole();
    return status;
}
