// Text: metrics, extents, TextOutA and DrawTextA, all laid out by the selected font's face.

#include "platform/gdi/DcState.h"
#include "platform/gdi/FontFace.h"

#include <algorithm>
#include <cmath>

namespace gdi {
namespace {

const FontFace& faceOf(const Dc& dc) {
    return *dc.state().gs.font->face;
}

struct Line {
    std::string text;
    int width = 0;
};

// Breaks one paragraph (no line breaks in it) at spaces so that each line fits `maxWidth`;
// the spaces at a break belong to neither line, and a word wider than the line stays whole.
void wrapParagraph(const FontFace& face, std::string_view p, int maxWidth, std::vector<Line>& out) {
    std::size_t start = 0;
    const std::size_t n = p.size();
    do {
        std::size_t i = start, lineEnd = start;
        double width = 0;
        bool any = false;
        while (i < n) {
            const std::size_t spaces = i;
            while (i < n && p[i] == ' ')
                ++i;
            const std::size_t word = i;
            while (i < n && p[i] != ' ')
                ++i;
            const double more = face.exactWidth(p.substr(spaces, i - spaces));
            if (!any) {
                any = true;
                width = more;
                lineEnd = i;
            } else if (word == i) {
                break; // trailing spaces
            } else if (std::floor(width + more + 0.5) <= maxWidth) {
                width += more;
                lineEnd = i;
            } else {
                i = word;
                break;
            }
        }
        const std::string_view line = p.substr(start, lineEnd - start);
        out.push_back(Line{std::string(line), face.width(line)});
        start = i;
    } while (start < n);
}

std::vector<Line> layoutLines(const FontFace& face, std::string_view text, int maxWidth,
                              unsigned format) {
    std::vector<Line> lines;
    if (text.empty())
        return lines;
    if (format & DT_SINGLELINE) {
        std::string one;
        one.reserve(text.size());
        for (char c : text)
            if (c != '\r' && c != '\n')
                one += c;
        const int w = face.width(one);
        lines.push_back(Line{std::move(one), w});
        return lines;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        const std::string_view paragraph = text.substr(pos, stop - pos);
        if (format & DT_WORDBREAK)
            wrapParagraph(face, paragraph, maxWidth, lines);
        else
            lines.push_back(Line{std::string(paragraph), face.width(paragraph)});
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

} // namespace

bool GetTextMetricsA(const Dc& dc, TEXTMETRICA* metrics) {
    if (!metrics)
        return false;
    *metrics = faceOf(dc).metrics;
    return true;
}

bool GetTextExtentPoint32A(const Dc& dc, std::string_view text, SIZE* size) {
    if (!size)
        return false;
    const FontFace& face = faceOf(dc);
    *size = SIZE{face.width(text), face.metrics.tmHeight};
    return true;
}

bool TextOutA(Dc& dc, int x, int y, std::string_view text) {
    auto& s = dc.state();
    if (!s.surface)
        return false;
    const FontFace& face = faceOf(dc);
    TextRun run;
    run.ref = QPoint(x, y);
    run.text = face.decode(text);
    face.advances(text, run.dx);
    s.surface->text(s, run);
    return true;
}

int DrawTextA(Dc& dc, std::string_view text, RECT* rect, unsigned format) {
    if (!rect)
        return 0;
    auto& s = dc.state();
    const FontFace& face = faceOf(dc);
    const int lineHeight = face.metrics.tmHeight;
    const std::vector<Line> lines = layoutLines(face, text, rect->right - rect->left, format);
    const int height = int(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, l.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    if (!s.surface)
        return 0;
    const unsigned keepAlign = std::exchange(s.gs.textAlign, TA_LEFT | TA_TOP);
    const QRect clip(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1));
    int y = rect->top;
    for (const Line& l : lines) {
        int x = rect->left;
        if (format & DT_CENTER)
            x = (rect->left + rect->right - l.width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - l.width;
        TextRun run;
        run.ref = QPoint(x, y);
        run.text = face.decode(l.text);
        face.advances(l.text, run.dx);
        if (!(format & DT_NOCLIP)) {
            run.options = ETO_CLIPPED;
            run.rect = clip;
        }
        s.surface->text(s, run);
        y += lineHeight;
    }
    s.gs.textAlign = keepAlign;
    return height;
}

namespace internal {
void extTextOut(Dc& dc, const TextRun& run) {
    auto& s = dc.state();
    if (s.surface)
        s.surface->text(s, run);
}
} // namespace internal

} // namespace gdi
