#pragma once
// Small documents written record by record, and what tests read back from rendered images.

#include "component/document/DocumentFile.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace docuvel::test {

inline std::filesystem::path uniquePath(const std::string& stem, const std::string& ext) {
    static std::atomic<int> counter{0};
    return std::filesystem::temp_directory_path() /
           (stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ext);
}

// A document of one or more pages, finished by path().
class TestDocument {
public:
    explicit TestDocument(float pageWidth = 1, float pageHeight = 1)
        : path_(uniquePath("render-test", ".doc")),
          file_(DocumentFile::create(path_, header(pageWidth, pageHeight))) {}
    ~TestDocument() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    TestDocument(const TestDocument&) = delete;
    TestDocument& operator=(const TestDocument&) = delete;

    TestDocument& pen(float points, std::int32_t colour = 0) {
        file_.append(RecordCode::Pen, {points, colour, std::int16_t(0)});
        return *this;
    }
    TestDocument& fill(std::int16_t style, std::int32_t colour, std::int32_t background = 1) {
        file_.append(RecordCode::Fill, {style, colour, background});
        return *this;
    }
    TestDocument& font(std::string_view name, float size, std::string_view style = "",
                       std::int32_t colour = 0, std::int32_t background = 1) {
        file_.append(RecordCode::Font, {name, size, style, colour, background});
        return *this;
    }
    TestDocument& box(RecordCode code, float x1, float y1, float x2, float y2) {
        file_.append(code, {x1, y1, x2, y2});
        return *this;
    }
    TestDocument& line(float x1, float y1, float x2, float y2) {
        return box(RecordCode::Line, x1, y1, x2, y2);
    }
    TestDocument& text(float x, float y, std::string_view s, std::int16_t alignment = 1,
                       std::int16_t baseLine = 4, float maxWidth = 0) {
        file_.append(RecordCode::Text, {x, y, maxWidth, alignment, s, baseLine});
        return *this;
    }
    TestDocument& wrapText(float x1, float y1, float x2, float y2, std::string_view s,
                           std::int16_t alignment = 1, std::int16_t baseLine = 1) {
        file_.append(RecordCode::WrapText, {x1, y1, x2, y2, alignment, s, baseLine});
        return *this;
    }
    TestDocument& rotatedText(float x, float y, std::string_view s, std::int16_t angle,
                              std::int16_t alignment = 1) {
        file_.append(RecordCode::RotatedText, {x, y, alignment, s, angle});
        return *this;
    }
    // A picture record carrying the bytes of the file at `picture`.
    TestDocument& picture(float x1, float y1, float x2, float y2,
                          const std::filesystem::path& picture) {
        FileHandle in(std::fopen(picture.string().c_str(), "rb"));
        if (!in)
            throw DocumentIoError("cannot open " + picture.string());
        const auto length = std::int32_t(std::filesystem::file_size(picture));
        file_.append(RecordCode::Picture, {x1, y1, x2, y2, ByteSource{in.get(), length}});
        return *this;
    }
    TestDocument& record(std::int16_t code, std::initializer_list<Field> fields = {}) {
        file_.append(code, std::span<const Field>(fields.begin(), fields.size()));
        return *this;
    }
    TestDocument& newPage() {
        file_.append(RecordCode::PageBreak, {});
        starts_.push_back(std::int32_t(file_.length() + 1));
        return *this;
    }

    // Finishes the file on first use.
    const std::string path() {
        if (!finished_) {
            file_.finish(starts_);
            finished_ = true;
        }
        return path_.string();
    }

private:
    static DocumentHeader header(float w, float h) {
        DocumentHeader hd;
        hd.pageWidth = w;
        hd.pageHeight = h;
        return hd;
    }

    std::filesystem::path path_;
    DocumentFile file_;
    std::vector<std::int32_t> starts_{kFirstPageStart};
    bool finished_ = false;
};

inline bool isInk(QRgb c, QRgb paper) {
    return c != paper;
}

// Bounding box of every pixel that differs from the paper colour.
inline QRect inkBounds(const QImage& image, QRgb paper = qRgb(255, 255, 255),
                       QRect within = QRect()) {
    if (within.isNull())
        within = image.rect();
    QRect r;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (isInk(image.pixel(x, y) | 0xFF000000u, paper | 0xFF000000u))
                r = r.united(QRect(x, y, 1, 1));
    return r;
}

inline int countColour(const QImage& image, QRgb colour, QRect within = QRect()) {
    if (within.isNull())
        within = image.rect();
    int n = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u))
                ++n;
    return n;
}

} // namespace docuvel::test
