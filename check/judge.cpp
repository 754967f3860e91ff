// judge.cpp: the answer beside the circuit in all 32 cases, and the report.
#include "judge.h"

#include <string>

#include "answer.h"
#include "circuit.h"
#include "diagnostics.h"

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
    bool as_jk;           // a flip-flop given by J and K, not its next state
    TruthTable predicted; // what the player's equations show, case by case
    TruthTable wrong;     // where that is not what the panel shows
};

// A flip-flop given by J and K moves by the JK rule: J counts only where
// it is off, K only where it is on, so many pairs behave alike.
static Judgement JudgePart(const Answer& answer, int part)
{
    const Equation* given = answer.given[part];
    const Equation& j = given[kTargetJ];
    const Equation& k = given[kTargetK];
    const Equation& shown = given[kTargetShown];
    TruthTable on = CasesWhereOn(kParts[part].lamp);
    Judgement judgement = {false, false, 0, 0};
    if (shown.place.line.number != 0)
        judgement = {true, false, shown.value, 0};
    else if (j.place.line.number != 0)
        judgement = {true, true, (j.value & ~on) | (~k.value & on), 0};
    if (judgement.given)
        judgement.wrong = judgement.predicted ^ CircuitShows(part);
    return judgement;
}

// Each part is right, wrong or missing, and is listed so in the verdict.
enum PartState { kRight, kWrong, kMissing };

static const char* WordFor(PartState state)
{
    switch (state) {
    case kRight:
        return "right";
    case kWrong:
        return "wrong";
    case kMissing:
        break;
    }
    return "missing";
}

static PartState PartStateOf(const Judgement& judgement)
{
    return !judgement.given ? kMissing : judgement.wrong ? kWrong : kRight;
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

// Writes text in lines of at most 76 characters, each indented.
static void PrintWrapped(const std::string& text, FILE* out)
{
    const size_t width = 72;
    size_t at = 0;
    while (text.size() - at > width) {
        size_t cut = text.rfind(' ', at + width);
        fprintf(out, "    %s\n", text.substr(at, cut - at).c_str());
        at = cut + 1;
    }
    fprintf(out, "    %s\n", text.c_str() + at);
}

static void PrintExperiment(int part, const Judgement& judgement, FILE* out)
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
    PrintWrapped(text, out);
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

static void PrintPart(int part, const Judgement& judgement, FILE* out)
{
    const char* name = kParts[part].name;
    const char* form = !IsFlipFlop(part) ? ""
                       : judgement.as_jk ? ", as J and K"
                                         : ", as its next state";
    switch (PartStateOf(judgement)) {
    case kMissing:
        fprintf(out, "– %s: not given.\n", name);
        return;
    case kRight:
        fprintf(out, "✓ %s%s: right in all %d cases.\n", name, form,
                kCaseCount);
        return;
    case kWrong:
        fprintf(out, "✗ %s%s: wrong in %d of the %d cases.\n", name, form,
                CountCases(judgement.wrong), kCaseCount);
        if (judgement.as_jk)
            PrintWrapped(Halves(part, judgement), out);
        PrintExperiment(part, judgement, out);
        return;
    }
}

// "Not solved yet: Q0 and Y are right; Q1 is wrong; Q2 is missing."
static void PrintVerdict(const Judgement* judgements, FILE* out)
{
    std::string sentence;
    for (PartState state : {kRight, kWrong, kMissing}) {
        int count = 0, total = 0;
        for (int part = 0; part < kPartCount; part++)
            total += PartStateOf(judgements[part]) == state;
        if (total == 0)
            continue;
        sentence += sentence.empty() ? "" : "; ";
        for (int part = 0; part < kPartCount; part++) {
            if (PartStateOf(judgements[part]) != state)
                continue;
            count++;
            sentence += count == 1 ? "" : count == total ? " and " : ", ";
            sentence += kParts[part].name;
        }
        sentence += total == 1 ? " is " : " are ";
        sentence += WordFor(state);
    }
    fprintf(out, "\nNot solved yet: %s.\n", sentence.c_str());
}

static int JudgeAnswer(const Answer& answer, FILE* out)
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
        PrintPart(part, judgements[part], out);
        solved = solved && PartStateOf(judgements[part]) == kRight;
    }
    if (solved) {
        fputs("\nSolved: all four parts are right.\n", out);
        return 0;
    }
    PrintVerdict(judgements, out);
    return 1;
}

int CheckAnswer(const char* name, const char* text, size_t size, FILE* out,
                FILE* err)
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
    return JudgeAnswer(answer, out);
}
