#pragma once

#include "draw/drawsequence.h"
#include "support/drumrandom.h"
#include "support/recordingcontrols.h"
#include "support/scriptedrandom.h"
#include "support/simulatedpump.h"

#include <algorithm>
#include <string>
#include <vector>

namespace dalmiro::testing {

// Seven numbers with a consecutive pair and a sum of 286: the generator keeps
// them as drawn after exactly seven values, the last of which (for 5) makes
// the first tick of the draw pick slot 1.
inline std::vector<int> firstNumbers()
{
    return {50, 10, 60, 70, 11, 80, 5};
}
inline std::vector<int> secondNumbers()
{
    return {90, 89, 3, 4, 20, 30, 40};
}
inline std::vector<double> generatorValues(const std::vector<int> &numbers)
{
    std::vector<double> values;
    for (int n : numbers)
        values.push_back(valueFor(n, 90, 1));
    return values;
}

// A drum that brings a ball to the exit every 40 ticks and otherwise walks
// over slots 0 to 30, showing two picks in three.
inline TickChoice regularDrum(long tick)
{
    return {tick % 3 != 0, tick % 40 == 4 ? 31 : int(tick % 31)};
}
inline TickChoice exitAlwaysShown(long)
{
    return {true, 31};
}
inline TickChoice exitAlwaysHidden(long)
{
    return {false, 31};
}

// A draw wired to simulated time, a recording window and a scripted drum.
struct DrawRig
{
    explicit DrawRig(SimulatedPump::Config config = {}, DrumRandom::Policy policy = regularDrum,
                     std::vector<int> numbers = firstNumbers())
        : pump(time, config), random(generatorValues(numbers), std::move(policy)),
          draw(controls, pump, time, random)
    {
        draw.setListener(&controls);
        controls.now = [this] { return time.now(); };
        controls.timeOf = [this](double at) { return time.firstAtOrAfter(at); };
        controls.onTimer1 = [this](bool enabled) { pump.setTimerEnabled(enabled); };
        controls.ticking = [this] { return draw.isInTick(); };
        pump.onTick = [this] { draw.runDueTicks(); };
    }

    // The operations the draw made itself, without those of the ticks.
    std::vector<RecordingControls::Op> drawOps() const
    {
        std::vector<RecordingControls::Op> own;
        std::copy_if(controls.ops.begin(), controls.ops.end(), std::back_inserter(own),
                     [](const auto &op) { return !op.inTick; });
        return own;
    }
    static std::vector<std::string> texts(const std::vector<RecordingControls::Op> &ops)
    {
        std::vector<std::string> out;
        for (const auto &op : ops)
            out.push_back(op.text);
        return out;
    }

    SimulatedTime time;
    RecordingControls controls;
    SimulatedPump pump;
    DrumRandom random;
    DrawSequence draw;
};

} // namespace dalmiro::testing
