// judge.cpp: the answer beside the circuit in all 32 cases, and the report.
#include "judge.h"

#include <string>

#include "circuit.h"
#include "reader.h"

// The four parts of an answer: the flip-flops 0, 1 and 2, then the output.
const int kPartCount = kFlipFlopCount + 1;
const int kPartY = kFlipFlopCount;
static const char* const kPartNames[kPartCount] = {"Q0", "Q1", "Q2", "Y"};

// What the circuit does in every case, as the panel shows it: each
// flip-flop after CLOCK, and Y after any press, which leaves the state.
struct Behaviour {
    Cases part[kPartCount];
};

static Behaviour CircuitBehaviour()
{
    Behaviour circuit = {};
    for (int c = 0; c < kCaseCount; c++) {
        g_circuit = Circuit();
        g_circuit.a = c & kLampA;
        g_circuit.b = c & kLampB;
        g_circuit.q0 = c & FlipFlopLamp(0);
        g_circuit.q1 = c & FlipFlopLamp(1);
        g_circuit.q2 = c & FlipFlopLamp(2);
        UpdateOutput();
        ClockStep();
        const bool shown[kPartCount] = {g_circuit.q0, g_circuit.q1,
                                        g_circuit.q2, g_circuit.y};
        for (int part = 0; part < kPartCount; part++) {
            if (shown[part])
                circuit.part[part] |= Cases(1) << c;
        }
    }
    return circuit;
}

struct Judgement {
    bool given;
    bool as_jk;      // a flip-flop given by J and K, not by its next state
    Cases predicted; // what the player's equations show, case by case
    Cases wrong;     // where that is not what the panel shows
};

// A flip-flop given by J and K moves by the JK rule: J counts only where
// it is off, K only where it is on, so many pairs behave alike.
static Judgement JudgePart(const Answer& answer, int part, Cases circuit)
{
    Judgement judgement = {false, false, 0, 0};
    if (part == kPartY) {
        const Equation& y = answer.targets[kTargetY];
        judgement = {y.place.line != 0, false, y.value, 0};
    } else {
        const Equation& j = answer.targets[TargetOf(part, kTargetJ)];
        const Equation& k = answer.targets[TargetOf(part, kTargetK)];
        const Equation& next = answer.targets[TargetOf(part, kTargetNext)];
        Cases on = LitIn(FlipFlopLamp(part));
        if (next.place.line != 0)
            judgement = {true, false, next.value, 0};
        else if (j.place.line != 0)
            judgement = {true, true, (j.value & ~on) | (~k.value & on), 0};
    }
    if (judgement.given)
        judgement.wrong = judgement.predicted ^ circuit;
    return judgement;
}

// Each part is right, wrong or missing, and is listed so in the verdict.
enum PartState { kRight, kWrong, kMissing };
static const char* const kStateWords[] = {"right", "wrong", "missing"};

static PartState StateOf(const Judgement& judgement)
{
    return !judgement.given ? kMissing : judgement.wrong ? kWrong : kRight;
}

static int CountCases(Cases cases)
{
    return __builtin_popcount(cases);
}

static std::string CaseCount(int count)
{
    return std::to_string(count) + (count == 1 ? " case" : " cases");
}

// The experiment to try: the wrong case with the fewest lamps to light,
// the first in the state table's order among equals.
static int ExperimentCase(Cases wrong)
{
    int best = -1;
    for (int c = 0; c < kCaseCount; c++) {
        if ((wrong >> c & 1) && (best < 0 || CountCases(c) < CountCases(best)))
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
    auto on = [c](int lamp) { return (c & lamp) != 0; };
    std::string text = std::string("Set A ") + (on(kLampA) ? "on" : "off") +
                       ", B " + (on(kLampB) ? "on" : "off") +
                       " and Q2 Q1 Q0 to " + (on(FlipFlopLamp(2)) ? "1" : "0") +
                       " " + (on(FlipFlopLamp(1)) ? "1" : "0") + " " +
                       (on(FlipFlopLamp(0)) ? "1" : "0") + ", ";
    bool said = judgement.predicted >> c & 1;
    if (part == kPartY)
        text += std::string("then click an empty part of the panel (any "
                            "press refreshes Y) and watch Y: your equations "
                            "say ") +
                Change(false, said) + ".";
    else
        text += std::string("press CLOCK and watch ") + kPartNames[part] +
                ": your equations say " + Change(on(FlipFlopLamp(part)), said) +
                ".";
    PrintWrapped(text, out);
}

// Which half of a J and K pair is wrong, and where it counts.
static std::string Halves(int part, const Judgement& judgement)
{
    Cases on = LitIn(FlipFlopLamp(part));
    const char* name = kPartNames[part];
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
    const char* name = kPartNames[part];
    const char* form = part == kPartY    ? ""
                       : judgement.as_jk ? ", as J and K"
                                         : ", as its next state";
    switch (StateOf(judgement)) {
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

static void PrintGrid(Cases wrong, FILE* out)
{
    fputs("\nCase by case, laid out as the state table (✗: a part you gave "
          "is wrong):\n  Q2 Q1 Q0   AB: 00  01  10  11\n",
          out);
    for (int state = 0; state < 8; state++) {
        fprintf(out, "   %d  %d  %d     ", state >> 2 & 1, state >> 1 & 1,
                state & 1);
        for (int inputs = 0; inputs < 4; inputs++)
            fprintf(out, "   %s",
                    (wrong >> (4 * state + inputs) & 1) ? "✗" : "✓");
        fputs("\n", out);
    }
}

// "Not solved yet: Q0 and Y are right; Q1 is wrong; Q2 is missing."
static void PrintVerdict(const Judgement* judgements, FILE* out)
{
    std::string sentence;
    for (PartState state : {kRight, kWrong, kMissing}) {
        int count = 0, total = 0;
        for (int part = 0; part < kPartCount; part++)
            total += StateOf(judgements[part]) == state;
        if (total == 0)
            continue;
        sentence += sentence.empty() ? "" : "; ";
        for (int part = 0; part < kPartCount; part++) {
            if (StateOf(judgements[part]) != state)
                continue;
            count++;
            sentence += count == 1 ? "" : count == total ? " and " : ", ";
            sentence += kPartNames[part];
        }
        sentence += total == 1 ? " is " : " are ";
        sentence += kStateWords[state];
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
    for (int target : answer.order)
        fprintf(out, "  %s\n", answer.targets[target].text.c_str());
    fputs("\n", out);

    Behaviour circuit = CircuitBehaviour();
    Judgement judgements[kPartCount];
    Cases wrong = 0;
    bool solved = true;
    for (int part = 0; part < kPartCount; part++) {
        judgements[part] = JudgePart(answer, part, circuit.part[part]);
        PrintPart(part, judgements[part], out);
        wrong |= judgements[part].wrong;
        solved = solved && StateOf(judgements[part]) == kRight;
    }
    PrintGrid(wrong, out);
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
        fprintf(err, "%s: longer than 1 MiB, which no answer is\n", name);
        return 2;
    }
    Answer answer;
    Problems problems;
    if (!ReadAnswer(text, size, &answer, &problems)) {
        PrintProblems(problems, name, err);
        return 2;
    }
    return JudgeAnswer(answer, out);
}
