#include "draw/calcolo.h"
#include "platform/randomsource.h"

#include <benchmark/benchmark.h>

// One draw as the program makes it, reseed included.
static void BM_Calcolo(benchmark::State &state)
{
    dalmiro::SystemRandomSource random;
    dalmiro::DrawnNumbers drawn{};
    for (auto _ : state) {
        dalmiro::Calcolo(drawn, random);
        benchmark::DoNotOptimize(drawn);
    }
}
BENCHMARK(BM_Calcolo);
