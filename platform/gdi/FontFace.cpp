#include "platform/gdi/FontFace.h"

#include "platform/text/cp1252.h"

#include <QCoreApplication>
#include <QFont>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace gdi {
namespace {

// Default character height when a logical font asks for height 0.
constexpr double kDefaultEm = 13;

int readU16(const QByteArray& table, int offset, int fallback) {
    if (table.size() < offset + 2)
        return fallback;
    return (static_cast<unsigned char>(table[offset]) << 8) |
           static_cast<unsigned char>(table[offset + 1]);
}

int readS16(const QByteArray& table, int offset, int fallback) {
    if (table.size() < offset + 2)
        return fallback;
    return static_cast<std::int16_t>(readU16(table, offset, 0));
}

int roundHalfUp(double v) {
    return int(std::floor(v + 0.5));
}

// Resolved faces of this thread by everything that shapes them. A face is immutable once made,
// and reusing it keeps its glyph cache warm: a document asks for the same few fonts on every page.
// Faces belong to the thread that made them; the main thread's are let go with the application.
class FaceCache {
public:
    using Key = std::tuple<std::string, int, int, int, int, bool, bool, bool>;

    static FaceCache& current() {
        thread_local FaceCache cache;
        return cache;
    }

    std::shared_ptr<const FontFace> find(const Key& key) const {
        const auto it = faces_.find(key);
        return it == faces_.end() ? nullptr : it->second;
    }

    void insert(Key key, std::shared_ptr<const FontFace> face) {
        // Far more fonts than any page uses: start over rather than grow without bound.
        if (faces_.size() >= kLimit)
            faces_.clear();
        if (!releaseRegistered_ && QCoreApplication::instance()) {
            qAddPostRoutine([] {
                current().faces_.clear();
                current().releaseRegistered_ = false;
            });
            releaseRegistered_ = true;
        }
        faces_.emplace(std::move(key), std::move(face));
    }

private:
    static constexpr std::size_t kLimit = 256;
    std::map<Key, std::shared_ptr<const FontFace>> faces_;
    bool releaseRegistered_ = false;
};

FaceCache::Key cacheKey(const LogFont& lf) {
    return {lf.faceName, lf.height, lf.width,     lf.escapement,
            lf.weight,   lf.italic, lf.underline, lf.strikeOut};
}

} // namespace

QString FontFace::familyName(std::string_view faceName) {
    if (faceName == "\xAE")
        return QStringLiteral("Times New Roman");
    if (faceName == "\xAF")
        return QStringLiteral("Arial");
    if (faceName.empty())
        return QStringLiteral("Arial");
    return QString::fromStdString(cp1252::toUtf8(faceName));
}

std::shared_ptr<const FontFace> FontFace::resolve(const LogFont& lf) {
    FaceCache& cache = FaceCache::current();
    FaceCache::Key key = cacheKey(lf);
    if (auto face = cache.find(key))
        return face;
    auto face = make(lf);
    cache.insert(std::move(key), face);
    return face;
}

