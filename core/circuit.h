// circuit.h: the hidden sequential circuit that the player probes.
//
// Two input switches, three JK flip-flops read as the number q2 q1 q0, and
// one output.  There is exactly one circuit, in static storage, all false at
// start.  The front end toggles the input and state cells in place and calls
// the three operations below; nothing here knows about windows or events.
// What the circuit does is also offered as pure functions of a circuit
// value, for whoever must work out a case without touching the panel's own:
// the answer checker and the art tool's cheat sheet.
#ifndef ZELM_CORE_CIRCUIT_H
#define ZELM_CORE_CIRCUIT_H

struct Circuit {
    bool a, b;          // input switches
    bool q0, q1, q2;    // flip-flop states
    bool jq0, jq1, jq2; // J inputs, written only by a clock edge
    bool kq0, kq1, kq2; // K inputs, written only by a clock edge
    bool y;             // output as last computed, not as it would be now
};

extern Circuit g_circuit;

// One clock edge: works out all six J and K inputs from the current cells,
// then moves all three flip-flops together by the JK rule.
void ClockStep();

// Clears q0, q1 and q2; every other cell keeps its value.
void ResetFlipFlops();

// Recomputes y from the inputs and the state.
void UpdateOutput();

// ---- The same behaviour, of any circuit value

// The circuit after one clock edge: its six J and K cells worked out from
// its other cells, then its three flip-flops moved by the JK rule.
Circuit AfterClockEdge(Circuit circuit);

// What the output equation gives for the circuit's inputs and state.
bool OutputOf(const Circuit& circuit);

// ---- Cases

// A case is what the panel shows before a press: a state and an input
// pair.  Cases are numbered as the state table is read, row by row: the
// state q2 q1 q0 as a number, then the inputs a b, so that the number's
// bits are q2 q1 q0 a b, case 0 is all dark, and case 13 is state 011
// with a off and b on.
const int kStateCount = 8;
const int kInputPairCount = 4;
const int kCaseCount = kStateCount * kInputPairCount;

constexpr int CaseNumber(int state, int inputs)
{
    return state * kInputPairCount + inputs;
}

// The circuit showing case `number`, with every other cell false.
constexpr Circuit CircuitIn(int number)
{
    Circuit circuit = {};
    circuit.q2 = number >> 4 & 1;
    circuit.q1 = number >> 3 & 1;
    circuit.q0 = number >> 2 & 1;
    circuit.a = number >> 1 & 1;
    circuit.b = number & 1;
    return circuit;
}

// The state a circuit shows, q2 q1 q0 read as a number.
constexpr int StateOf(const Circuit& circuit)
{
    return circuit.q2 << 2 | circuit.q1 << 1 | circuit.q0;
}

// The number of the case a circuit shows.
constexpr int CaseOf(const Circuit& circuit)
{
    return CaseNumber(StateOf(circuit), circuit.a << 1 | circuit.b);
}

#endif
