#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <random>

namespace dalmiro {

// The program's one source of random values. Whole numbers are formed by the
// callers as floor(value * N) + offset, so every value lies in [0, 1).
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Starts a fresh sequence; called at the start of every draw.
    virtual void reseedRandom() = 0;
    // The next value, uniform in [0, 1).
    virtual double nextRandom() = 0;
    // The value most recently returned by nextRandom(), without advancing;
    // 0 before the first one.
    virtual double lastRandom() const = 0;
};

// A 64-bit Mersenne Twister, seeded from the operating system's entropy when
// created. Reseeding mixes the time of day with fresh entropy into the running
// sequence, so two reseeds in the same instant still give different values.
class SystemRandomSource final : public RandomSource
{
public:
    SystemRandomSource();

    void reseedRandom() override;
    double nextRandom() override;
    double lastRandom() const override { return m_last; }

    // A reproducible sequence until the next reseed.
    void seedForTesting(std::uint64_t seed);

private:
    std::mt19937_64 m_engine;
    SystemClock m_clock;
    std::random_device m_entropy;
    std::uint64_t m_key = 0;
    double m_last = 0.0;
};

// A sequence fixed by its seed alone, for tools that compare two builds: the
// same seed gives the same values on every run and every machine. Reseeding
// does nothing, so draws follow one another along the one sequence.
class FixedSeedRandomSource final : public RandomSource
{
public:
    explicit FixedSeedRandomSource(std::uint64_t seed) : m_engine(seed) {}

    void reseedRandom() override {}
    double nextRandom() override;
    double lastRandom() const override { return m_last; }

private:
    std::mt19937_64 m_engine;
    double m_last = 0.0;
};

} // namespace dalmiro
