#include "platform/gdi/FloodFill.h"

#include "platform/gdi/EmfPlayer.h"

#include <algorithm>
#include <utility>

namespace gdi {

Shadow::Shadow(QSize size, const Dc::State& owner)
    : image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32) {
    image.fill(Qt::white);
    dc = std::make_unique<Dc>(image, owner.caps);
    dc->state().logicalDpiX = owner.logicalDpiX;
    dc->state().logicalDpiY = owner.logicalDpiY;
    player = std::make_unique<EmfPlayer>(*dc);
}

Shadow::~Shadow() = default;

const QImage& shadowPixels(Dc::State& s) {
    if (!s.shadow) {
        // Some vector devices (pictures) only learn their size from what is drawn on them.
        QSize size = s.surface->deviceSize();
        if (size.isEmpty())
            size = QSize(s.caps.physicalWidth, s.caps.physicalHeight);
        s.shadow = std::make_unique<Shadow>(size, s);
    }
    Shadow& sh = *s.shadow;
    std::size_t end = sh.played;
    const QByteArray records = s.surface->recordedSince(sh.played, end);
    sh.player->play(records.constData(), std::size_t(records.size()));
    sh.played = end;
    return sh.image;
}

QRegion regionFromRows(int top, std::vector<std::vector<std::pair<int, int>>>& rows) {
    // Rows with the same spans one under another become one band: a y-x banded rectangle list.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> bandSpans;
    std::size_t bandStart = 0;
    int bandTop = -1, bandBottom = -2;
    const auto closeBand = [&] {
        for (std::size_t i = bandStart; i < rects.size(); ++i)
            rects[i].setBottom(bandBottom);
    };
    const int h = int(rows.size());
    for (int i = 0; i < h; ++i) {
        const int y = top + i;
        auto& spans = rows[std::size_t(i)];
        if (spans.empty())
            continue;
        std::sort(spans.begin(), spans.end());
        std::vector<std::pair<int, int>> merged;
        for (const auto& sp : spans) {
            if (!merged.empty() && sp.first <= merged.back().second + 1)
                merged.back().second = std::max(merged.back().second, sp.second);
            else
                merged.push_back(sp);
        }
        if (y == bandBottom + 1 && merged == bandSpans) {
            bandBottom = y;
            continue;
        }
        if (bandTop >= 0)
            closeBand();
        bandSpans = std::move(merged);
        bandStart = rects.size();
        bandTop = bandBottom = y;
        for (const auto& sp : bandSpans)
            rects.emplace_back(QPoint(sp.first, y), QPoint(sp.second, y));
    }
    if (bandTop >= 0)
        closeBand();
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

QRegion floodRegion(const QImage& image, QPoint seed, COLORREF borderColor) {
    const int w = image.width(), h = image.height();
    if (seed.x() < 0 || seed.y() < 0 || seed.x() >= w || seed.y() >= h)
        return {};
    const QRgb border =
        qRgb(GetRValue(borderColor), GetGValue(borderColor), GetBValue(borderColor)) & 0xFFFFFF;
    const QImage img = image.format() == QImage::Format_RGB32 ||
                               image.format() == QImage::Format_ARGB32 ||
                               image.format() == QImage::Format_ARGB32_Premultiplied
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    const auto isBorder = [&](int x, int y) {
        return (reinterpret_cast<const QRgb*>(img.constScanLine(y))[x] & 0xFFFFFF) == border;
    };
    if (isBorder(seed.x(), seed.y()))
        return {};

    std::vector<std::uint8_t> done(std::size_t(w) * std::size_t(h), 0);
    std::vector<std::vector<std::pair<int, int>>> rows;
    rows.resize(std::size_t(h));
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        const int y = p.y();
        std::uint8_t* row = done.data() + std::size_t(y) * std::size_t(w);
        if (row[p.x()] || isBorder(p.x(), y))
            continue;
        int x0 = p.x(), x1 = p.x();
        while (x0 > 0 && !row[x0 - 1] && !isBorder(x0 - 1, y))
            --x0;
        while (x1 + 1 < w && !row[x1 + 1] && !isBorder(x1 + 1, y))
            ++x1;
        std::fill(row + x0, row + x1 + 1, std::uint8_t(1));
        rows[std::size_t(y)].emplace_back(x0, x1);
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            const std::uint8_t* nrow = done.data() + std::size_t(ny) * std::size_t(w);
            bool inRun = false;
            for (int x = x0; x <= x1; ++x) {
                const bool open = !nrow[x] && !isBorder(x, ny);
                if (open && !inRun)
                    stack.emplace_back(x, ny);
                inRun = open;
            }
        }
    }

    return regionFromRows(0, rows);
}

} // namespace gdi
