// judge.cpp: the answer beside the circuit in all 32 cases, and the report.
#include "judge.h"

#include <string.h>

#include <string>
#include <vector>

#include "answer.h"
#include "circuit.h"
#include "diagnostics.h"
#include "utf8.h"

// What the circuit shows of a part in every case, as the panel shows it:
// a flip-flop after CLOCK, and Y after any press, which leaves the state.
static TruthTable CircuitShows(int part)
{
    TruthTable shown = 0;
    for (int c = 0; c < kCaseCount; c++) {
        Circuit now = CircuitIn(c);
        bool lit = IsFlipFlop(part) ? AfterClockEdge(now).*kParts[part].lamp
                                    : OutputOf(now);
        if (lit)
            shown |= TruthTable(1) << c;
    }
    return shown;
}

struct Judgement {
    bool given;
    bool as_jk; // a flip-flop given by J and K, or one of them, not its next
                // state
    // The half of a J and K pair not given, or kTargetKinds: where only J
    // is given, the answer is judged where J acts, as the flip-flop is off,
    // and only K, where it is on.
    TargetKind missing_half;
    TruthTable judged;    // the cases the given equations decide
    TruthTable predicted; // what they show there, case by case
    TruthTable wrong;     // where that is not what the panel shows
};

static bool IsGiven(const Equation& equation)
{
    return equation.place.line.number != 0;
}

// A flip-flop given by J and K moves by the JK rule: J counts only where
// it is off, K only where it is on, so many pairs behave alike; and each
// half can be judged alone, where it counts.
static Judgement JudgePart(const Answer& answer, int part)
{
    const Equation* given = answer.given[part];
    const Equation& j = given[kTargetJ];
    const Equation& k = given[kTargetK];
    const Equation& shown = given[kTargetShown];
    TruthTable on = CasesWhereOn(kParts[part].lamp);
    Judgement judgement = {false, false, kTargetKinds, kEveryCase, 0, 0};
    if (IsGiven(shown)) {
        judgement = {true, false, kTargetKinds, kEveryCase, shown.value, 0};
    } else if (IsGiven(j) || IsGiven(k)) {
        TargetKind missing = !IsGiven(k)   ? kTargetK
                             : !IsGiven(j) ? kTargetJ
                                           : kTargetKinds;
        TruthTable judged = missing == kTargetK   ? ~on
                            : missing == kTargetJ ? on
                                                  : kEveryCase;
        judgement = {true,
                     true,
                     missing,
                     judged,
                     ((j.value & ~on) | (~k.value & on)) & judged,
                     0};
    }
    if (judgement.given)
        judgement.wrong =
            (judgement.predicted ^ CircuitShows(part)) & judgement.judged;
    return judgement;
}

// Each part is right, wrong or missing, or, given by one half of J and K
// alone, incomplete: listed so in the verdict, the half not given among
// what is missing.
enum PartState { kRight, kWrong, kMissing, kIncomplete };

static PartState PartStateOf(const Judgement& judgement)
{
    return !judgement.given                         ? kMissing
           : judgement.wrong                        ? kWrong
           : judgement.missing_half != kTargetKinds ? kIncomplete
                                                    : kRight;
}

static int CountCases(TruthTable cases)
{
    return __builtin_popcount(cases);
}

// How many lamps of the inputs and the state a case lights.
static int LampsLitIn(int c)
{
    Circuit lamps = CircuitIn(c);
    return lamps.a + lamps.b + lamps.q0 + lamps.q1 + lamps.q2;
}

static std::string CaseCount(int count)
{
    return std::to_string(count) + (count == 1 ? " case" : " cases");
}

// The experiment to try: the wrong case with the fewest lamps to light,
// the first in the state table's order among equals.
static int ExperimentCase(TruthTable wrong)
{
    int best = -1;
    for (int c = 0; c < kCaseCount; c++) {
        if ((wrong >> c & 1) && (best < 0 || LampsLitIn(c) < LampsLitIn(best)))
            best = c;
    }
    return best;
}

// What a lamp does, in the panel's words.
static const char* Change(bool before, bool after)
{
    if (before)
        return after ? "it stays lit" : "it goes dark";
    return after ? "it lights" : "it stays dark";
}

// The end of the line of text that begins at `at` and takes at most room
// columns, wide characters taking two: the last space before which it
// fits, or, where not even its first word does, the space after that
// word; the text's end where it all fits or has no space to break at.
// Only a space breaks a line: a no-break space holds.
static const char* LineEnd(const char* at, const char* end, int room)
{
    const char* fits = NULL;
    int columns = 0;
    for (const char* next = at; next < end;) {
        if (*next == ' ') {
            if (columns > room)
                return fits != NULL ? fits : next;
            fits = next;
        }
        uint32_t point = ' ';
        int length = CharLength(next, end, &point);
        columns += ColumnsOf(point);
        next += length > 0 ? length : 1;
    }
    return columns > room && fits != NULL ? fits : end;
}

// Writes text in lines of at most width columns, the first begun by
// first and the rest by indent; or in one line where width is 0, for a
// page to wrap.
static void PrintWrapped(const std::string& text, const char* first,
                         const char* indent, int width, FILE* out)
{
    const char* at = text.c_str();
    const char* end = at + text.size();
    for (const char* begin = first;; begin = indent) {
        int room = width - static_cast<int>(strlen(begin));
        const char* cut = width > 0 ? LineEnd(at, end, room) : end;
        fprintf(out, "%s%.*s\n", begin, static_cast<int>(cut - at), at);
        if (cut == end)
            return;
        at = cut + 1;
    }
}

// A sentence under a part's line, indented.
static void PrintSentence(const std::string& text, int width, FILE* out)
{
    PrintWrapped(text, "    ", "    ", width, out);
}

static void PrintExperiment(int part, const Judgement& judgement, int width,
                            FILE* out)
{
    int c = ExperimentCase(judgement.wrong);
    Circuit set = CircuitIn(c);
    std::string text = std::string("Set A ") + (set.a ? "on" : "off") + ", B " +
                       (set.b ? "on" : "off") + " and Q2 Q1 Q0 to " +
                       (set.q2 ? "1" : "0") + " " + (set.q1 ? "1" : "0") + " " +
                       (set.q0 ? "1" : "0") + ", ";
    bool said = judgement.predicted >> c & 1;
    if (!IsFlipFlop(part))
        text += std::string("then click an empty part of the panel (any "
                            "press refreshes Y) and watch Y: your equations "
                            "say ") +
                Change(false, said) + ".";
    else
        text += std::string("press CLOCK and watch ") + kParts[part].name +
                ": your equations say " + Change(set.*kParts[part].lamp, said) +
                ".";
    PrintSentence(text, width, out);
}

// Which half of a J and K pair is wrong, and where it counts.
static std::string Halves(int part, const Judgement& judgement)
{
    TruthTable on = CasesWhereOn(kParts[part].lamp);
    const char* name = kParts[part].name;
    int j = CountCases(judgement.wrong & ~on),
        k = CountCases(judgement.wrong & on);
    return "J is " +
           (j ? "wrong in " + CaseCount(j) + " (where " + name + " is off)"
              : std::string("right")) +
           "; K is " +
           (k ? "wrong in " + CaseCount(k) + " (where " + name + " is on)"
              : std::string("right")) +
           ".";
}

