#include "platform/randomsource.h"


#include <bit>

namespace dalmiro {

SystemRandomSource::SystemRandomSource()
{
    const auto clockBits = std::bit_cast<std::uint64_t>(m_clock.timeOfDay());
    std::seed_seq seq{m_entropy(), m_entropy(), m_entropy(), m_entropy(),
                      m_entropy(), m_entropy(), static_cast<std::uint32_t>(clockBits),
                      static_cast<std::uint32_t>(clockBits >> 32)};
    m_engine.seed(seq);
    reseedRandom();
}

namespace {

// splitmix64's finaliser: spreads every input bit over the whole word, so
// that nearby clock readings give unrelated keys.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace

// Seeding the engine afresh costs about 2 microseconds (its 312-word state is
// rebuilt and regenerated), more than a whole draw otherwise takes. Instead
// the engine runs on, and the clock reading and fresh entropy become a key
// that is folded into every value until the next reseed: the sequence after a
// reseed depends on both, and two reseeds in the same instant still differ.
void SystemRandomSource::reseedRandom()
{
    const auto clockBits = std::bit_cast<std::uint64_t>(m_clock.timeOfDay());
    const std::uint64_t entropy = (std::uint64_t{m_entropy()} << 32) | m_entropy();
    m_key = mix(clockBits ^ mix(entropy));
}

double SystemRandomSource::nextRandom()
{
    // The top 53 bits give every double in [0, 1) that is a multiple of 2^-53.
    m_last = static_cast<double>((m_engine() ^ m_key) >> 11) * 0x1.0p-53;
    return m_last;
}

double FixedSeedRandomSource::nextRandom()
{
    m_last = static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
    return m_last;
}

void SystemRandomSource::seedForTesting(std::uint64_t seed)
{
    m_engine.seed(seed);
    m_key = 0;
}

} // namespace dalmiro
