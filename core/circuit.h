// circuit.h: the hidden sequential circuit that the player probes.
//
// Two input switches, three JK flip-flops read as the number q2 q1 q0, and
// one output.  There is exactly one circuit, in static storage, all false at
// start.  The front end toggles the input and state cells in place and calls
// the three operations below; nothing here knows about windows or events.
#ifndef ZELM_CORE_CIRCUIT_H
#define ZELM_CORE_CIRCUIT_H

struct Circuit {
    bool a, b;          // input switches
    bool q0, q1, q2;    // flip-flop states
    bool jq0, jq1, jq2; // J inputs, written only by ClockStep
    bool kq0, kq1, kq2; // K inputs, written only by ClockStep
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

#endif
