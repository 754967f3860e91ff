// check_test.cpp: the answer checker on answers written out here: the
// circuit's own equations, single mistakes whose effect is read off the
// state and output tables, answers it must refuse, the real program's
// command line, and its catalogs, read beside Python's gettext, in every
// language it carries, and in a pseudo-language that no word escapes.
#include <errno.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalog.h"
#include "circuit_tables.h"
#include "judge.h"
#include "spelling.h"

namespace
{

// The circuit's equations, as the design writes them.
const std::string kRight = "jq0 = a'·q1' + q2\n"
                           "kq0 = q1 + b'\n"
                           "jq1 = b·q2 + a·q2 + a·q0 + a'·b'·q0'·q1'·q2'\n"
                           "kq1 = a + b + q0'\n"
                           "jq2 = a·q1 + b'·q0'·q1\n"
                           "kq2 = 1\n"
                           "y = q2 + a·q0·q1' + a'·b'·q0·q1 + a'·b'·q0'·q1'\n";

// The text with from replaced by to, once (it must be there) or wherever.
std::string Replaced(std::string text, const std::string& from,
                     const std::string& to, bool everywhere = false)
{
    size_t at = text.find(from);
    EXPECT_TRUE(everywhere || at != std::string::npos) << from;
    for (; at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
        if (!everywhere)
            break;
    }
    return text;
}

struct Report {
    int status;
    std::string out, err;
};

Report Check(const std::string& answer)
{
    char *out, *err;
    size_t out_size, err_size;
    FILE* out_stream = open_memstream(&out, &out_size);
    FILE* err_stream = open_memstream(&err, &err_size);
    int status = CheckAnswer("answer", answer.data(), answer.size(), 0,
                             out_stream, err_stream);
    fclose(out_stream);
    fclose(err_stream);
    Report report = {status, std::string(out, out_size),
                     std::string(err, err_size)};
    free(out);
    free(err);
    // Sentences under a part's line, read with it.
    report.out = Replaced(report.out, "\n    ", " ", true);
    return report;
}

std::string Contents(const std::string& path)
{
    std::ifstream file(path);
    EXPECT_TRUE(file.good()) << path;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The text as its reader sees it: without the blanks that begin its
// lines, nor, in a page, its tags.
std::string AsSeen(const std::string& text, bool page)
{
    std::string seen;
    bool in_tag = false, line_begins = true;
    for (char c : text) {
        if (page && (in_tag || c == '<')) {
            in_tag = c != '>';
            continue;
        }
        if (line_begins && c == ' ')
            continue;
        line_begins = c == '\n';
        seen += c;
    }
    return page ? Replaced(seen, "&amp;", "&", true) : seen;
}

// An experiment must show the player a difference: what his equations
// predict there is not what the tables say the panel shows.
void ExpectExperimentDisagreesWithTheTables(const std::string& out)
{
    size_t at = out.find("Set A ");
    ASSERT_NE(std::string::npos, at) << out;
    char a[4], b[4], lamp[3];
    int q2, q1, q0;
    ASSERT_EQ(5, sscanf(out.c_str() + at,
                        "Set A %3[onf], B %3[onf] and Q2 Q1 Q0 to %d %d %d,", a,
                        b, &q2, &q1, &q0));
    at = out.find(" and watch ", at);
    ASSERT_EQ(1, sscanf(out.c_str() + at, " and watch %2[QY012]:", lamp));
    std::string said = out.substr(out.find("your equations say it ", at) + 22);
    bool lit = said.find("lights") == 0 || said.find("stays lit") == 0;
    int state = q2 * 4 + q1 * 2 + q0;
    int inputs = (a == std::string("on")) * 2 + (b == std::string("on"));
    if (lamp[0] == 'Y')
        EXPECT_NE(kOutput[state][inputs], lit) << said;
    else
        EXPECT_NE(kNextState[state][inputs][2 - (lamp[1] - '0')] == '1', lit)
            << said;
}

} // namespace

TEST(Checker, TheCircuitsOwnEquationsSolveItInEitherNotation)
{
    Report design = Check(kRight);
    EXPECT_EQ(0, design.status) << design.out;
    // Written in the panel's notation, it is echoed as it was written.
    std::string echo = "  " + Replaced(kRight, "\n", "\n  ", true);
    echo.resize(echo.size() - 2);
    EXPECT_NE(std::string::npos, design.out.find("read:\n" + echo + "\n✓"));
    EXPECT_NE(std::string::npos,
              design.out.find("\nSolved: all four parts are right.\n"));

    Report ascii =
        Check("\xEF\xBB\xBF# typed on any keyboard\r\n"
              "J_0 = !a & !q1 | q2\r\n"
              // Blanks of other scripts, and full-width forms.
              "K0 = q1\u3000||\u202f~b\u2009\r\n"
              "ｊｑ１ ＝ ｂ＊ｑ２　＋　ａ ｑ２ + aq0 + a'b'q0'q1'q2'\r\n"
              "kq1 = (a XOR b xnor 1) + a b + !q0   # a comment\r\n"
              "\r\n"
              "y = q2 + ((a q0 q1') ^ (!a !b q0 q1)) + ((a+b+q0+q1)')\r\n"
              "Q2(t+1) = (a q1 + b' q0' q1) q2'\r\n");
    EXPECT_EQ(0, ascii.status) << ascii.out << ascii.err;
    EXPECT_NE(std::string::npos, ascii.out.find("  kq0 = q1 + b'\n"));
    EXPECT_NE(
        std::string::npos,
        ascii.out.find("  y = q2 + ((a·q0·q1') ⊕ (a'·b'·q0·q1)) + "
                       "(a + b + q0 + q1)'\n  q2+ = (a·q1 + b'·q0'·q1)·q2'\n"));
}

TEST(Checker, SingleMistakesAreCountedAndShownByAnExperiment)
{
    // The cases counted are read off the tables by hand, as each row's
    // first field says; the two first rows differ from the design's
    // equations but behave alike.
    const struct {
        const char *why, *from, *to;
        int status;
        const char* says;
    } mistakes[] = {
        {"K of a flip-flop that always toggles or resets", "kq2 = 1",
         "kq2 = q2", 0, "Solved"},
        {"q1' in a term where q0' and q2' already rule out the rest",
         "q0'·q1'·q2'", "q0'·q2'", 0, "Solved"},
        {"Q0 from state 000: 011, 001, 000, 000; J = a gives 0, 0, 1, 1",
         "jq0 = a'", "jq0 = a", 1,
         "✗ Q0, as J and K: wrong in 4 of the 32 cases. J is wrong in 4 "
         "cases, where Q0 is off. K is right. Set A off, B off and Q2 Q1 "
         "Q0 to 0 0 0, press CLOCK and watch Q0: your equations say it "
         "stays dark."},
        {"Q0 from 001 and 101 with b = 0 goes dark; K = q1 holds it",
         "kq0 = q1 + b'", "kq0 = q1", 1,
         "wrong in 4 of the 32 cases. J is right. K is wrong in 4 cases, "
         "where Q0 is on. Set A off, B off and Q2 Q1 Q0 to 0 0 1"},
        {"Y of 000 with a = b = 0 is the only one the last term lights",
         "q1 + a'·b'·q0'·q1'\n", "q1\n", 1,
         "✗ Y: wrong in 1 of the 32 cases. Set A off, B off and Q2 Q1 Q0 "
         "to 0 0 0, then click an empty part of the panel (any press "
         "refreshes Y) and watch Y: your equations say it stays dark."},
        {"Y is lit wherever Q2 is; without q2 only 4 of those 16 light, "
         "and of the 12 others, 4 light two lamps: the table's first",
         "y = q2 + ", "y = ", 1,
         "✗ Y: wrong in 12 of the 32 cases. Set A off, B on and Q2 Q1 Q0 to "
         "1 0 0,"},
        {"Q2 not given", "jq2 = a·q1 + b'·q0'·q1\nkq2 = 1\n", "", 1,
         "Not solved yet: Q0, Q1 and Y are right; Q2 is missing."},
        {"J alone, judged where Q1 is off", "kq1 = a + b + q0'\n", "", 1,
         "– Q1, by its J alone: right in all 16 cases where Q1 is off; kq1 "
         "is missing."},
        {"K alone, judged where Q1 is on",
         "jq1 = b·q2 + a·q2 + a·q0 + "
         "a'·b'·q0'·q1'·q2'\n",
         "", 1, "Not solved yet: Q0, Q2 and Y are right; jq1 is missing."},
        {"J = 0 of Q1, off, is wrong where it lights: from 000 with a = b = "
         "0, 001 with a = 1, 100 and 101 with a or b",
         "jq1 = b·q2 + a·q2 + a·q0 + a'·b'·q0'·q1'·q2'\nkq1 = a + b + q0'",
         "jq1 = 0", 1,
         "✗ Q1, by its J alone: wrong in 9 of the 16 cases where Q1 is off; "
         "kq1 is missing. Set A off, B off and Q2 Q1 Q0 to 0 0 0, press "
         "CLOCK and watch Q1: your equations say it stays dark."},
    };
    for (const auto& mistake : mistakes) {
        Report report = Check(Replaced(kRight, mistake.from, mistake.to));
        EXPECT_EQ(mistake.status, report.status) << mistake.why;
        EXPECT_NE(std::string::npos, report.out.find(mistake.says))
            << mistake.why << "\n"
            << report.out;
        if (report.out.find("Set A") != std::string::npos)
            ExpectExperimentDisagreesWithTheTables(report.out);
    }
    EXPECT_EQ(1, Check("# nothing yet\n").status);
    // Whatever the answer, a constant one included, a report tells of a
    // wrong part its count and one experiment, in one line: the echo, the
    // four parts and the verdict, never a table of cases.  The same answer
    // gets the same report.
    for (std::string constant :
         {"y = 0", "q0+ = 1", "q1+ = 0", "q2+ = 0", "jq2 = 0\nkq2 = 1"}) {
        std::string out = Check(constant).out;
        EXPECT_EQ(9 + std::count(constant.begin(), constant.end(), '\n'),
                  std::count(out.begin(), out.end(), '\n'))
            << out;
        EXPECT_NE(std::string::npos, out.find("Set A")) << out;
        EXPECT_EQ(out.find("Set A"), out.rfind("Set A")) << out;
        EXPECT_EQ(out, Check(constant).out);
    }
}

TEST(Checker, AnswersThatCannotBeReadAreRefusedWithTheirPlace)
{
    const std::string deep =
        std::string(201, '(') + "a" + std::string(201, ')');
    const struct {
        std::string answer, place, message;
    } refusals[] = {
        {"y = a + c\n", "1:9", "unknown name 'c'"},
        {"y = (a + b\n", "1:5", "this '(' is never closed"},
        {"y = a + b)\n", "1:10", "')' has no '(' to close"},
        {"y = a +\n", "1:7", "'+' has nothing after it"},
        {"y a + b\n", "1:2", "expected '=' after 'y'"},
        {"y = a\n\nY = b\n", "3:1", "y is given twice"},
        {"j1 = a\nk1 = 1\nd1 = a\n", "3:1",
         "Q1 is given by its J or K and by its next state"},
        {"y = a ^ b q0\n", "1:11", "XOR or XNOR beside AND or OR"},
        {"y = a + " + std::string(1000, 'b') + "\n", "1:1001",
         "the line is longer than 1000"},
        {"y = " + deep + "\n", "1:205", "parentheses nested deeper than 200"},
        {std::string("y = a\0b\n", 8), "1:6", "a NUL byte"},
        {"y = caf\xe9\n", "1:8", "a byte that is not UTF-8 (0xE9)"},
        {std::string("\xff\xfey\0=\0", 6), "1:1",
         "the answer is UTF-16: save it as UTF-8"},
        {"y = a\u200b+ b\n", "1:6", "an invisible character, U+200B"},
        {"y\u2060 = a\n", "1:2", "an invisible character, U+2060"},
        {"y = a \a b\n", "1:7", "a control character, U+0007"},
    };
    for (const auto& refusal : refusals) {
        Report report = Check(refusal.answer);
        EXPECT_EQ(2, report.status);
        EXPECT_EQ("", report.out);
        EXPECT_EQ(0u, report.err.find("answer:" + refusal.place + ": " +
                                      refusal.message))
            << report.err;
    }
    // The long line is shown clipped around its place, the caret under it.
    std::string err = Check("y = " + deep).err;
    size_t shown = err.find("\n  …") + 6, end = err.find("…\n", shown);
    EXPECT_EQ(80u, end - shown);
    size_t blanks = err.find('^') - (end + 6); // under "…" and the line
    EXPECT_EQ('(', err[shown + blanks - 1]);
    // An invisible character is quoted as '?', the caret under it, and a
    // full-width one as it is, two columns wide.
    EXPECT_NE(std::string::npos,
              Check("y = a\u200b+ b\n").err.find("\n  y = a?+ b\n       ^\n"));
    EXPECT_EQ("answer:1:9: unknown name 'c': the names are a, b, q0, q1, q2, "
              "0 and 1\n  ｙ ＝ ａ ＋ ｃ\n              ^\n",
              Check("ｙ ＝ ａ ＋ ｃ").err);
    // Every line's problem is told, the first 20 in full.
    std::string many;
    for (int i = 0; i < 25; i++)
        many += "y = ?\n";
    err = Check(many).err;
    EXPECT_EQ(20, std::count(err.begin(), err.end(), '^'));
    EXPECT_NE(std::string::npos, err.find("answer:20:5: unexpected '?'"));
    EXPECT_EQ(err.size() - 12, err.find("\nand 5 more\n"));
}

// The longest runs of text's characters that are all among those given.
std::vector<std::string> Runs(const std::string& text, const char* of)
{
    std::vector<std::string> runs;
    for (size_t at = text.find_first_of(of); at != std::string::npos;) {
        size_t end = text.find_first_not_of(of, at);
        runs.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? end : text.find_first_of(of, end);
    }
    return runs;
}

// What a command prints, and how it ends, run in folder; standard error
// after standard output.
Report RunIn(const std::string& folder, const std::string& command)
{
    const std::string out = folder + "/out", err = folder + "/err";
    int status = system(
        ("cd " + folder + " && " + command + " >" + out + " 2>" + err).c_str());
    return {WEXITSTATUS(status), Contents(out), Contents(err)};
}

TEST(Checker, TheProgramsCommandLine)
{
    setenv("CHECK", ZELM_CHECK, 1);
    const std::string answer = "echo y = a";
    const struct {
        std::string command;
        int status;
        std::string out, err;
    } runs[] = {
        {"\"$CHECK\" --help", 0, "   or: zelm-check --help | --version\n", ""},
        {"\"$CHECK\" --version", 0, "zelm-check " ZELM_VERSION "\n", ""},
        {"\"$CHECK\" --verbose", 2, "", "unknown option '--verbose'"},
        {"\"$CHECK\" a b", 2, "", "one answer at a time"},
        {"\"$CHECK\" /nonexistent", 2, "", "/nonexistent: No such file"},
        {"\"$CHECK\" /tmp", 2, "", "/tmp: is a folder"},
        {"\"$CHECK\" /dev/zero", 2, "", "longer than 1 MiB"},
        {"truncate -s 100M big && \"$CHECK\" big", 2, "",
         "big: longer than 1 MiB"},
        {answer + " | \"$CHECK\"", 1, "  y = a\n", ""},
        {answer + " | \"$CHECK\" -", 1, "  y = a\n", ""},
        // Wrapped for a terminal, at a space: from 000, 010, 100 and 110,
        // Q0 lights with a, b = 00, 01; never; always; always.
        {"echo jq0 = a | \"$CHECK\"", 1,
         "\n✗ Q0, by its J alone: wrong in 10 of the 16 cases where Q0 is "
         "off; kq0 is\n  missing.\n    Set A off, B off and Q2 Q1 Q0 to 0 0 0, "
         "press CLOCK and watch Q0: your\n    equations say it stays dark.\n",
         ""},
        {"bash -c '\"$CHECK\" <(" + answer + ")'", 1, "  y = a\n", ""},
        {"script -qec \"$CHECK\" /dev/null </dev/null", 1,
         "Type your equations, one a line (such as y = a·b'), then Ctrl-D.",
         ""},
        {"printf 'y\\302\\240= a\\302\\240+ b\\302\\240\\n' | \"$CHECK\"", 1,
         "  y = a + b\n", ""},
        {answer + " >./-a && \"$CHECK\" -- -a", 1, "  y = a\n", ""},
        {"{ \"$CHECK\" --help >/dev/full; }", 2, "",
         "zelm-check: standard output: No space left on device\n"},
        {"{ \"$CHECK\" right >/dev/full; }", 2, "",
         "zelm-check: standard output: No space left on device\n"},
    };
    char folder[] = "/tmp/zelm-check-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    std::ofstream(std::string(folder) + "/right") << kRight;
    for (const auto& run : runs) {
        Report said = RunIn(folder, run.command);
        EXPECT_EQ(run.status, said.status) << run.command;
        // Nothing expected is nothing at all.
        for (auto [expected, got] :
             {std::pair(run.out, said.out), {run.err, said.err}})
            EXPECT_TRUE(expected.empty()
                            ? got.empty()
                            : got.find(expected) != std::string::npos)
                << run.command << ": " << got;
    }
    std::filesystem::remove_all(folder);
}

// What a command, which must succeed, prints on its standard output.
std::string Output(const std::string& command)
{
    const std::string out = testing::TempDir() + "zelm-output";
    EXPECT_EQ(0, system((command + " >" + out).c_str())) << command;
    return Contents(out);
}

// Whether a document, as its reader sees it, shows the table's lines in a
// row, from the line that begins as the table's first; if not, the
// failure names the document, its first line that differs, and the lines
// expected.
testing::AssertionResult ShowsTheNotation(const std::string& document,
                                          const std::string& seen,
                                          const std::string& table)
{
    std::vector<std::string> lines;
    std::istringstream seen_lines(seen), table_lines(table);
    for (std::string line; std::getline(seen_lines, line);)
        lines.push_back(line);
    const std::string label = table.substr(0, table.find(':') + 1);
    size_t at =
        std::find_if(lines.begin(), lines.end(),
                     [&](auto& line) { return line.rfind(label, 0) == 0; }) -
        lines.begin();
    for (std::string expected; std::getline(table_lines, expected); at++) {
        std::string shown = at < lines.size() ? lines[at] : "(its end)";
        if (shown != expected)
            return testing::AssertionFailure()
                   << document << ":" << at + 1 << ": '" << shown
                   << "', where the table's line is '" << expected
                   << "'; its lines are:\n"
                   << table;
    }
    return testing::AssertionSuccess();
}

// The notation as the table prints it, one line a meaning: each spelling
// shown is read as its line says (put for S, one at a time, or in turn
// where the answer has two), and every document that teaches it shows
// those lines, as its reader sees them: --help, the README, the manual
// page as man shows it, and the page's list as the build writes it.
TEST(Checker, EveryDocumentTeachesTheTablesNotationAndTheReaderReadsIt)
{
    std::string table;
    for (const std::string& line : NotationLines())
        table += line + "\n";

    const std::map<std::string, std::pair<std::string, std::string>> read = {
        {"output", {"S = 1", "  y = 1\n"}},
        {"J and K", {"S = 1", "q0 is missing."}},
        {"next state", {"S = 1", "  q0+ = 1\n"}},
        {"names", {"y = S", "  y = S\n"}},
        {"AND", {"y = a S b", "  y = a·b\n"}},
        {"OR", {"y = a S b", "  y = a + b\n"}},
        {"XOR", {"y = a S b", "  y = a ⊕ b\n"}},
        {"XNOR", {"y = a S b", "  y = a ⊙ b\n"}},
        {"NOT before", {"y = S a", "  y = a'\n"}},
        {"NOT after", {"y = a S", "  y = a'\n"}},
        {"parentheses", {"y = S a S", "  y = a\n"}},
    };
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        std::string label = line.substr(0, line.find(':'));
        ASSERT_EQ(1u, read.count(label)) << line;
        auto [answer, says] = read.at(label);
        std::istringstream shown(
            line.substr(label.size() + 1, line.find(',') - label.size() - 1));
        for (std::string spelling; shown >> spelling;) {
            answer.replace(answer.find('S'), 1, spelling);
            if (answer.find('S') != std::string::npos)
                continue;
            if (says.find('S') != std::string::npos)
                says.replace(says.find('S'), 1, spelling);
            Report report = Check(answer);
            EXPECT_NE(std::string::npos, (report.out + report.err).find(says))
                << answer << "\n"
                << report.out << report.err;
            std::tie(answer, says) = read.at(label);
        }
    }

