/* floor_core.h: the circuit in plain C, the cost floor for the core. */
#ifndef ZELM_BENCH_FLOOR_CORE_H
#define ZELM_BENCH_FLOOR_CORE_H

#ifdef __cplusplus
extern "C" {
#endif

/* The cells as bytes, in the order a b q0 q1 q2 y. */
extern unsigned char floor_cells[6];

void FloorClockStep(void);
void FloorUpdateOutput(void);
void FloorCheckCheatKey(int sym);

#ifdef __cplusplus
}
#endif

#endif
