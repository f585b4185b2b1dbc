// The drum asks for a ball frame at every tick of its 1 ms timer, so decoding
// one must cost far less than that; the scene is decoded once at start-up.
#include "resources/catalogue.h"

#include <benchmark/benchmark.h>

namespace {

void loadBallFrame(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(dalmiro::loadPicture(9));
}
BENCHMARK(loadBallFrame);

void loadScene(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(dalmiro::loadPicture(u"RUOTA"));
}
BENCHMARK(loadScene)->Unit(benchmark::kMicrosecond);

void loadResultBall(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(dalmiro::loadPicture(u"Palla"));
}
BENCHMARK(loadResultBall);

} // namespace
