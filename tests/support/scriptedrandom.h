#pragma once

#include "platform/randomsource.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace dalmiro::testing {

// The value whose floor(value * count) + offset is `whole`, from the middle of
// its interval so that rounding cannot move it.
constexpr double valueFor(int whole, int count, int offset)
{
    return (whole - offset + 0.5) / count;
}

// Hands out a fixed sequence of values; running past its end is a test failure.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(std::vector<double> values = {}) : m_values(std::move(values)) {}

    void append(double value) { m_values.push_back(value); }
    void reseedRandom() override { ++m_reseeds; }
    double nextRandom() override
    {
        if (m_next >= m_values.size())
            throw std::out_of_range("scripted random values exhausted");
        m_last = m_values[m_next++];
        return m_last;
    }
    double lastRandom() const override { return m_last; }

    int reseeds() const { return m_reseeds; }
    std::size_t consumed() const { return m_next; }
    std::size_t remaining() const { return m_values.size() - m_next; }

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
    double m_last = 0.0;
    int m_reseeds = 0;
};

// A seeded engine's values, 53 bits each in [0, 1): from the seed again at
// every reseed (every draw the same), or on through the reseeds (every draw
// new, every run the same).
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
