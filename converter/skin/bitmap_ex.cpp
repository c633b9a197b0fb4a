#include "converter/skin/bitmap_ex.h"

#include <utility>
#include <vector>

CBitmapEx::CBitmapEx(const QImage& image) {
    if (image.isNull()) return;
    // Pictures are opaque: converting drops alpha and keeps the colour values.
    m_image = image.format() == QImage::Format_RGB32 ? image
                                                     : image.convertToFormat(QImage::Format_RGB32);
}

QImage KeyColourCleared(const QImage& picture) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (kSkinKeyColor & 0xFFFFFF)) row[x] = 0;
    }
    return keyed;
}

bool ExtractFrame(const CBitmapEx& source, int frame, CBitmapEx& destination) {
    const int width = source.Width();
    const int left = ((frame - 1) * width) / 4;
    destination = CBitmapEx(source.Image().copy(left, 0, width / 4, source.Height()));
    return true;
}

namespace {

// A run of shape pixels in one row, [begin, end).
using Run = std::pair<int, int>;

bool IsRegionKey(QRgb pixel) {
    return qRed(pixel) == 255 && qBlue(pixel) == 255 && qGreen(pixel) <= 16;
}

void FindRuns(const QRgb* row, int width, std::vector<Run>& runs) {
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && IsRegionKey(row[x])) ++x;
        if (x == width) break;
        const int begin = x;
        while (x < width && !IsRegionKey(row[x])) ++x;
        runs.emplace_back(begin, x);
    }
}

// Collects the rectangles of the shape in the order QRegion::setRects wants
// (rows top to bottom, runs left to right, no two touching in a row) and turns
// them into a region a batch at a time, so a large picture costs a few region
// merges instead of one per run. Rows with the same runs as the row above grow
// the band above, which keeps the rectangle count low and the region canonical.
class RegionBuilder {
public:
    void AddRow(int y, const std::vector<Run>& runs) {
        if (m_bandHeight > 0 && runs == m_band && m_bandTop + m_bandHeight == y) {
            ++m_bandHeight;
            return;
        }
        FlushBand();
        m_band = runs;
        m_bandTop = y;
        m_bandHeight = 1;
    }

    QRegion Finish() {
        FlushBand();
        FlushBatch();
        return m_result;
    }

private:
    static constexpr size_t kBatchSize = 2000;

    void FlushBand() {
        if (m_bandHeight == 0) return;
        if (m_batch.size() + m_band.size() > kBatchSize) FlushBatch();
        for (const auto& [begin, end] : m_band)
            m_batch.emplace_back(begin, m_bandTop, end - begin, m_bandHeight);
        m_band.clear();
        m_bandHeight = 0;
    }

    void FlushBatch() {
        if (m_batch.empty()) return;
        QRegion part;
        part.setRects(m_batch.data(), static_cast<int>(m_batch.size()));
        m_result += part;
        m_batch.clear();
    }

    std::vector<Run> m_band;
    int m_bandTop = 0;
    int m_bandHeight = 0;
    std::vector<QRect> m_batch;
    QRegion m_result;
};

}  // namespace

QRegion MakeRegion(const CBitmapEx& bitmap) {
    if (bitmap.IsNull()) return {};
    const QImage& image = bitmap.Image();
    RegionBuilder builder;
    std::vector<Run> runs;
    for (int y = 0; y < image.height(); ++y) {
        FindRuns(reinterpret_cast<const QRgb*>(image.constScanLine(y)), image.width(), runs);
        builder.AddRow(y, runs);
    }
    return builder.Finish();
}