std::shared_ptr<const FontFace> FontFace::make(const LogFont& lf) {
    auto face = std::make_shared<FontFace>();
    QFont qfont(familyName(lf.faceName));
    const int weight = lf.weight <= 0 ? 400 : std::clamp(lf.weight, 100, 900);
    qfont.setWeight(QFont::Weight(weight));
    qfont.setItalic(lf.italic);
    qfont.setPixelSize(64);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setStyleStrategy(QFont::PreferOutline);
    face->raw = QRawFont::fromFont(qfont);

    // Windows measures a face by its OS/2 "win" ascent and descent; the Liberation faces carry
    // the same values as the faces they stand in for.
    const QByteArray os2 = face->raw.fontTable("OS/2");
    const QByteArray post = face->raw.fontTable("post");
    const double upem = face->raw.isValid() ? face->raw.unitsPerEm() : 2048;
    const int winAscent = readU16(os2, 74, int(upem * 0.9));
    const int winDescent = readU16(os2, 76, int(upem * 0.22));
    const int avgWidth = readS16(os2, 2, int(upem * 0.45));
    const int strikeSize = readS16(os2, 26, int(upem * 0.05));
    const int strikePos = readS16(os2, 28, int(upem * 0.26));
    const int underPos = readS16(post, 8, -int(upem * 0.1));
    const int underSize = readS16(post, 10, int(upem * 0.05));

    double em = kDefaultEm;
    if (lf.height < 0)
        em = -lf.height;
    else if (lf.height > 0)
        em = lf.height * upem / double(winAscent + winDescent);
    const double scale = em / upem;
    if (face->raw.isValid())
        face->raw.setPixelSize(em);

    const double naturalAvg = avgWidth * scale;
    if (lf.width != 0 && naturalAvg > 0)
        face->xScale = std::abs(lf.width) / naturalAvg;
    face->angle = lf.escapement / 10.0;

    TEXTMETRICA& m = face->metrics;
    m.tmAscent = roundHalfUp(winAscent * scale);
    m.tmDescent = roundHalfUp(winDescent * scale);
    m.tmHeight = m.tmAscent + m.tmDescent;
    m.tmInternalLeading = std::max(0, m.tmHeight - roundHalfUp(em));
    m.tmExternalLeading = 0;
    m.tmAveCharWidth = lf.width != 0 ? std::abs(lf.width) : roundHalfUp(naturalAvg);
    m.tmWeight = weight;
    m.tmItalic = lf.italic;
    m.tmUnderlined = lf.underline;
    m.tmStruckOut = lf.strikeOut;
    face->underlinePosition = -underPos * scale;
    face->underlineThickness = std::max(1.0, underSize * scale);
    face->strikeOutPosition = strikePos * scale;
    face->strikeOutThickness = std::max(1.0, strikeSize * scale);

    // One glyph per byte: Windows-1252 text needs no shaping, so its layout is a table lookup.
    std::array<QChar, 256> chars;
    for (int b = 0; b < 256; ++b)
        chars[b] = QChar(char16_t(cp1252::toCodePoint(static_cast<unsigned char>(b))));
    int count = 256;
    if (face->raw.isValid() &&
        face->raw.glyphIndexesForChars(chars.data(), 256, face->byteGlyphs_.data(), &count) &&
        count == 256) {
        std::array<QPointF, 256> adv;
        face->raw.advancesForGlyphIndexes(face->byteGlyphs_.data(), adv.data(), 256,
                                          QRawFont::UseDesignMetrics);
        int maxWidth = 0;
        for (int b = 0; b < 256; ++b) {
            face->byteAdvances_[b] = adv[b].x() * face->xScale;
            if (b >= 0x20)
                maxWidth = std::max(maxWidth, roundHalfUp(face->byteAdvances_[b]));
        }
        m.tmMaxCharWidth = maxWidth;
    }
    return face;
}

QString FontFace::decode(std::string_view bytes) const {
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (unsigned char b : bytes)
        text.append(QChar(char16_t(cp1252::toCodePoint(b))));
    return text;
}

void FontFace::advances(std::string_view bytes, std::vector<int>& dx) const {
    dx.resize(bytes.size());
    double at = 0;
    int placed = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        at += byteAdvances_[static_cast<unsigned char>(bytes[i])];
        const int next = roundHalfUp(at);
        dx[i] = next - placed;
        placed = next;
    }
}

double FontFace::exactWidth(std::string_view bytes) const {
    double w = 0;
    for (unsigned char b : bytes)
        w += byteAdvances_[b];
    return w;
}

int FontFace::width(std::string_view bytes) const {
    return roundHalfUp(exactWidth(bytes));
}

std::vector<quint32> FontFace::glyphs(const QString& text) const {
    std::vector<quint32> g(std::size_t(text.size()));
    int count = int(g.size());
    if (!g.empty() && raw.isValid())
        raw.glyphIndexesForChars(text.constData(), int(text.size()), g.data(), &count);
    g.resize(std::size_t(std::max(0, count)));
    return g;
}

void FontFace::advances(const QString& text, std::vector<int>& dx) const {
    const std::vector<quint32> g = glyphs(text);
    std::vector<QPointF> adv(g.size());
    if (!g.empty())
        raw.advancesForGlyphIndexes(g.data(), adv.data(), int(g.size()),
                                    QRawFont::UseDesignMetrics);
    dx.resize(g.size());
    double at = 0;
    int placed = 0;
    for (std::size_t i = 0; i < g.size(); ++i) {
        at += adv[i].x() * xScale;
        const int next = roundHalfUp(at);
        dx[i] = next - placed;
        placed = next;
    }
}

} // namespace gdi
