// bench.cpp: the core operations and one Draw, each beside its C floor.
//
// Run by measure.py, which pairs each zelm figure with its floor figure.
// The Draw benchmarks need a display: measure.py runs them in Xvfb.
#include <benchmark/benchmark.h>

#include "cheat.h"
#include "circuit.h"
#include "display.h"
#include "floor_core.h"
#include "floor_panel.h"

static void BM_ClockStep(benchmark::State& state)
{
    for (auto _ : state) {
        ClockStep();
        benchmark::DoNotOptimize(g_circuit);
    }
}
BENCHMARK(BM_ClockStep);

static void BM_FloorClockStep(benchmark::State& state)
{
    for (auto _ : state) {
        FloorClockStep();
        benchmark::DoNotOptimize(floor_cells);
    }
}
BENCHMARK(BM_FloorClockStep);

static void BM_UpdateOutput(benchmark::State& state)
{
    for (auto _ : state) {
        g_circuit.q0 = !g_circuit.q0;
        UpdateOutput();
        benchmark::DoNotOptimize(g_circuit);
    }
}
BENCHMARK(BM_UpdateOutput);

static void BM_FloorUpdateOutput(benchmark::State& state)
{
    for (auto _ : state) {
        floor_cells[2] = !floor_cells[2];
        FloorUpdateOutput();
        benchmark::DoNotOptimize(floor_cells);
    }
}
BENCHMARK(BM_FloorUpdateOutput);

static const char kKeys[] = "gnarlwickgnxarlwick";

static void BM_CheckCheatKey(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state) {
        CheckCheatKey(kKeys[i++ % (sizeof kKeys - 1)]);
        benchmark::DoNotOptimize(g_cheat_pos);
    }
}
BENCHMARK(BM_CheckCheatKey);

static void BM_FloorCheckCheatKey(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state) {
        FloorCheckCheatKey(kKeys[i++ % (sizeof kKeys - 1)]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FloorCheckCheatKey);

// One frame with every lamp lit, the overlay off.
static void BM_Draw(benchmark::State& state)
{
    if (!Init()) {
        state.SkipWithError("Init failed");
        Destroy();
        return;
    }
    g_circuit.a = g_circuit.b = g_circuit.y = true;
    g_circuit.q0 = g_circuit.q1 = g_circuit.q2 = true;
    for (auto _ : state)
        Draw();
    Destroy();
}
BENCHMARK(BM_Draw);

static void BM_FloorDraw(benchmark::State& state)
{
    if (!FloorInit()) {
        state.SkipWithError("FloorInit failed");
        FloorDestroy();
        return;
    }
    for (int i = 0; i < 6; i++)
        floor_cells[i] = 1;
    for (auto _ : state)
        FloorDraw();
    FloorDestroy();
}
BENCHMARK(BM_FloorDraw);

BENCHMARK_MAIN();
