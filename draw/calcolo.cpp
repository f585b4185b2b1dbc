#include "draw/calcolo.h"

#include "platform/randomsource.h"

namespace dalmiro {

namespace {

constexpr int kMainCount = 6;
constexpr int kDrawCount = 7;
constexpr int kHighest = 90;
constexpr int kMinimumSum = 177;

int randomWhole(RandomSource &random, int count, int offset)
{
    return static_cast<int>(random.nextRandom() * count) + offset;
}

bool hasConsecutivePair(const DrawnNumbers &n)
{
    for (int a = 0; a < kMainCount; ++a) {
        for (int b = a; b < kMainCount; ++b) {
            if (n[a] == n[b] - 1 || n[a] == n[b] + 1)
                return true;
        }
    }
    return false;
}

} // namespace

void Calcolo(DrawnNumbers &drawnNumbers, RandomSource &random)
{
    random.reseedRandom();

    int sum = 0;
    do {
        sum = 0;
        int i = 0;
        while (i < kDrawCount) {
            const int n = randomWhole(random, kHighest, 1);
            drawnNumbers[i] = n;
            bool repeated = false;
            if (i < kMainCount) {
                for (int earlier = 0; earlier < i && !repeated; ++earlier)
                    repeated = drawnNumbers[earlier] == n;
            }
            if (repeated)
                continue;
            sum += n;
            ++i;
        }
    } while (sum < kMinimumSum);

    if (hasConsecutivePair(drawnNumbers))
        return;

    const int p = randomWhole(random, kMainCount - 1, 1);
    // A first number of 90 has no successor in range; the draw is then left
    // as it is, like a 90 at the chosen position.
    if (drawnNumbers[p] < kHighest && drawnNumbers[0] < kHighest)
        drawnNumbers[p] = drawnNumbers[0] + 1;
}

} // namespace dalmiro
