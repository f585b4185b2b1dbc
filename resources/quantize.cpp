#include "resources/quantize.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace dalmiro::dib {

namespace {

struct Colour
{
    QRgb rgb = 0;
    std::int64_t count = 0;
};

int channel(QRgb c, int axis)
{
    return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c);
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

int nearest(const QList<QRgb> &palette, QRgb c)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const int d = distance(palette[i], c);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// The weighted mean of a set of colours, rounded.
QRgb mean(std::span<const Colour> colours)
{
    std::array<std::int64_t, 3> sum{};
    std::int64_t n = 0;
    for (const Colour &c : colours) {
        for (int axis = 0; axis < 3; ++axis)
            sum[std::size_t(axis)] += channel(c.rgb, axis) * c.count;
        n += c.count;
    }
    if (n == 0)
        return 0;
    auto avg = [&](int axis) { return int((sum[std::size_t(axis)] + n / 2) / n); };
    return qRgb(avg(0), avg(1), avg(2));
}

struct Box
{
    std::size_t begin = 0;
    std::size_t end = 0;
    int axis = 0;     // the channel along which the colours spread most
    double error = 0; // squared distance of the pixels from their mean
    std::int64_t pixels = 0;
};

Box describe(const std::vector<Colour> &colours, std::size_t begin, std::size_t end)
{
    Box box{begin, end, 0, 0, 0};
    std::array<double, 3> sum{};
    std::array<double, 3> squares{};
    for (std::size_t i = begin; i < end; ++i) {
        const auto n = double(colours[i].count);
        for (int axis = 0; axis < 3; ++axis) {
            const auto v = double(channel(colours[i].rgb, axis));
            sum[std::size_t(axis)] += n * v;
            squares[std::size_t(axis)] += n * v * v;
        }
        box.pixels += colours[i].count;
    }
    double widest = -1;
    for (int axis = 0; axis < 3; ++axis) {
        const std::size_t a = std::size_t(axis);
        const double spread =
            squares[a] - sum[a] * sum[a] / double(std::max<std::int64_t>(box.pixels, 1));
        box.error += spread;
        if (spread > widest) {
            widest = spread;
            box.axis = axis;
        }
    }
    return box;
}

// Median cut: splits the box with the largest squared error at the weighted
// median of its widest channel until `count` boxes exist.
std::vector<QRgb> medianCut(std::vector<Colour> colours, int count)
{
    std::vector<QRgb> result;
    if (colours.empty() || count <= 0)
        return result;
    std::vector<Box> boxes{describe(colours, 0, colours.size())};
    while (int(boxes.size()) < count) {
        auto score = [](const Box &b) { return b.end - b.begin < 2 ? -1.0 : b.error; };
        const auto widest =
            std::max_element(boxes.begin(), boxes.end(),
                             [&](const Box &a, const Box &b) { return score(a) < score(b); });
        if (score(*widest) <= 0)
            break;
        const Box box = *widest;
        const int axis = box.axis;
        std::sort(colours.begin() + std::ptrdiff_t(box.begin),
                  colours.begin() + std::ptrdiff_t(box.end),
                  [axis](const Colour &a, const Colour &b) {
                      const int ca = channel(a.rgb, axis);
                      const int cb = channel(b.rgb, axis);
                      return ca != cb ? ca < cb : a.rgb < b.rgb;
                  });
        std::int64_t half = 0;
        std::size_t cut = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end - 1; ++i) {
            half += colours[i].count;
            cut = i + 1;
            if (2 * half >= box.pixels)
                break;
        }
        *widest = describe(colours, box.begin, cut);
        boxes.push_back(describe(colours, cut, box.end));
    }
    for (const Box &b : boxes)
        result.push_back(mean(std::span(colours).subspan(b.begin, b.end - b.begin)));
    return result;
}

// Moves each free entry to the mean of the colours nearest to it.
void refine(QList<QRgb> &palette, int firstFree, const std::vector<Colour> &colours)
{
    constexpr int kPasses = 4;
    for (int pass = 0; pass < kPasses; ++pass) {
        std::vector<std::vector<Colour>> members(std::size_t(palette.size()));
        for (const Colour &c : colours)
            members[std::size_t(nearest(palette, c.rgb))].push_back(c);
        for (int i = firstFree; i < int(palette.size()); ++i) {
            if (!members[std::size_t(i)].empty())
                palette[i] = mean(members[std::size_t(i)]);
        }
    }
}

} // namespace

IndexedImage quantize(const QImage &source, int paletteSize, std::span<const QRgb> leading,
                      std::span<const QRgb> keep, const std::vector<bool> &include)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    auto counted = [&](int x, int y) {
        return include.empty() || include[std::size_t(y) * std::size_t(w) + std::size_t(x)];
    };

    std::unordered_map<QRgb, std::int64_t> histogram;
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (counted(x, y))
                ++histogram[row[x] | 0xff000000u];
        }
    }
    std::vector<Colour> colours;
    colours.reserve(histogram.size());
    for (const auto &[rgb, count] : histogram)
        colours.push_back({rgb, count});
    // Most frequent first; ties by value, so that the result never depends on
    // the order of the hash table.
    std::sort(colours.begin(), colours.end(), [](const Colour &a, const Colour &b) {
        return a.count != b.count ? a.count > b.count : a.rgb < b.rgb;
    });

    QList<QRgb> palette;
    auto add = [&](QRgb c) {
        c |= 0xff000000u;
        if (!palette.contains(c) && palette.size() < paletteSize)
            palette.push_back(c);
    };
    for (QRgb c : leading)
        add(c);
    for (QRgb c : keep) {
        if (histogram.contains(c | 0xff000000u))
            add(c);
    }
    if (qsizetype(colours.size()) + palette.size() <= paletteSize) {
        for (const Colour &c : colours)
            add(c.rgb);
    } else {
        // A quarter of what is left goes to the colours that cover the most pixels
        // (flat fills), the rest to fitting the other colours.
        const qsizetype frequentSlots = (paletteSize - palette.size()) / 4;
        const std::int64_t minimumCount = std::max<std::int64_t>(8, std::int64_t(w) * h / 4000);
        for (qsizetype i = 0; i < qsizetype(colours.size()) && i < frequentSlots; ++i) {
            if (colours[std::size_t(i)].count < minimumCount)
                break;
            add(colours[std::size_t(i)].rgb);
        }
        const int firstFree = int(palette.size());
        std::vector<Colour> rest;
        for (const Colour &c : colours) {
            if (!palette.contains(c.rgb))
                rest.push_back(c);
        }
        for (QRgb c : medianCut(rest, paletteSize - firstFree))
            palette.push_back(c | 0xff000000u);
        refine(palette, firstFree, rest);
    }

    IndexedImage result;
    result.width = w;
    result.height = h;
    QHash<QRgb, std::uint8_t> index;
    for (int i = int(palette.size()) - 1; i >= 0; --i)
        index[palette[i]] = std::uint8_t(i); // the first of equal entries wins
    result.indices.resize(std::size_t(w) * std::size_t(h), 0);
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (!counted(x, y))
                continue;
            const QRgb c = row[x] | 0xff000000u;
            auto it = index.find(c);
            if (it == index.end())
                it = index.insert(c, std::uint8_t(nearest(palette, c)));
            result.indices[std::size_t(y) * std::size_t(w) + std::size_t(x)] = *it;
        }
    }
    while (palette.size() < paletteSize)
        palette.push_back(qRgb(0, 0, 0));
    result.palette = palette;
    return result;
}

} // namespace dalmiro::dib
