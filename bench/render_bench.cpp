// A 100-page report-like document rendered to PDF and to preview-sized images through the
// renderer, beside drawing the same primitives straight onto the same devices with QPainter.

#include "component/document/DocumentFile.h"
#include "component/render/RenderPage.h"
#include "platform/gdi/Gdi.h"
#include "platform/host/ScriptedDialogs.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kPages = 100;
constexpr int kLinesPerPage = 45;
constexpr float kPageWidth = 8.5f;
constexpr float kPageHeight = 11.0f;
constexpr int kDpi = 600;
constexpr int kPreviewWidth = 638; // about 75 dpi

std::string lineText(int page, int line) {
    return "Page " + std::to_string(page) + " line " + std::to_string(line) +
           "   General lighting load ........ 3 VA x 2000 sq ft    6000 VA";
}

// What each page holds, in inches: a frame, rules and lines of text.
struct Layout {
    static float textY(int line) { return 1.0f + 0.2f * float(line); }
};

std::filesystem::path benchDocument() {
    static const std::filesystem::path path = [] {
        const auto p = std::filesystem::temp_directory_path() /
                       ("bench-render-" + std::to_string(::getpid()) + ".doc");
        docuvel::DocumentHeader header;
        docuvel::DocumentFile file = docuvel::DocumentFile::create(p, header);
        std::vector<std::int32_t> starts{docuvel::kFirstPageStart};
        using docuvel::RecordCode;
        for (int page = 1; page <= kPages; ++page) {
            if (page > 1) {
                file.append(RecordCode::PageBreak, {});
                starts.push_back(std::int32_t(file.length() + 1));
            }
            file.append(RecordCode::Font, {std::string_view("Courier New"), 10.0f,
                                           std::string_view(""), std::int32_t(0), std::int32_t(1)});
            file.append(RecordCode::Pen, {1.0f, std::int32_t(0), std::int16_t(0)});
            file.append(RecordCode::Fill, {std::int16_t(2), std::int32_t(0), std::int32_t(1)});
            file.append(RecordCode::Rectangle, {0.5f, 0.5f, 8.0f, 10.5f});
            for (int line = 0; line < kLinesPerPage; ++line) {
                const std::string text = lineText(page, line);
                file.append(RecordCode::Text, {0.75f, Layout::textY(line), 0.0f, std::int16_t(1),
                                               std::string_view(text), std::int16_t(4)});
                if (line % 5 == 0)
                    file.append(RecordCode::Line, {0.75f, Layout::textY(line) + 0.05f, 7.75f,
                                                   Layout::textY(line) + 0.05f});
            }
        }
        file.finish(starts);
        return p;
    }();
    return path;
}

void drawDirect(QPainter& p, double scale, int page) {
    const double px = kDpi * scale;
    QFont font("Courier New");
    font.setPixelSize(int(std::lround(10.0 / 72 * px)));
    p.setFont(font);
    p.setPen(QPen(Qt::black, std::max(1.0, px / 72)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5 * px, 0.5 * px, 7.5 * px, 10 * px));
    for (int line = 0; line < kLinesPerPage; ++line) {
        const double y = Layout::textY(line) * px;
        p.drawText(QPointF(0.75 * px, y), QString::fromStdString(lineText(page, line)));
        if (line % 5 == 0)
            p.drawLine(QPointF(0.75 * px, y + 0.05 * px), QPointF(7.75 * px, y + 0.05 * px));
    }
}

gdi::DeviceCaps capsFor(int width, int height, int dpi) {
    gdi::DeviceCaps caps;
    caps.logPixelsX = caps.logPixelsY = dpi;
    caps.physicalWidth = width;
    caps.physicalHeight = height;
    return caps;
}

QString pdfPath() {
    return QString::fromStdString((std::filesystem::temp_directory_path() /
                                   ("bench-render-" + std::to_string(::getpid()) + ".pdf"))
                                      .string());
}

// Letter sheets at the printer's resolution, drawn edge to edge.
void setUpLetterPages(QPdfWriter& writer) {
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

void BM_RendererToPdf(benchmark::State& state) {
    const std::string doc = benchDocument().string();
    host::ScriptedDialogs dialogs;
    for (auto _ : state) {
        QPdfWriter writer(pdfPath());
        setUpLetterPages(writer);
        QPainter painter(&writer);
        const int w = int(kPageWidth * kDpi), h = int(kPageHeight * kDpi);
        gdi::Dc dc(painter, capsFor(w, h, kDpi));
        for (int page = 1; page <= kPages; ++page) {
            if (page > 1)
                writer.newPage();
            docuvel::RenderPage(dc, doc, std::int16_t(page), w, h);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPages);
}

void BM_DirectToPdf(benchmark::State& state) {
    for (auto _ : state) {
        QPdfWriter writer(pdfPath());
        setUpLetterPages(writer);
        QPainter painter(&writer);
        for (int page = 1; page <= kPages; ++page) {
            if (page > 1)
                writer.newPage();
            drawDirect(painter, 1, page);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPages);
}

void BM_RendererToPreview(benchmark::State& state) {
    const std::string doc = benchDocument().string();
    host::ScriptedDialogs dialogs;
    const int w = kPreviewWidth, h = int(std::lround(kPreviewWidth * kPageHeight / kPageWidth));
    QImage image(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        for (int page = 1; page <= kPages; ++page) {
            image.fill(Qt::white);
            gdi::Dc dc(image, capsFor(w, h, int(std::lround(w / kPageWidth))));
            docuvel::RenderPage(dc, doc, std::int16_t(page), w, h);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPages);
}

void BM_DirectToPreview(benchmark::State& state) {
    const int w = kPreviewWidth, h = int(std::lround(kPreviewWidth * kPageHeight / kPageWidth));
    QImage image(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        for (int page = 1; page <= kPages; ++page) {
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            drawDirect(painter, double(w) / (kPageWidth * kDpi), page);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPages);
}

BENCHMARK(BM_RendererToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RendererToPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectToPreview)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove(benchDocument(), ec);
    std::filesystem::remove(pdfPath().toStdString(), ec);
    return 0;
}
