// circuit_tables.h: the circuit's state and output tables, written out.
//
// The oracle for every test of the circuit: one row per state q2 q1 q0
// (row 5 is state 101), one column per input pair a b = 00, 01, 10, 11.
#ifndef ZELM_TESTS_CIRCUIT_TABLES_H
#define ZELM_TESTS_CIRCUIT_TABLES_H

// The state after one clock step.
inline const char* const kNextState[8][4] = {
    {"011", "001", "000", "000"}, // 000
    {"000", "001", "010", "011"}, // 001
    {"100", "000", "100", "100"}, // 010
    {"010", "000", "100", "100"}, // 011
    {"001", "011", "011", "011"}, // 100
    {"000", "011", "010", "011"}, // 101
    {"001", "001", "001", "001"}, // 110
    {"010", "000", "000", "000"}, // 111
};

// The output y.
inline const int kOutput[8][4] = {
    {1, 0, 0, 0}, // 000
    {0, 0, 1, 1}, // 001
    {0, 0, 0, 0}, // 010
    {1, 0, 0, 0}, // 011
    {1, 1, 1, 1}, // 100
    {1, 1, 1, 1}, // 101
    {1, 1, 1, 1}, // 110
    {1, 1, 1, 1}, // 111
};

#endif
