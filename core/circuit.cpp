// circuit.cpp: the circuit's next-state and output equations.
#include "circuit.h"

Circuit g_circuit;

// JK rule: J alone sets, K alone resets, both toggle, neither holds.
static bool NextJK(bool q, bool j, bool k)
{
    return (j && !q) || (!k && q);
}

// One clock edge, in place: the one body of ClockStep and AfterClockEdge,
// so that the panel's own step writes its cells where they stand.
static void Clock(Circuit& c)
{
    // Every input is fixed before any flip-flop moves, so all three switch
    // on the same pre-step state: the clocking is synchronous.
    c.jq0 = (!c.a && !c.q1) || c.q2;
    c.kq0 = c.q1 || !c.b;
    c.jq1 = (c.b && c.q2) || (c.a && c.q2) || (c.a && c.q0) ||
            (!c.a && !c.b && !c.q0 && !c.q1 && !c.q2);
    c.kq1 = c.a || c.b || !c.q0;
    c.jq2 = (c.a && c.q1) || (!c.b && !c.q0 && c.q1);
    c.kq2 = true;

    c.q0 = NextJK(c.q0, c.jq0, c.kq0);
    c.q1 = NextJK(c.q1, c.jq1, c.kq1);
    c.q2 = NextJK(c.q2, c.jq2, c.kq2);
}

Circuit AfterClockEdge(Circuit circuit)
{
    Clock(circuit);
    return circuit;
}

bool OutputOf(const Circuit& c)
{
    return c.q2 || (c.a && c.q0 && !c.q1) || (!c.a && !c.b && c.q0 && c.q1) ||
           (!c.a && !c.b && !c.q0 && !c.q1);
}

void ClockStep()
{
    Clock(g_circuit);
}

void ResetFlipFlops()
{
    g_circuit.q0 = false;
    g_circuit.q1 = false;
    g_circuit.q2 = false;
}

void UpdateOutput()
{
    g_circuit.y = OutputOf(g_circuit);
}
