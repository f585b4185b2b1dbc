// drawsample N: runs N draws, reseeding as the program does, and prints each
// as one line of seven numbers in the order they were drawn.
#include "draw/calcolo.h"
#include "platform/randomsource.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char *argv[])
{
    long long count = -1;
    if (argc == 2) {
        const char *first = argv[1];
        const char *last = first + std::strlen(first);
        const auto [end, error] = std::from_chars(first, last, count);
        if (error != std::errc() || end != last || first == last)
            count = -1;
    }
    if (count < 0) {
        std::fputs("usage: drawsample N   (N: how many draws, a whole number 0 or more)\n", stderr);
        return 2;
    }

    dalmiro::SystemRandomSource random;
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
