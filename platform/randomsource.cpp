#include "platform/randomsource.h"

#include "platform/clock.h"

#include <bit>

namespace dalmiro {

SystemRandomSource::SystemRandomSource()
{
    reseedRandom();
}

void SystemRandomSource::reseedRandom()
{
    const double clock = SystemClock().timeOfDay();
    const auto clockBits = std::bit_cast<std::uint64_t>(clock);
    ++m_reseeds;
    std::seed_seq seq{static_cast<std::uint32_t>(clockBits),
                      static_cast<std::uint32_t>(clockBits >> 32),
                      static_cast<std::uint32_t>(m_reseeds),
                      m_entropy(),
                      m_entropy(),
                      m_entropy(),
                      m_entropy()};
    m_engine.seed(seq);
}

double SystemRandomSource::nextRandom()
{
    // The top 53 bits give every double in [0, 1) that is a multiple of 2^-53.
    m_last = static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
    return m_last;
}

void SystemRandomSource::seedForTesting(std::uint64_t seed)
{
    m_engine.seed(seed);
}

} // namespace dalmiro