    const std::string page = testing::TempDir() + "zelm-page.html";
    Output(ZELM_NOTATION " html " ZELM_SOURCE_DIR "/front/web/index.html " +
           page);
    const struct {
        std::string document, seen;
    } documents[] = {
        {"zelm-check --help", AsSeen(Output(ZELM_CHECK " --help"), false)},
        {"README.md", AsSeen(Contents(ZELM_SOURCE_DIR "/README.md"), false)},
        {"zelm-check(6) as man shows it (" ZELM_MANUAL ")",
         AsSeen(Output("groff -man -Tutf8 -P-cbou " ZELM_MANUAL), false)},
        {"the page's list (front/web/index.html, written by zelm_notation)",
         AsSeen(Contents(page), true)},
    };
    for (const auto& document : documents)
        EXPECT_TRUE(ShowsTheNotation(document.document, document.seen, table));
}

// ---- The checker in the player's language

// The languages asked for, as GNU programs take them from LANGUAGE, the
// locale and, on Windows, the display languages.
TEST(Catalog, TheLanguagesAskedAreTakenAsGnuProgramsTakeThem)
{
    const struct {
        const char *language, *locale, *system;
        std::vector<std::string> asked;
    } rows[] = {
        {NULL, "de_AT.UTF-8", "", {"de_AT", "de"}},
        {"fr:de", "de_DE.UTF-8", "", {"fr", "de"}},
        {"de", "C", "", {}},
        {"de", "POSIX", "", {}},
        {"de", "C.UTF-8", "", {}},
        {NULL, "pt_BR.UTF-8", "", {"pt_BR", "pt"}},
        {"pl:en:de", "pl_PL.UTF-8", "", {"pl"}},
        {"", "sr_RS.UTF-8@latin", "", {"sr_RS", "sr"}},
        {NULL, NULL, "de-CH:fr-FR", {"de_CH", "de", "fr_FR", "fr"}},
        {"es", NULL, "de-DE", {"es"}},
        {NULL, NULL, "", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.asked,
                  LanguagesAsked(row.language, row.locale, row.system))
            << (row.locale ? row.locale : row.system);
}

// The messages, in a context or not, and the plurals for counts that take
// each form (Polish: 1 przypadek, 2 przypadki, 5 przypadków, 22, 25), as
// each catalog gives them here and as Python's gettext module gives them.
TEST(Catalog, EachCatalogReadsAsPythonsGettextReadsIt)
{
    const std::string wrong = "%1$s: wrong in %3$d of the %2$d cases.";
    struct Query {
        std::string context, message, plural;
        int count;
    };
    std::vector<Query> queries = {{"", "Your answer, as read:", "", 0},
                                  {"an input switch", "on", "", 0},
                                  {"", "no catalog has this", "", 0}};
    for (int count : {1, 2, 5, 22, 25})
        queries.push_back({"", wrong, wrong, count});
    std::string asked;
    for (const Query& q : queries)
        asked += q.context + '\t' + q.message + '\t' + q.plural + '\t' +
                 std::to_string(q.count) + '\n';
    const std::string python =
        "import gettext, sys\n"
        "t = gettext.GNUTranslations(open(sys.argv[1], 'rb'))\n"
        "for line in sys.stdin.read().splitlines():\n"
        "    c, m, p, n = line.split('\\t')\n"
        "    print(t.ngettext(m, p, int(n)) if p else\n"
        "          t.pgettext(c, m) if c else t.gettext(m))\n";
    std::ofstream(testing::TempDir() + "zelm-asked") << asked;
    std::ofstream(testing::TempDir() + "zelm-gettext.py") << python;
    std::istringstream languages(ZELM_LANGUAGES);
    for (std::string language; languages >> language;) {
        const std::string mo =
            ZELM_CATALOGS "/" + language + "/LC_MESSAGES/zelm.mo";
        ASSERT_TRUE(UseCatalog(Contents(mo))) << mo;
        std::istringstream expected(Output("python3 " + testing::TempDir() +
                                           "zelm-gettext.py " + mo + " <" +
                                           testing::TempDir() + "zelm-asked"));
        std::set<std::string> forms;
        for (const Query& q : queries) {
            std::string python_says;
            std::getline(expected, python_says);
            std::string said =
                !q.plural.empty() ? TranslatedPlural(q.message.c_str(),
                                                     q.plural.c_str(), q.count)
                : !q.context.empty()
                    ? TranslatedIn(q.context.c_str(), q.message.c_str())
                    : Translated(q.message.c_str());
            EXPECT_EQ(python_says, said) << language << ": " << q.message;
            if (!q.plural.empty())
                forms.insert(said);
        }
        EXPECT_TRUE(language != "pl" || forms.size() == 3) << forms.size();
    }
    EXPECT_FALSE(UseCatalog("\x95\x04\x12\xde not a catalog"));
    EXPECT_EQ(wrong, TranslatedPlural(wrong.c_str(), wrong.c_str(), 5));
}

// An answer every kind of line of the report answers: Q0 wrong by J and
// K, Q1 by J alone, Q2 missing, Y wrong.
const std::string kEveryLine =
    Replaced(Replaced(Replaced(kRight, "jq0 = a'", "jq0 = a"),
                      "kq1 = a + b + q0'\n", ""),
             "jq2 = a·q1 + b'·q0'·q1\nkq2 = 1\n", "");

// The real checker in each language it carries, on one answer: the same
// figures and exit status as in English, the answer's own lines kept,
// and no English sentence left.
TEST(Checker, SpeaksEachLanguageItCarries)
{
    char folder[] = "/tmp/zelm-languages-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    std::ofstream(std::string(folder) + "/answer") << kEveryLine;
    setenv("CHECK", ZELM_CHECK, 1);
    Report english = RunIn(folder, "LANG=C \"$CHECK\" answer");
    EXPECT_EQ(1, english.status);
    auto numbers = [](const std::string& text) {
        std::vector<std::string> found = Runs(text, "0123456789");
        return std::multiset<std::string>(found.begin(), found.end());
    };
    std::istringstream languages(ZELM_LANGUAGES);
    for (std::string language; languages >> language;) {
        Report said =
            RunIn(folder, "LANG=" + language + ".UTF-8 \"$CHECK\" answer");
        EXPECT_EQ(1, said.status) << language;
        std::multiset<std::string> figures = numbers(english.out),
                                   shown = numbers(said.out);
        EXPECT_TRUE(std::includes(shown.begin(), shown.end(), figures.begin(),
                                  figures.end()))
            << said.out;
        std::istringstream lines(english.out);
        for (std::string line; std::getline(lines, line);) {
            if (line.empty())
                continue;
            bool answers = line.rfind("  ", 0) == 0 && line[2] != ' ';
            EXPECT_EQ(answers, said.out.find(line) != std::string::npos)
                << language << ": " << line;
        }
    }
    std::filesystem::remove_all(folder);
}

// A pseudo-language made from the template alone, each line of each
// message in marks, beside a copy of the checker, never shipped: whatever
// the checker says, only the panel's names, the answer's own lines, file
// names, code points and the system's words stand outside the marks.
TEST(Checker, NothingItSaysEscapesTheCatalog)
{
    char made[] = "/tmp/zelm-pseudo-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(made));
    const std::string folder = made;
    std::filesystem::create_directories(folder + "/locale/xx/LC_MESSAGES");
    std::filesystem::copy_file(ZELM_CHECK, folder + "/zelm-check");
    Output("msginit --no-translator -l en -o - -i " ZELM_SOURCE_DIR
           "/po/zelm.pot 2>/dev/null | msgfilter --keep-header sed -e "
           "'s/^/⟦/' -e 's/$/⟧/' | msgfmt -o " +
           folder + "/locale/xx/LC_MESSAGES/zelm.mo -");
    std::string problems = "y = a + c\ny = (a\ny = a)\ny = a +\ny a\n"
                           "y = a = b\nx = a\n= a\ny = ()\ny = a ^ b q0\n"
                           "y = a\u200b+ b\ny = a \a b\ny = caf\xe9\n"
                           "y = a\nY = b\nd1 = a\nj1 = b\n" +
                           std::string(1001, 'a') +
                           "\ny = " + std::string(201, '(') + "\n";
    const struct {
        const char *file, *text;
    } files[] = {{"answer", kEveryLine.c_str()},
                 {"right", kRight.c_str()},
                 {"problems", problems.c_str()},
                 {"more", "y = ?\ny = ?\ny = ?\ny = ?\ny = ?\ny = ?\ny = ?\n"
                          "y = ?\ny = ?\ny = ?\ny = ?\ny = ?\ny = ?\ny = ?\n"
                          "y = ?\ny = ?\ny = ?\ny = ?\ny = ?\ny = ?\ny = ?\n"},
                 {"nothing", "# no equation\n"},
                 {"wide", "\xff\xfey\0"}};
    std::string written;
    for (const auto& file : files) {
        std::ofstream(folder + "/" + file.file) << file.text;
        written += std::string(file.text) + "\n";
    }
    // The panel's names, the notation's, the files', and the code points'.
    const std::set<std::string> names = {
        "A",        "B",    "Q0",      "Q1",         "Q2",      "Y",
        "CLOCK",    "a",    "b",       "q0",         "q1",      "q2",
        "y",        "jq0",  "jq1",     "jq2",        "kq0",     "kq1",
        "kq2",      "q0+",  "answer",  "more",       "nothing", "right",
        "problems", "wide", "nowhere", "zelm-check", "U+200B",  "U+0007"};
    for (std::string command :
         {"--help", "answer", "right", "problems", "more", "nothing", "wide",
          "nowhere", "--verbose", "right answer", "."}) {
        Report said =
            RunIn(folder, "LANGUAGE=xx LANG=en_US.UTF-8 ./zelm-check " +
                              command + " </dev/null");
        std::string all = said.out + said.err, unmarked;
        int depth = 0;
        for (size_t at = 0; at < all.size();) {
            if (all.compare(at, 3, "⟦") == 0)
                depth++, at += 3;
            else if (all.compare(at, 3, "⟧") == 0)
                depth--, at += 3;
            else if (depth == 0)
                unmarked += all[at++];
            else
                at++;
        }
        std::istringstream lines(unmarked);
        bool quoted = false; // the line after a problem's place quotes it
        for (std::string line; std::getline(lines, line);) {
            size_t text = line.find_first_not_of(' ');
            bool answers = quoted || (text != std::string::npos &&
                                      written.find(line.substr(text) + "\n") !=
                                          std::string::npos);
            quoted = line.rfind("problems:", 0) == 0;
            if (answers)
                continue; // the answer's own line
            std::string left = Replaced(line, strerror(ENOENT), "", true);
            for (const std::string& word :
                 Runs(left,
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                      "0123456789_+-"))
                EXPECT_TRUE(names.count(word) ||
                            word.find_first_not_of("+-0123456789") ==
                                std::string::npos)
                    << command << ": " << line;
        }
    }
    std::filesystem::remove_all(folder);
}
