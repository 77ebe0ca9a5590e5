// Enhanced metafiles: recording contexts, opening files, playing them stretched onto a rectangle.

#include "platform/gdi/EmfFormat.h"
#include "platform/gdi/EmfPlayer.h"
#include "platform/gdi/EmfRecorder.h"

#include <QFile>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gdi {

class EnhMetaFile {
public:
    explicit EnhMetaFile(QByteArray bytes) : data(std::move(bytes)) {}
    QByteArray data;
};

namespace {

bool validHeader(const QByteArray& data) {
    const emf::Reader r(data.constData(), std::size_t(data.size()));
    return data.size() >= 88 && r.u32(0) == std::uint32_t(emf::Record::Header) &&
           r.u32(40) == emf::kSignature && r.u32(4) >= 88 && r.u32(4) <= std::uint32_t(data.size());
}

struct Geometry {
    QRect bounds;       // device units, inclusive
    QRect frame;        // 0.01 mm, inclusive
    QSize device;       // pixels
    QSize millimeters;  // millimetres
    QSizeF micrometers; // more precise, when the header carries it
    double dpiX = 96, dpiY = 96;
};

Geometry readGeometry(const QByteArray& data) {
    const emf::Reader r(data.constData(), std::size_t(data.size()));
    Geometry g;
    g.bounds = QRect(QPoint(r.i32(8), r.i32(12)), QPoint(r.i32(16), r.i32(20)));
    g.frame = QRect(QPoint(r.i32(24), r.i32(28)), QPoint(r.i32(32), r.i32(36)));
    g.device = QSize(r.i32(72), r.i32(76));
    g.millimeters = QSize(r.i32(80), r.i32(84));
    g.micrometers = QSizeF(g.millimeters) * 1000;
    if (r.u32(4) >= emf::kHeaderSize && r.i32(100) > 0 && r.i32(104) > 0)
        g.micrometers = QSizeF(r.i32(100), r.i32(104));
    if (g.device.width() > 0 && g.micrometers.width() > 0)
        g.dpiX = g.device.width() / (g.micrometers.width() / 25400.0);
    if (g.device.height() > 0 && g.micrometers.height() > 0)
        g.dpiY = g.device.height() / (g.micrometers.height() / 25400.0);
    return g;
}

// Opens a recording file for writing from its start, created when missing. An empty file (the
// usual case: a fresh temporary name) is not truncated, because truncating makes ext4 write the
// file out on close, which a recording deleted right after playback does not need.
std::FILE* openRecordingFile(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || (st.st_size > 0 && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "w+b");
    if (!file)
        ::close(fd);
    return file;
}

} // namespace

std::unique_ptr<Dc> CreateEnhMetaFileA(const Dc* reference, const std::string& fileName,
                                       const RECT* frame, std::string_view description) {
    DeviceCaps caps;
    if (reference)
        caps = reference->caps();
    if (caps.logPixelsX <= 0 || caps.logPixelsY <= 0)
        return nullptr;
    QRect frameRect;
    if (frame) {
        frameRect = QRect(QPoint(frame->left, frame->top), QPoint(frame->right, frame->bottom));
    } else {
        frameRect = QRect(QPoint(0, 0),
                          QPoint(int(std::lround(caps.physicalWidth * 2540.0 / caps.logPixelsX)),
                                 int(std::lround(caps.physicalHeight * 2540.0 / caps.logPixelsY))));
    }
    std::FILE* file = openRecordingFile(fileName);
    if (!file)
        return nullptr;
    std::setvbuf(file, nullptr, _IOFBF, 1 << 16);
    RecordingFrame rf;
    rf.frame = frameRect;
    // The reference device's page: its physical size, or the frame when it has none.
    const double frameWidthPx = frameRect.right() / 2540.0 * caps.logPixelsX;
    const double frameHeightPx = frameRect.bottom() / 2540.0 * caps.logPixelsY;
    rf.device =
        QSize(caps.physicalWidth > 0 ? caps.physicalWidth : int(std::ceil(frameWidthPx)),
              caps.physicalHeight > 0 ? caps.physicalHeight : int(std::ceil(frameHeightPx)));
    rf.microns = QSizeF(rf.device.width() * 25400.0 / caps.logPixelsX,
                        rf.device.height() * 25400.0 / caps.logPixelsY);
    rf.description = std::string(description);
    std::unique_ptr<Dc> dc(new Dc());
    auto& s = dc->state();
    s.caps = caps;
    s.logicalDpiX = caps.logPixelsX;
    s.logicalDpiY = caps.logPixelsY;
    s.surface = makeFileRecorder(file, rf);
    // The recording's own path, for reading it back when it is closed.
    s.recordingPath = fileName;
    return dc;
}

