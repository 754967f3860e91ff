// judge.cpp: the answer beside the circuit in all 32 cases, and the report.
#include "judge.h"

#include <string.h>

#include <string>
#include <vector>

#include "answer.h"
#include "catalog.h"
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

// What a lamp does, in the panel's words, after "your equations say".
static const char* Change(bool before, bool after)
{
    if (before)
        return after ? TranslatedIn("a lamp, after a press", "it stays lit")
                     : TranslatedIn("a lamp, after a press", "it goes dark");
    return after ? TranslatedIn("a lamp, after a press", "it lights")
                 : TranslatedIn("a lamp, after a press", "it stays dark");
}

// An input switch, as it is set: "Set A on, B off and ...".
static const char* SwitchedOn(bool on)
{
    return on ? TranslatedIn("an input switch", "on")
              : TranslatedIn("an input switch", "off");
}

// The end of the line of text that begins at `at` and takes at most room
// columns, wide characters taking two: the last space before which it
// fits, or, where not even its first word does, the space after that
// word; the text's end where it all fits or has no space to break at.
// Only a space breaks a line: a no-break space holds.
static const char* WrapEnd(const char* at, const char* end, int room)
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

void PrintWrapped(const std::string& text, const char* first,
                  const char* indent, int width, FILE* out)
{
    const char* at = text.c_str();
    const char* end = at + text.size();
    for (const char* begin = first;; begin = indent) {
        int room = width - static_cast<int>(strlen(begin));
        const char* cut = width > 0 ? WrapEnd(at, end, room) : end;
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
    std::string state = std::string(set.q2 ? "1" : "0") + " " +
                        (set.q1 ? "1" : "0") + " " + (set.q0 ? "1" : "0");
    bool said = judgement.predicted >> c & 1;
    if (IsFlipFlop(part)) {
        // TRANSLATORS: an experiment on the panel that shows where the
        // player's equations are wrong.  %1$s and %2$s are the input
        // switches A and B, set "on" or "off"; %3$s the state, as "0 1 1";
        // %4$s a flip-flop, Q0, Q1 or Q2; %5$s what it does, as his
        // equations say: "it lights".  CLOCK is the button's name on the
        // panel.
        const char* message = Translated("Set A %1$s, B %2$s and Q2 Q1 Q0 to "
                                         "%3$s, press CLOCK and watch %4$s: "
                                         "your equations say %5$s.");
        PrintSentence(Format(message, {SwitchedOn(set.a), SwitchedOn(set.b),
                                       state, kParts[part].name,
                                       Change(set.*kParts[part].lamp, said)}),
                      width, out);
        return;
    }
    // TRANSLATORS: the same for the output lamp Y, which any press of a
    // mouse button on the panel works out again: %4$s is what it does.
    const char* message = Translated("Set A %1$s, B %2$s and Q2 Q1 Q0 to "
                                     "%3$s, then click an empty part of the "
                                     "panel (any press refreshes Y) and "
                                     "watch Y: your equations say %4$s.");
    PrintSentence(Format(message, {SwitchedOn(set.a), SwitchedOn(set.b), state,
                                   Change(false, said)}),
                  width, out);
}

// Which half of a J and K pair is wrong, and where it counts: J where the
// flip-flop is off, K where it is on.
static void PrintHalves(int part, const Judgement& judgement, int width,
                        FILE* out)
{
    TruthTable on = CasesWhereOn(kParts[part].lamp);
    int j = CountCases(judgement.wrong & ~on),
        k = CountCases(judgement.wrong & on);
    const char* name = kParts[part].name;
    // TRANSLATORS: %1$d is a count of cases; %2$s a flip-flop, Q0, Q1 or
    // Q2, whose J input counts only where it is off.
    const char* j_wrong = TranslatedPlural("J is wrong in %1$d case, "
                                           "where %2$s is off.",
                                           "J is wrong in %1$d cases, "
                                           "where %2$s is off.",
                                           j);
    // TRANSLATORS: the same for K, which counts only where the flip-flop
    // is on.
    const char* k_wrong = TranslatedPlural("K is wrong in %1$d case, "
                                           "where %2$s is on.",
                                           "K is wrong in %1$d cases, "
                                           "where %2$s is on.",
                                           k);
    PrintSentence(j ? Format(j_wrong, {std::to_string(j), name})
                    : Translated("J is right."),
                  width, out);
    PrintSentence(k ? Format(k_wrong, {std::to_string(k), name})
                    : Translated("K is right."),
                  width, out);
}

// How a part is given, which its line says.
enum Form { kOutputForm, kNextStateForm, kJAndKForm, kJAloneForm, kKAloneForm };

static Form FormOf(int part, const Judgement& judgement)
{
    return !IsFlipFlop(part)                    ? kOutputForm
           : !judgement.as_jk                   ? kNextStateForm
           : judgement.missing_half == kTargetK ? kJAloneForm
           : judgement.missing_half == kTargetJ ? kKAloneForm
                                                : kJAndKForm;
}

// A part's line, by how it is given, where it is right and where it is
// wrong: the first counts the cases judged, the second those wrong.
struct PartLines {
    PluralMessage right, wrong;
};

// The parts' lines, by Form: %1$s the part, %2$d the cases judged, %3$d
// those wrong, %4$s the half of J and K not given.
static const PartLines kPartLines[] = {
    {
        // TRANSLATORS: the output's line in the report: %1$s is Y, %2$d
        // how many of the panel's cases there are, 32.
        ForTranslationPlural("%1$s: right in %2$d case.",
                             "%1$s: right in all %2$d cases."),
        // TRANSLATORS: %1$s is Y, %3$d in how many of the panel's %2$d
        // cases the answer is wrong.
        ForTranslationPlural("%1$s: wrong in %3$d of the %2$d cases.",
                             "%1$s: wrong in %3$d of the %2$d cases."),
    },
    {
        // TRANSLATORS: a flip-flop's line in the report, given by its next
        // state: %1$s is Q0, Q1 or Q2, %2$d the panel's cases, 32.
        ForTranslationPlural("%1$s, as its next state: right in %2$d case.",
                             "%1$s, as its next state: right in all %2$d "
                             "cases."),
        // TRANSLATORS: %3$d is in how many of the %2$d cases it is wrong.
        ForTranslationPlural("%1$s, as its next state: wrong in %3$d of the "
                             "%2$d cases.",
                             "%1$s, as its next state: wrong in %3$d of the "
                             "%2$d cases."),
    },
    {
        // TRANSLATORS: a flip-flop's line in the report, given by its J
        // and K: %1$s is Q0, Q1 or Q2, %2$d the panel's cases, 32.
        ForTranslationPlural("%1$s, as J and K: right in %2$d case.",
                             "%1$s, as J and K: right in all %2$d cases."),
        // TRANSLATORS: %3$d is in how many of the %2$d cases it is wrong.
        ForTranslationPlural("%1$s, as J and K: wrong in %3$d of the %2$d "
                             "cases.",
                             "%1$s, as J and K: wrong in %3$d of the %2$d "
                             "cases."),
    },
    {
        // TRANSLATORS: a flip-flop's line in the report, given by its J
        // alone, judged where J acts, where the flip-flop is off: %1$s is
        // Q0, Q1 or Q2, %2$d those cases, 16, and %4$s its K as the answer
        // writes it, kq0, kq1 or kq2.
        ForTranslationPlural("%1$s, by its J alone: right in %2$d case, "
                             "where %1$s is off; %4$s is missing.",
                             "%1$s, by its J alone: right in all %2$d cases "
                             "where %1$s is off; %4$s is missing."),
        // TRANSLATORS: %3$d is in how many of the %2$d cases it is wrong.
        ForTranslationPlural("%1$s, by its J alone: wrong in %3$d of the %2$d "
                             "cases where %1$s is off; %4$s is missing.",
                             "%1$s, by its J alone: wrong in %3$d of the %2$d "
                             "cases where %1$s is off; %4$s is missing."),
    },
    {
        // TRANSLATORS: the same for K alone, judged where K acts, where
        // the flip-flop is on; %4$s is its J, jq0, jq1 or jq2.
        ForTranslationPlural("%1$s, by its K alone: right in %2$d case, "
                             "where %1$s is on; %4$s is missing.",
                             "%1$s, by its K alone: right in all %2$d cases "
                             "where %1$s is on; %4$s is missing."),
        // TRANSLATORS: %3$d is in how many of the %2$d cases it is wrong.
        ForTranslationPlural("%1$s, by its K alone: wrong in %3$d of the %2$d "
                             "cases where %1$s is on; %4$s is missing.",
                             "%1$s, by its K alone: wrong in %3$d of the %2$d "
                             "cases where %1$s is on; %4$s is missing."),
    },
};

static void PrintPart(int part, const Judgement& judgement, int width,
                      FILE* out)
{
    const char* name = kParts[part].name;
    PartState state = PartStateOf(judgement);
    std::string line;
    if (state == kMissing) {
        // TRANSLATORS: %1$s is a part of the panel: Q0, Q1, Q2 or Y.
        const char* message = Translated("%1$s: not given.");
        line = "– " + Format(message, {name});
    } else {
        const PartLines& lines = kPartLines[FormOf(part, judgement)];
        int judged = CountCases(judgement.judged);
        int wrong = CountCases(judgement.wrong);
        const char* missing =
            judgement.missing_half == kTargetKinds
                ? ""
                : kParts[part].targets[judgement.missing_half];
        const char* mark = state == kRight   ? "✓ "
                           : state == kWrong ? "✗ "
                                             : "– ";
        line = mark + Format(state == kWrong
                                 ? TranslatedPlural(lines.wrong, wrong)
                                 : TranslatedPlural(lines.right, judged),
                             {name, std::to_string(judged),
                              std::to_string(wrong), missing});
    }
    PrintWrapped(line, "", "  ", width, out);
    if (state == kWrong) {
        if (FormOf(part, judgement) == kJAndKForm)
            PrintHalves(part, judgement, width, out);
        PrintExperiment(part, judgement, width, out);
    }
}

// "Not solved yet: Q0 and Y are right; Q1 is wrong; Q2 and kq1 are
// missing."  Each group of parts, right, wrong or missing, is a list;
// missing are the parts not given, and the halves of J and K not given.
static void PrintVerdict(const Judgement* judgements, int width, FILE* out)
{
    // The groups of the verdict, "Not solved yet: ...", each of a list of
    // parts of the panel (Q0, Y) and of equations not given (kq1).
    const struct {
        PartState state;
        PluralMessage group;
    } groups[] = {
        // TRANSLATORS: a group of the verdict: %1$s is a list of parts of
        // the panel, "Q1, Q2 and Y".  Where agreement fails, a label form
        // serves: "Richtig: %1$s".
        {kRight, ForTranslationPlural("%1$s is right", "%1$s are right")},
        // TRANSLATORS: the same, for the parts that are wrong.
        {kWrong, ForTranslationPlural("%1$s is wrong", "%1$s are wrong")},
        // TRANSLATORS: the same, for the parts not given, and the halves
        // of J and K not given, as the answer writes them (kq1).
        {kMissing, ForTranslationPlural("%1$s is missing", "%1$s are missing")},
    };
    std::string said;
    for (const auto& group : groups) {
        std::vector<std::string> names;
        for (int part = 0; part < kPartCount; part++) {
            const Judgement& judgement = judgements[part];
            if (PartStateOf(judgement) == group.state)
                names.push_back(kParts[part].name);
            if (group.state == kMissing && judgement.given &&
                judgement.missing_half != kTargetKinds)
                names.push_back(kParts[part].targets[judgement.missing_half]);
        }
        if (names.empty())
            continue;
        if (!said.empty())
            said += TranslatedIn("between the groups of the verdict", "; ");
        said += Format(TranslatedPlural(group.group, names.size()),
                       {ListOf(names)});
    }
    fputs("\n", out);
    // TRANSLATORS: %1$s is the verdict's groups: "Q0 and Y are right; Q1
    // is wrong".
    const char* message = Translated("Not solved yet: %1$s.");
    PrintWrapped(Format(message, {said}), "", "", width, out);
}

static int JudgeAnswer(const Answer& answer, int width, FILE* out)
{
    if (answer.order.empty()) {
        PrintWrapped(Translated("Nothing was given: write one equation a "
                                "line, such as y = a·b'."),
                     "", "", width, out);
        return 1;
    }
    fprintf(out, "%s\n", Translated("Your answer, as read:"));
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
        fputs("\n", out);
        PrintWrapped(Translated("Solved: all four parts are right."), "", "",
                     width, out);
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
                        Translated("longer than 1 MiB, which no answer is"));
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
