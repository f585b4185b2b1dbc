// drawseeded SEED N: runs N draws from a random sequence fixed by SEED and
// prints each as one line of seven numbers in the order they were drawn. The
// same SEED and N print the same lines on every run and every machine, so two
// builds of the generator can be compared by their output.
#include "draw/calcolo.h"
#include "platform/randomsource.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

// A sequence that depends on the seed alone. The generator reseeds at the
// start of every draw; here that is a no-op, so the draws follow one another
// along one sequence.
class SeededRandomSource final : public dalmiro::RandomSource
{
public:
    explicit SeededRandomSource(std::uint64_t seed) : m_engine(seed) {}

    void reseedRandom() override {}
    double nextRandom() override
    {
        // The top 53 bits as a fraction: exact, and the same with every
        // standard library, unlike std::generate_canonical.
        m_last = static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
        return m_last;
    }
    double lastRandom() const override { return m_last; }

private:
    std::mt19937_64 m_engine;
    double m_last = 0.0;
};

template <typename Whole>
bool parse(const char *text, Whole &value)
{
    const char *last = text + std::strlen(text);
    const auto [end, error] = std::from_chars(text, last, value);
    return error == std::errc() && end == last && text != last;
}

} // namespace

int main(int argc, char *argv[])
{
    std::uint64_t seed = 0;
    long long count = -1;
    if (argc != 3 || !parse(argv[1], seed) || !parse(argv[2], count) || count < 0) {
        std::fputs("usage: drawseeded SEED N   (SEED: a whole number 0 or more; N: how many draws)\n",
                   stderr);
        return 2;
    }

    SeededRandomSource random(seed);
    dalmiro::DrawnNumbers drawn{};
    std::string out;
    out.reserve(1 << 16);
    for (long long d = 0; d < count; ++d) {
        dalmiro::Calcolo(drawn, random);
        for (int i = 0; i < 7; ++i) {
            char buffer[4];
            const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, drawn[i]);
            (void)error;
            out.append(buffer, end);
            out.push_back(i < 6 ? ' ' : '\n');
        }
        if (out.size() > (1 << 16) - 64) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
