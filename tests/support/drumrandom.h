#pragma once

#include "platform/randomsource.h"

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace dalmiro::testing {

// What one drum tick is to do: show or hide its slot, and which slot the
// following tick picks (the frame value of this tick is reused as that pick).
struct TickChoice
{
    bool show = true;
    int nextPick = 0;
};

// The random source of whole draws: after each reseed it hands out the values
// scripted for the generator, then serves the drum ticks in pairs (show or
// hide, frame) as `policy` decides for each tick, counted over all draws.
class DrumRandom final : public RandomSource
{
public:
    using Policy = std::function<TickChoice(long tick)>;

    DrumRandom(std::vector<double> generatorValues, Policy policy)
        : m_generator(std::move(generatorValues)), m_policy(std::move(policy))
    {
    }

    // The generator's values for the draws from the next reseed on.
    void setGeneratorValues(std::vector<double> values) { m_generator = std::move(values); }

    void reseedRandom() override
    {
        ++m_reseeds;
        m_next = 0;
    }
    double nextRandom() override
    {
        if (m_reseeds == 0)
            throw std::logic_error("a draw must reseed first");
        if (m_next < m_generator.size()) {
            m_last = m_generator[m_next++];
        } else if (!m_frameNext) {
            m_choice = m_policy(m_ticks);
            if (m_choice.nextPick < 0 || m_choice.nextPick > 31)
                throw std::out_of_range("a drum pick is 0 to 31");
            m_last = m_choice.show ? 0.75 : 0.25;
            m_frameNext = true;
        } else {
            // The middle of the pick's interval; its frame follows from it.
            m_last = (m_choice.nextPick + 0.5) / 32.0;
            m_frameNext = false;
            ++m_ticks;
        }
        return m_last;
    }
    double lastRandom() const override { return m_last; }

    int reseeds() const { return m_reseeds; }
    long ticksServed() const { return m_ticks; }

private:
    std::vector<double> m_generator;
    Policy m_policy;
    std::size_t m_next = 0;
    bool m_frameNext = false;
    TickChoice m_choice;
    long m_ticks = 0;
    double m_last = 0.0;
    int m_reseeds = 0;
};

} // namespace dalmiro::testing
