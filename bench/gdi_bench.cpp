// A dense page (thousands of shapes and text lines) at printer resolution: drawn straight with
// QPainter, against recorded into an enhanced metafile on disk and played onto the same target,
// once at 600 dpi (the printer) and once at preview size.

#include "platform/gdi/Gdi.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kDpi = 600;
constexpr int kPageWidth = 5100; // letter at 600 dpi
constexpr int kPageHeight = 6600;
constexpr int kShapes = 3000;
constexpr int kTextLines = 1500;

enum class Kind { Rectangle, Ellipse, Line, Triangle };

struct Shape {
    Kind kind;
    QRect box;
    int pen;
    gdi::COLORREF fill;
};

struct TextLine {
    QPoint at;
    std::string text;
};

struct Page {
    std::vector<Shape> shapes;
    std::vector<TextLine> lines;
};

const Page& densePage() {
    static const Page page = [] {
        Page p;
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> x(0, kPageWidth - 400), y(0, kPageHeight - 300),
            size(20, 300), pen(1, 12), colour(0, 0xFFFFFF), kind(0, 3);
        for (int i = 0; i < kShapes; ++i)
            p.shapes.push_back(Shape{Kind(kind(rng)), QRect(x(rng), y(rng), size(rng), size(rng)),
                                     pen(rng), gdi::COLORREF(colour(rng))});
        for (int i = 0; i < kTextLines; ++i)
            p.lines.push_back(
                TextLine{QPoint(x(rng), y(rng)),
                         "Line " + std::to_string(i) + ": General lighting 3 VA per square foot"});
        return p;
    }();
    return page;
}

QColor qcolor(gdi::COLORREF c) {
    return QColor(gdi::GetRValue(c), gdi::GetGValue(c), gdi::GetBValue(c));
}

// The page drawn straight with QPainter, scaled to the target.
void drawDirect(QPainter& p, double scale) {
    const Page& page = densePage();
    p.scale(scale, scale);
    for (const Shape& s : page.shapes) {
        p.setPen(QPen(Qt::black, s.pen));
        p.setBrush(qcolor(s.fill));
        switch (s.kind) {
        case Kind::Rectangle:
            p.drawRect(s.box);
            break;
        case Kind::Ellipse:
            p.drawEllipse(s.box);
            break;
        case Kind::Line:
            p.drawLine(s.box.topLeft(), s.box.bottomRight());
            break;
        case Kind::Triangle: {
            const QPoint tri[] = {s.box.bottomLeft(),
                                  s.box.topLeft() + QPoint(s.box.width() / 2, 0),
                                  s.box.bottomRight()};
            p.drawPolygon(tri, 3);
            break;
        }
        }
    }
    QFont font("Times New Roman");
    font.setPixelSize(83);
    p.setFont(font);
    p.setPen(Qt::black);
    for (const TextLine& l : page.lines)
        p.drawText(l.at + QPoint(0, 74), QString::fromLatin1(l.text));
}

// The same page through the graphics layer, as the renderer does it.
void drawThroughLayer(gdi::Dc& dc) {
    using namespace gdi;
    const Page& page = densePage();
    SetBkMode(dc, TRANSPARENT);
    HFONT font = CreateFontA(-83, 0, 0, 0, 400, false, false, false, DEFAULT_CHARSET, 0, 0,
                             PROOF_QUALITY, 0, "Times New Roman");
    SelectObject(dc, font);
    for (const Shape& s : page.shapes) {
        HPEN oldPen = SelectObject(dc, CreatePen(PS_SOLID, s.pen, 0));
        HBRUSH oldBrush = SelectObject(dc, CreateSolidBrush(s.fill));
        const QRect& b = s.box;
        switch (s.kind) {
        case Kind::Rectangle:
            Rectangle(dc, b.left(), b.top(), b.right() + 1, b.bottom() + 1);
            break;
        case Kind::Ellipse:
            Ellipse(dc, b.left(), b.top(), b.right() + 1, b.bottom() + 1);
            break;
        case Kind::Line:
            MoveToEx(dc, b.left(), b.top());
            LineTo(dc, b.right(), b.bottom());
            break;
        case Kind::Triangle: {
            const POINT tri[] = {{b.left(), b.bottom()},
                                 {b.left() + b.width() / 2, b.top()},
                                 {b.right(), b.bottom()}};
            Polygon(dc, tri);
            break;
        }
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    }
    for (const TextLine& l : page.lines)
        TextOutA(dc, l.at.x(), l.at.y(), l.text);
}

QGuiApplication& app() {
    static int argc = 1;
    static char name[] = "bench_gdi";
    static char* argv[] = {name, nullptr};
    static QGuiApplication instance(argc, argv);
    return instance;
}

QImage& target(int width, int height) {
    static QImage image;
    if (image.size() != QSize(width, height))
        image = QImage(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// state.range(0): target width in pixels (the page's height follows).
void BM_DirectQPainter(benchmark::State& state) {
    app();
    const int width = int(state.range(0));
    const int height = width * kPageHeight / kPageWidth;
    for (auto _ : state) {
        QImage& img = target(width, height);
        QPainter p(&img);
        drawDirect(p, double(width) / kPageWidth);
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}

void BM_RecordAndPlay(benchmark::State& state) {
    app();
    const int width = int(state.range(0));
    const int height = width * kPageHeight / kPageWidth;
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("page.emf").toStdString();
    gdi::DeviceCaps printerCaps;
    printerCaps.logPixelsX = printerCaps.logPixelsY = kDpi;
    printerCaps.physicalWidth = kPageWidth;
    printerCaps.physicalHeight = kPageHeight;
    const gdi::Dc printer(printerCaps);
    const gdi::RECT frame{0, 0, kPageWidth * 2540 / kDpi, kPageHeight * 2540 / kDpi};
    for (auto _ : state) {
        std::unique_ptr<gdi::Dc> rec = gdi::CreateEnhMetaFileA(&printer, path, &frame, "");
        drawThroughLayer(*rec);
        gdi::HENHMETAFILE mf = gdi::CloseEnhMetaFile(std::move(rec));
        QImage& img = target(width, height);
        {
            gdi::DeviceCaps caps = printerCaps;
            caps.logPixelsX = caps.logPixelsY = kDpi * width / kPageWidth;
            gdi::Dc dc(img, caps);
            gdi::PlayEnhMetaFile(dc, mf, gdi::RECT{0, 0, width, height});
        }
        gdi::DeleteEnhMetaFile(mf);
        benchmark::DoNotOptimize(img.constBits());
    }
}

BENCHMARK(BM_DirectQPainter)->Arg(kPageWidth)->Arg(816)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordAndPlay)->Arg(kPageWidth)->Arg(816)->Unit(benchmark::kMillisecond);

} // namespace
