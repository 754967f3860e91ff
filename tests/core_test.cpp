// core_test.cpp: the circuit against its state and output tables.
#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "circuit.h"
#include "circuit_tables.h"

namespace
{

static_assert(std::size(kNextState) == kStateCount &&
                  std::size(kNextState[0]) == kInputPairCount &&
                  std::size(kOutput) == kStateCount &&
                  std::size(kOutput[0]) == kInputPairCount,
              "tests/circuit_tables.h holds a row for each state and a "
              "column for each input pair of core/circuit.h");

// Sets the circuit to state q2 q1 q0 = state and inputs a b = inputs,
// every other cell false.
void Load(int state, int inputs)
{
    g_circuit = Circuit();
    g_circuit.q2 = state & 4;
    g_circuit.q1 = state & 2;
    g_circuit.q0 = state & 1;
    g_circuit.a = inputs & 2;
    g_circuit.b = inputs & 1;
}

std::string State(const Circuit& circuit = g_circuit)
{
    std::string s;
    s += circuit.q2 ? '1' : '0';
    s += circuit.q1 ? '1' : '0';
    s += circuit.q0 ? '1' : '0';
    return s;
}

// The circuit as the program starts with it, copied before main and so
// before any test has touched it, whatever order the tests run in.
const Circuit kAtStart = g_circuit;

} // namespace

TEST(Circuit, StartsWithEveryCellFalse)
{
    const Circuit blank = Circuit();
    EXPECT_EQ(0, memcmp(&blank, &kAtStart, sizeof blank));
}

TEST(Circuit, ClockStepFollowsTheTransitionTable)
{
    for (int state = 0; state < 8; state++)
        for (int inputs = 0; inputs < 4; inputs++) {
            Load(state, inputs);
            ClockStep();
            EXPECT_EQ(kNextState[state][inputs], State())
                << "from state " << state << " with ab=" << inputs;
            EXPECT_EQ(bool(inputs & 2), g_circuit.a);
            EXPECT_EQ(bool(inputs & 1), g_circuit.b);
            EXPECT_FALSE(g_circuit.y) << "a clock step leaves y alone";
            EXPECT_TRUE(g_circuit.kq2);
        }
}

TEST(Circuit, UpdateOutputFollowsTheOutputTable)
{
    for (int state = 0; state < 8; state++)
        for (int inputs = 0; inputs < 4; inputs++) {
            Load(state, inputs);
            g_circuit.y = !kOutput[state][inputs];
            const std::string before = State();
            UpdateOutput();
            EXPECT_EQ(kOutput[state][inputs], g_circuit.y)
                << "state " << state << " ab=" << inputs;
            EXPECT_EQ(before, State()) << "the update leaves the state alone";
        }
}

TEST(Circuit, ClockStepsOnlyLeadIntoTheFiveReachableStates)
{
    const std::string reachable[] = {"000", "001", "010", "011", "100"};
    for (int state = 0; state < 8; state++)
        for (int inputs = 0; inputs < 4; inputs++) {
            Load(state, inputs);
            ClockStep();
            EXPECT_NE(
                std::end(reachable),
                std::find(std::begin(reachable), std::end(reachable), State()));
        }
}

TEST(Circuit, WorkedExamples)
{
    Load(0, 0); // 000, a = b = 0
    ClockStep();
    UpdateOutput();
    EXPECT_EQ("011", State());
    EXPECT_TRUE(g_circuit.y);

    for (int b = 0; b < 2; b++) { // 111 with a = 1, either b
        Load(7, 2 | b);
        ClockStep();
        EXPECT_EQ("000", State());
    }

    for (int inputs : {0, 2, 3}) { // 010 with a = 1 or b = 0
        Load(2, inputs);
        ClockStep();
        UpdateOutput();
        EXPECT_EQ("100", State());
        EXPECT_TRUE(g_circuit.y);
    }

    for (int inputs = 0; inputs < 4; inputs++) { // jq2 = 0 clears q2
        Load(4, inputs);
        ClockStep();
        EXPECT_FALSE(g_circuit.jq2);
        EXPECT_FALSE(g_circuit.q2);
    }
}