HENHMETAFILE CloseEnhMetaFile(std::unique_ptr<Dc> recording) {
    if (!recording || recording->state().recordingPath.empty())
        return {};
    const std::string path = recording->state().recordingPath;
    const bool ok = finishFileRecorder(*recording->state().surface);
    recording.reset(); // closes the file
    if (!ok)
        return {};
    return GetEnhMetaFileA(path);
}

HENHMETAFILE GetEnhMetaFileA(const std::string& fileName) {
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = file.readAll();
    if (!validHeader(data))
        return {};
    return std::make_shared<const EnhMetaFile>(std::move(data));
}

bool DeleteEnhMetaFile(HENHMETAFILE& metafile) {
    const bool had = bool(metafile);
    metafile.reset();
    return had;
}

EnhMetaHeader GetEnhMetaFileHeader(const HENHMETAFILE& metafile) {
    EnhMetaHeader h;
    if (!metafile)
        return h;
    const Geometry g = readGeometry(metafile->data);
    h.bounds = RECT{g.bounds.left(), g.bounds.top(), g.bounds.right(), g.bounds.bottom()};
    h.frame = RECT{g.frame.left(), g.frame.top(), g.frame.right(), g.frame.bottom()};
    h.device = SIZE{g.device.width(), g.device.height()};
    h.millimeters = SIZE{g.millimeters.width(), g.millimeters.height()};
    const emf::Reader r(metafile->data.constData(), std::size_t(metafile->data.size()));
    h.records = r.u32(52);
    return h;
}

bool PlayEnhMetaFile(Dc& dc, const HENHMETAFILE& metafile, const RECT& rect) {
    auto& s = dc.state();
    if (!metafile || !s.surface)
        return false;
    const Geometry g = readGeometry(metafile->data);
    // The picture frame, in device units of the reference device, is what lands on the rectangle.
    QRectF source(QPointF(g.frame.left() * g.dpiX / 2540.0, g.frame.top() * g.dpiY / 2540.0),
                  QPointF(g.frame.right() * g.dpiX / 2540.0, g.frame.bottom() * g.dpiY / 2540.0));
    if (source.width() <= 0 || source.height() <= 0)
        source = QRectF(g.bounds.left(), g.bounds.top(), g.bounds.width(), g.bounds.height());
    if (source.width() <= 0 || source.height() <= 0)
        return false;
    const QTransform frameToRect =
        QTransform::fromTranslate(-source.left(), -source.top()) *
        QTransform::fromScale((rect.right - rect.left) / source.width(),
                              (rect.bottom - rect.top) / source.height()) *
        QTransform::fromTranslate(rect.left, rect.top);

    const GraphicsState keepState = s.gs;
    const QTransform keepBase = s.base;
    const std::optional<QRegion> keepOuter = s.outerClip;
    const double keepDpiX = s.logicalDpiX, keepDpiY = s.logicalDpiY;
    const bool keepInPath = s.inPath;
    const QPainterPath keepPath = s.path;

    s.outerClip = s.effectiveClip();
    s.base = frameToRect * s.toDevice();
    s.gs = internal::defaultGraphicsState();
    s.logicalDpiX = g.dpiX;
    s.logicalDpiY = g.dpiY;
    s.inPath = false;
    s.path = QPainterPath();
    s.clipChanged();
    {
        EmfPlayer player(dc);
        player.play(metafile->data.constData(), std::size_t(metafile->data.size()));
    }
    s.gs = keepState;
    s.base = keepBase;
    s.outerClip = keepOuter;
    s.logicalDpiX = keepDpiX;
    s.logicalDpiY = keepDpiY;
    s.inPath = keepInPath;
    s.path = keepPath;
    s.clipChanged();
    return true;
}

} // namespace gdi
