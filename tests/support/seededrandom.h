#pragma once

#include "platform/randomsource.h"

#include <cstdint>
#include <random>

namespace dalmiro::testing {

// A repeatable stand-in for the system's random source: the values of a
// seeded engine, 53 bits each in [0, 1). `Reseed::Restarts` starts the
// sequence again from the seed at every reseed, so that every draw is the
// same; `Reseed::Ignored` runs on through reseeds, so that every draw is new
// but every run the same.
class SeededRandom final : public RandomSource
{
public:
    enum class Reseed { Restarts, Ignored };

    SeededRandom(std::uint64_t seed, Reseed reseed) : m_seed(seed), m_reseed(reseed), m_engine(seed)
    {
    }

    void reseedRandom() override
    {
        if (m_reseed == Reseed::Restarts)
            m_engine.seed(m_seed);
    }
    double nextRandom() override { return m_last = double(m_engine() >> 11) * 0x1p-53; }
    double lastRandom() const override { return m_last; }

private:
    std::uint64_t m_seed;
    Reseed m_reseed;
    std::mt19937_64 m_engine;
    double m_last = 0.0;
};

} // namespace dalmiro::testing