static void PrintPart(int part, const Judgement& judgement, int width,
                      FILE* out)
{
    const char* name = kParts[part].name;
    const char* form = !IsFlipFlop(part)                    ? ""
                       : judgement.missing_half == kTargetK ? ", by its J alone"
                       : judgement.missing_half == kTargetJ ? ", by its K alone"
                       : judgement.as_jk                    ? ", as J and K"
                                         : ", as its next state";
    int judged = CountCases(judgement.judged);
    std::string where =
        judgement.missing_half == kTargetKinds
            ? ""
            : std::string(" where ") + name +
                  (judgement.missing_half == kTargetK ? " is off" : " is on") +
                  "; " + kParts[part].targets[judgement.missing_half] +
                  " is missing";
    PartState state = PartStateOf(judgement);
    std::string line =
        state == kMissing ? "– " + std::string(name) + ": not given."
        : state == kWrong
            ? "✗ " + std::string(name) + form + ": wrong in " +
                  std::to_string(CountCases(judgement.wrong)) + " of the " +
                  std::to_string(judged) + " cases" + where + "."
            : (state == kRight ? "✓ " : "– ") + std::string(name) + form +
                  ": right in all " + std::to_string(judged) + " cases" +
                  where + ".";
    PrintWrapped(line, "", "  ", width, out);
    if (state == kWrong) {
        if (judgement.as_jk && judgement.missing_half == kTargetKinds)
            PrintSentence(Halves(part, judgement), width, out);
        PrintExperiment(part, judgement, width, out);
    }
}

// "Not solved yet: Q0 and Y are right; Q1 is wrong; Q2 and kq1 are
// missing."
static void PrintVerdict(const Judgement* judgements, int width, FILE* out)
{
    const struct {
        PartState state;
        const char* word;
    } groups[] = {{kRight, "right"}, {kWrong, "wrong"}, {kMissing, "missing"}};
    std::string sentence;
    for (const auto& group : groups) {
        std::vector<std::string> names;
        for (int part = 0; part < kPartCount; part++) {
            const Judgement& judgement = judgements[part];
            PartState state = PartStateOf(judgement);
            if (state == group.state)
                names.push_back(kParts[part].name);
            if (group.state == kMissing && judgement.given &&
                judgement.missing_half != kTargetKinds)
                names.push_back(kParts[part].targets[judgement.missing_half]);
        }
        if (names.empty())
            continue;
        sentence += sentence.empty() ? "" : "; ";
        for (size_t i = 0; i < names.size(); i++)
            sentence += (i == 0                  ? ""
                         : i + 1 == names.size() ? " and "
                                                 : ", ") +
                        names[i];
        sentence += names.size() == 1 ? " is " : " are ";
        sentence += group.word;
    }
    PrintWrapped("\nNot solved yet: " + sentence + ".", "", "", width, out);
}

static int JudgeAnswer(const Answer& answer, int width, FILE* out)
{
    if (answer.order.empty()) {
        fputs("Nothing was given: write one equation a line, such as "
              "y = a·b'.\n",
              out);
        return 1;
    }
    fputs("Your answer, as read:\n", out);
    for (Target target : answer.order)
        fprintf(out, "  %s\n", EquationFor(answer, target).text.c_str());
    fputs("\n", out);

    Judgement judgements[kPartCount];
    bool solved = true;
    for (int part = 0; part < kPartCount; part++) {
        judgements[part] = JudgePart(answer, part);
        PrintPart(part, judgements[part], width, out);
        solved = solved && PartStateOf(judgements[part]) == kRight;
    }
    if (solved) {
        fputs("\nSolved: all four parts are right.\n", out);
        return 0;
    }
    PrintVerdict(judgements, width, out);
    return 1;
}

int CheckAnswer(const char* name, const char* text, size_t size, int width,
                FILE* out, FILE* err)
{
    if (size > kMaxAnswerBytes) {
        PrintDiagnostic(err, name, NULL,
                        "longer than 1 MiB, which no answer is");
        return 2;
    }
    Answer answer;
    Problems problems;
    if (!ReadAnswer(text, size, &answer, &problems)) {
        PrintProblems(err, name, problems);
        return 2;
    }
    return JudgeAnswer(answer, width, out);
}