TEST(Circuit, ClockStepLeavesTheSixFlipFlopInputsAsComputed)
{
    // 000 with a = b = 0: jq0 = 1, kq0 = 1, jq1 = 1, kq1 = 1, jq2 = 0.
    Load(0, 0);
    ClockStep();
    EXPECT_TRUE(g_circuit.jq0);
    EXPECT_TRUE(g_circuit.kq0);
    EXPECT_TRUE(g_circuit.jq1);
    EXPECT_TRUE(g_circuit.kq1);
    EXPECT_FALSE(g_circuit.jq2);
    EXPECT_TRUE(g_circuit.kq2);

    // 101 with a = 1, b = 0: jq0 = 1, kq0 = 1 (toggle to 0); jq1 = 1,
    // kq1 = 1 (toggle to 1); jq2 = 0 (q2 cleared): next state 010.
    Load(5, 2);
    ClockStep();
    EXPECT_TRUE(g_circuit.jq0 && g_circuit.kq0);
    EXPECT_TRUE(g_circuit.jq1 && g_circuit.kq1);
    EXPECT_FALSE(g_circuit.jq2);
    EXPECT_EQ("010", State());
}

TEST(Circuit, ResetClearsOnlyTheStateFromEveryState)
{
    for (int state = 0; state < 8; state++)
        for (int inputs = 0; inputs < 4; inputs++) {
            Load(state, inputs);
            g_circuit.jq1 = g_circuit.kq0 = g_circuit.kq2 = g_circuit.y = true;
            Circuit before = g_circuit;
            ResetFlipFlops();
            EXPECT_EQ("000", State());
            before.q0 = before.q1 = before.q2 = false;
            EXPECT_EQ(0, memcmp(&before, &g_circuit, sizeof before))
                << "state " << state << " ab=" << inputs;
        }
}

TEST(Circuit, OutputIsStoredUntilTheNextUpdate)
{
    Load(0, 0);
    UpdateOutput();
    ASSERT_TRUE(g_circuit.y);
    g_circuit.a = true; // a toggle: y is stale until the next update
    EXPECT_TRUE(g_circuit.y);
    ResetFlipFlops();
    EXPECT_TRUE(g_circuit.y);
    UpdateOutput();
    EXPECT_FALSE(g_circuit.y);
}

TEST(Circuit, CasesAreNumberedAsTheStateTableIsRead)
{
    // Row by row, a b = 00, 01, 10, 11 in each: the number's bits are
    // q2 q1 q0 a b.
    const struct {
        int number, state, inputs;
        const char* cells; // a b q0 q1 q2
    } cases[] = {
        {0, 0, 0, "00000"},  {1, 0, 1, "01000"},  {2, 0, 2, "10000"},
        {13, 3, 1, "01110"}, {22, 5, 2, "10101"}, {31, 7, 3, "11111"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.number, CaseNumber(c.state, c.inputs));
        const Circuit shown = CircuitIn(c.number);
        const bool cells[] = {shown.a, shown.b, shown.q0, shown.q1, shown.q2};
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(c.cells[i] == '1', cells[i]) << c.number << " cell " << i;
        EXPECT_EQ(c.state, StateOf(shown));
        EXPECT_EQ(c.number, CaseOf(shown));
    }
}

TEST(Circuit, ItsBehaviourOfAnyValueFollowsTheTablesAndLeavesThePanels)
{
    Load(5, 1);
    const Circuit panel = g_circuit;
    for (int state = 0; state < 8; state++)
        for (int inputs = 0; inputs < 4; inputs++) {
            Circuit now = CircuitIn(CaseNumber(state, inputs));
            EXPECT_EQ(kNextState[state][inputs], State(AfterClockEdge(now)));
            EXPECT_EQ(kOutput[state][inputs], OutputOf(now));
        }
    EXPECT_EQ(0, memcmp(&panel, &g_circuit, sizeof panel));
}
