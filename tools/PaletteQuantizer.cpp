#include "PaletteQuantizer.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Sample
{
    int c[3];
    int count;
};

// Green counts most for the eye, blue least.
constexpr int weight[3] = {3, 4, 2};

int distance(const int* a, const int* b)
{
    int d = 0;
    for (int k = 0; k < 3; ++k)
        d += weight[k] * (a[k] - b[k]) * (a[k] - b[k]);
    return d;
}

struct Box
{
    int begin;
    int end; // exclusive, into the sample array
    int longest = 0;
    long long score = 0;
};

void measure(const QVector<Sample>& samples, Box& box)
{
    int lo[3] = {255, 255, 255};
    int hi[3] = {0, 0, 0};
    long long pixels = 0;
    for (int i = box.begin; i < box.end; ++i) {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], samples[i].c[k]);
            hi[k] = std::max(hi[k], samples[i].c[k]);
        }
        pixels += samples[i].count;
    }
    int best = -1;
    for (int k = 0; k < 3; ++k) {
        const int range = (hi[k] - lo[k]) * weight[k];
        if (range > best) {
            best = range;
            box.longest = k;
        }
    }
    // Wide boxes with many pixels are split first; a single colour never is.
    box.score =
        box.end - box.begin > 1 ? (long long)best * (long long)std::sqrt(double(pixels)) : -1;
}

} // namespace

QImage PaletteQuantizer::quantize(const QImage& source, int maxColors)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int total = image.width() * image.height();

    QHash<QRgb, int> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[line[x] | 0xFF000000u];
    }

    QVector<Sample> samples;
    samples.reserve(histogram.size());
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        samples.append({{qRed(it.key()), qGreen(it.key()), qBlue(it.key())}, it.value()});
    // Hash order changes from run to run; a fixed order keeps the output reproducible.
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) {
        if (a.count != b.count)
            return a.count > b.count;
        return std::lexicographical_compare(a.c, a.c + 3, b.c, b.c + 3);
    });

    QVector<std::array<int, 3>> palette;
    QVector<bool> fixed;
    if (samples.size() <= maxColors) {
        for (const Sample& s : samples) {
            palette.append({s.c[0], s.c[1], s.c[2]});
            fixed.append(true);
        }
    } else {
        // Large flat areas get their exact colour (samples are sorted by frequency).
        for (const Sample& s : samples) {
            if (palette.size() >= 24 || s.count * 100 < total)
                break;
            palette.append({s.c[0], s.c[1], s.c[2]});
            fixed.append(true);
        }

        QVector<Box> boxes{{0, int(samples.size())}};
        measure(samples, boxes[0]);
        while (palette.size() + boxes.size() < maxColors) {
            auto widest =
                std::max_element(boxes.begin(), boxes.end(),
                                 [](const Box& a, const Box& b) { return a.score < b.score; });
            if (widest->score < 0)
                break;
            Box box = *widest;
            const int k = box.longest;
            std::sort(samples.begin() + box.begin, samples.begin() + box.end,
                      [k](const Sample& a, const Sample& b) { return a.c[k] < b.c[k]; });
            long long half = 0;
            for (int i = box.begin; i < box.end; ++i)
                half += samples[i].count;
            half /= 2;
            int split = box.begin + 1;
            long long seen = samples[box.begin].count;
            while (split < box.end - 1 && seen < half)
                seen += samples[split++].count;
            Box low{box.begin, split};
            Box high{split, box.end};
            measure(samples, low);
            measure(samples, high);
            *widest = low;
            boxes.append(high);
        }
        for (const Box& box : boxes) {
            double sum[3] = {0, 0, 0};
            double n = 0;
            for (int i = box.begin; i < box.end; ++i) {
                for (int k = 0; k < 3; ++k)
                    sum[k] += double(samples[i].c[k]) * samples[i].count;
                n += samples[i].count;
            }
            palette.append({int(std::lround(sum[0] / n)), int(std::lround(sum[1] / n)),
                            int(std::lround(sum[2] / n))});
            fixed.append(false);
        }

        // k-means passes over the distinct colours, weighted by how often each occurs.
        QVector<int> nearest(samples.size());
        for (int pass = 0; pass < 12; ++pass) {
            QVector<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
            for (int i = 0; i < samples.size(); ++i) {
                int best = 0;
                int bestDistance = INT_MAX;
                for (int p = 0; p < palette.size(); ++p) {
                    const int d = distance(samples[i].c, palette[p].data());
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = p;
                    }
                }
                nearest[i] = best;
                for (int k = 0; k < 3; ++k)
                    sums[best][k] += double(samples[i].c[k]) * samples[i].count;
                sums[best][3] += samples[i].count;
            }
            for (int p = 0; p < palette.size(); ++p) {
                if (fixed[p] || sums[p][3] == 0)
                    continue;
                for (int k = 0; k < 3; ++k)
                    palette[p][k] = int(std::lround(sums[p][k] / sums[p][3]));
            }
        }
    }

    QVector<QRgb> colorTable;
    for (const auto& c : palette)
        colorTable.append(qRgb(c[0], c[1], c[2]));

    QImage result(image.size(), QImage::Format_Indexed8);
    result.setColorTable(colorTable);
    QHash<QRgb, int> lookup;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = result.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = line[x] | 0xFF000000u;
            auto found = lookup.constFind(rgb);
            if (found == lookup.cend()) {
                const int c[3] = {qRed(rgb), qGreen(rgb), qBlue(rgb)};
                int best = 0;
                int bestDistance = INT_MAX;
                for (int p = 0; p < palette.size(); ++p) {
                    const int d = distance(c, palette[p].data());
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = p;
                    }
                }
                found = lookup.insert(rgb, best);
            }
            out[x] = uchar(*found);
        }
    }
    return result;
}

double PaletteQuantizer::meanError(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            const int dr = qRed(p) - qRed(q);
            const int dg = qGreen(p) - qGreen(q);
            const int db = qBlue(p) - qBlue(q);
            sum += std::sqrt(double(dr * dr + dg * dg + db * db));
        }
    }
    return sum / (x.width() * x.height());
}
