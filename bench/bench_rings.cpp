// Rendering all 45 ring images of the board page (15 rings, each idle, active and lit)
// from the photograph beneath them, and decoding and stretching the photograph.

#include "SetupCtrls/RingRender.h"
#include "toolkit/Jpeg.h"

#include <QFile>
#include <QRect>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Ring
{
    QRect place; // in the 400 x 399 stretched picture
    bool options; // blue information ring; otherwise yellow settings ring
};

const Ring kRings[] = {
    {{314, 77, 36, 54}, false},  {{311, 131, 32, 61}, false}, {{319, 198, 26, 56}, false},
    {{60, 147, 27, 38}, false},  {{59, 193, 25, 33}, false},  {{58, 228, 26, 35}, false},
    {{59, 269, 25, 38}, false},  {{32, 67, 48, 21}, false},   {{30, 115, 41, 41}, false},
    {{362, 273, 40, 29}, false}, {{88, 0, 249, 54}, true},    {{1, 200, 51, 53}, true},
    {{53, 344, 254, 55}, true},  {{364, 301, 23, 38}, true},  {{316, 315, 34, 23}, false},
};

constexpr TColor kSettingsColour = 0x00FFFF;
constexpr TColor kOptionsColour = 0xFF0000;

QByteArray photographBytes()
{
    QFile file(QStringLiteral(BOARD_JPEG));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage stretchedPhotograph()
{
    return Jpeg::decode(photographBytes())
        .scaled(400, 399, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void renderAllRings(benchmark::State& state)
{
    const QImage board = stretchedPhotograph();
    std::vector<QImage> backgrounds;
    for (const Ring& ring : kRings)
        backgrounds.push_back(board.copy(ring.place));
    for (auto _ : state) {
        for (std::size_t i = 0; i < std::size(kRings); ++i) {
            const bool options = kRings[i].options;
            const TColor colour = options ? kOptionsColour : kSettingsColour;
            QImage idle = backgrounds[i], active = backgrounds[i], lit = backgrounds[i];
            RenderRing(idle, colour, options ? 0.25f : 0.5f, false);
            RenderRing(active, colour, 1.0f, true);
            RenderRing(lit, colour, options ? 0.5f : 0.75f, false);
            benchmark::DoNotOptimize(idle.constBits());
            benchmark::DoNotOptimize(active.constBits());
            benchmark::DoNotOptimize(lit.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * 3 * std::int64_t(std::size(kRings)));
}
BENCHMARK(renderAllRings)->Unit(benchmark::kMicrosecond);

void decodePhotograph(benchmark::State& state)
{
    const QByteArray bytes = photographBytes();
    for (auto _ : state) {
        QImage image = Jpeg::decode(bytes);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(decodePhotograph)->Unit(benchmark::kMicrosecond);

void stretchPhotograph(benchmark::State& state)
{
    const QImage photograph = Jpeg::decode(photographBytes());
    for (auto _ : state) {
        QImage image = photograph.scaled(400, 399, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(stretchPhotograph)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
