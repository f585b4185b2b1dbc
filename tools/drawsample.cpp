// drawsample N [--seed S]: runs N draws, reseeding as the program does, and
// prints each as one line of seven numbers in the order they were drawn. With
// a seed the values come from a sequence fixed by it alone: the same lines on
// every run and every machine, to compare two builds of the generator.
#include "draw/calcolo.h"
#include "platform/randomsource.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

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
    long long count = -1;
    std::uint64_t seed = 0;
    const bool seeded = argc == 4 && std::strcmp(argv[2], "--seed") == 0;
    if ((argc != 2 && !seeded) || !parse(argv[1], count) || count < 0 ||
        (seeded && !parse(argv[3], seed))) {
        std::fputs("usage: drawsample N [--seed S]   (N: how many draws, a whole number 0 or "
                   "more; S: a seed, for the same draws on every run)\n",
                   stderr);
        return 2;
    }

    std::unique_ptr<dalmiro::RandomSource> source;
    if (seeded)
        source = std::make_unique<dalmiro::FixedSeedRandomSource>(seed);
    else
        source = std::make_unique<dalmiro::SystemRandomSource>();
    dalmiro::RandomSource &random = *source;
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
