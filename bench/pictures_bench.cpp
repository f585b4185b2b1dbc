// The drum asks for a ball frame at every tick of its 1 ms timer, so decoding
// one must cost far less than that; the scene is decoded once at start-up.
// On a screen of ratio 2 the controls decode the same pictures again from the
// set painted at 2, and at fractional ratios reduce the next larger set.
#include "resources/catalogue.h"
#include "resources/paintedscales.h"

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

// The argument is the ratio in hundredths: 150, 200, 300.
void loadBallFrameForRatio(benchmark::State &state)
{
    const qreal ratio = qreal(state.range(0)) / 100;
    for (auto _ : state)
        benchmark::DoNotOptimize(dalmiro::loadPictureForRatio(u"9", ratio));
}
BENCHMARK(loadBallFrameForRatio)->Arg(150)->Arg(200)->Arg(300);

void loadSceneForRatio(benchmark::State &state)
{
    const qreal ratio = qreal(state.range(0)) / 100;
    for (auto _ : state)
        benchmark::DoNotOptimize(dalmiro::loadPictureForRatio(u"RUOTA", ratio));
}
BENCHMARK(loadSceneForRatio)->Arg(150)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace
