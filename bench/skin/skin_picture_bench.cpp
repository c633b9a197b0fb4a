// How long the shape of a button strip and the corner-keeping stretch take.

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QRandomGenerator>

#include "converter/skin/bitmap_ex.h"
#include "converter/skin/skin_drawing.h"

namespace {

// A 400 x 100 strip of four rounded frames on magenta, as a skin would have.
CBitmapEx RoundedStrip() {
    QImage strip(400, 100, QImage::Format_RGB32);
    strip.fill(kSkinKeyColor);
    QPainter painter(&strip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(50, 100, 180));
    for (int frame = 0; frame < 4; ++frame) painter.drawRoundedRect(frame * 100, 0, 99, 99, 30, 30);
    return CBitmapEx(strip);
}

// The worst case: a key pixel about every third pixel, about 13,000 runs.
CBitmapEx RaggedStrip() {
    QImage strip(400, 100, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            strip.setPixel(x, y, random.bounded(3) == 0 ? kSkinKeyColor : qRgb(50, 100, 180));
    return CBitmapEx(strip);
}

void BM_MakeRegionRoundedStrip(benchmark::State& state) {
    const CBitmapEx strip = RoundedStrip();
    for (auto _ : state) benchmark::DoNotOptimize(MakeRegion(strip));
}
BENCHMARK(BM_MakeRegionRoundedStrip)->Unit(benchmark::kMicrosecond);

void BM_MakeRegionRaggedStrip(benchmark::State& state) {
    const CBitmapEx strip = RaggedStrip();
    for (auto _ : state) benchmark::DoNotOptimize(MakeRegion(strip));
}
BENCHMARK(BM_MakeRegionRaggedStrip)->Unit(benchmark::kMicrosecond);

void BM_BuildSkinBitmapPanel(benchmark::State& state) {
    const CBitmapEx source = RoundedStrip();
    for (auto _ : state) {
        CBitmapEx result;
        BuildSkinBitmap(30, result, source, 30, QRect(0, 0, 900, 600));
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_BuildSkinBitmapPanel)->Unit(benchmark::kMicrosecond);

// One repaint of a 900 x 600 skinned panel, stretching the picture anew
// (DrawSkin) against drawing the stretch built once for that size.
void BM_RepaintPanelStretchingEachTime(benchmark::State& state) {
    const CBitmapEx source = RoundedStrip();
    QImage target(900, 600, QImage::Format_RGB32);
    QPainter painter(&target);
    for (auto _ : state) DrawSkin(source, painter, 30, 30, target.rect());
}
BENCHMARK(BM_RepaintPanelStretchingEachTime)->Unit(benchmark::kMicrosecond);

void BM_RepaintPanelStretchedOnce(benchmark::State& state) {
    const CBitmapEx source = RoundedStrip();
    QImage target(900, 600, QImage::Format_RGB32);
    CBitmapEx stretched;
    BuildSkinBitmap(30, stretched, source, 30, target.rect());
    QPainter painter(&target);
    for (auto _ : state) DrawAt(target.rect(), stretched, painter);
}
BENCHMARK(BM_RepaintPanelStretchedOnce)->Unit(benchmark::kMicrosecond);

}  // namespace
