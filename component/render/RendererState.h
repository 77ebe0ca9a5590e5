#pragma once
// The renderer's one shared state: the page being rendered, the printer's metrics, the open
// recording, the record being processed and the drawing state carried from record to record.
// One instance for the whole component; one page is rendered at a time.

#include "component/document/DocumentFile.h"
#include "component/render/RenderGeometry.h"
#include "platform/gdi/DeviceCaps.h"
#include "platform/gdi/Gdi.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace docuvel {

enum class ClipShape : std::int16_t {
    None = 0,
    Rectangle = 1,
    RoundRectangle = 2,
    Ellipse = 3,
    Polygon = 4,
};

// The font fields of the text playback; the face is empty until a font record is played on the
// page, and the rotation is the escapement of the selected font in tenths of a degree.
struct TextState {
    std::string faceName;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::int32_t background = kTransparent;
    std::int32_t rotation = 0;
};

struct RendererState {
    // page
    gdi::Dc* targetDC = nullptr;
    std::optional<RecordReader> documentFile;
    std::int16_t pageNumber = 0;
    std::int16_t pageCount = 0;
    float pageWidth = 0;
    float pageHeight = 0;
    // Pixel size of the playback rectangle; wider than the original 16 bits so that a printer
    // sheet beyond 32767 pixels still fits.
    std::int32_t targetWidth = 0;
    std::int32_t targetHeight = 0;

    // printer
    gdi::DeviceCaps printer;

    // recording
    std::unique_ptr<gdi::Dc> recording; // null = no recording open
    std::unique_ptr<gdi::Dc> reference; // the printer's metrics, the recording's unit
    std::filesystem::path recordingFile;
    DeviceRect frame;
    DeviceRect playback;

    // record
    std::int16_t recordType = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0;
    std::vector<Point> polygon;
    std::vector<DevicePoint> devicePolygon;

    // pen
    float penWidth = 0; // points when read, device pixels once applied
    std::int32_t penColor = 0;

    // GDI objects created for the current page
    gdi::HPEN pen;
    gdi::HBRUSH brush;
    gdi::HFONT font;

    // fill
    std::int16_t fillStyle = 0;
    std::int32_t fillColor = 0;
    std::int32_t backgroundColor = kTransparent;

    // clip
    bool clipActive = false;
    ClipShape clipShape = ClipShape::None;
    std::int32_t frameWidth = 0;
    std::int32_t frameColor = 0;
    DeviceRect clipRect;
    std::int32_t cornerWidth = 0;
    std::int32_t cornerHeight = 0;
    std::vector<DevicePoint> clipPolygon;

    TextState text;
};

RendererState& rendererState();

// Converts the six coordinate slots and the polygon buffer of the state to printer pixels.
void MapToDevice(RendererState& state);
void MapToDevice();

} // namespace docuvel
