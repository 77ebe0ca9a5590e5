#include "component/render/RenderPage.h"

#include "component/document/Placeholders.h"
#include "component/render/HolderPicture.h"
#include "component/render/PagePlayback.h"
#include "component/render/RendererMessages.h"
#include "component/render/RendererState.h"
#include "component/render/Utilities.h"
#include "platform/host/Dialogs.h"

#include <QString>
#include <QtGlobal>

#include <exception>

namespace docuvel {
namespace {

gdi::Dc* gPictureSurface = nullptr;

constexpr std::int16_t kPageBreak = std::int16_t(RecordCode::PageBreak);
constexpr std::int16_t kEndOfDocument = std::int16_t(RecordCode::EndOfDocument);

bool endsPage(std::int16_t type) {
    return type == kPageBreak || type == kEndOfDocument;
}

// Position of the page's first record, or nothing when the header and page table cannot name one.
std::optional<std::int64_t> pageStart(RecordReader& file, RendererState& s) {
    if (s.pageCount < 1 || s.pageNumber < 1 || s.pageNumber > s.pageCount)
        return std::nullopt;
    const std::int64_t entry = pageTableEntryPosition(file.length(), s.pageCount, s.pageNumber);
    if (entry <= kHeaderSize)
        return std::nullopt;
    file.seek(entry);
    const std::int64_t start = file.readLong();
    if (start < kFirstPageStart || start > entry - 2)
        return std::nullopt;
    return start;
}

} // namespace

void showRendererMessage(const RendererMessage& message) {
    host::messageBox(nullptr,
                     {QString::fromUtf8(message.title.data(), qsizetype(message.title.size())),
                      QString::fromUtf8(message.text.data(), qsizetype(message.text.size())),
                      host::MsgIcon::Exclamation, host::MsgButtons::Ok});
}

void setPictureSurface(gdi::Dc* surface) {
    gPictureSurface = surface;
}
gdi::Dc* pictureSurface() {
    return gPictureSurface;
}

void RenderPage(gdi::Dc& targetDC, const std::string& documentPath, std::int16_t pageNumber,
                std::optional<std::int32_t> targetWidth, std::optional<std::int32_t> targetHeight) {
    // A message box runs a nested event loop, in which a window could ask for another page;
    // the shared state serves one page at a time, so such a request is refused.
    static bool rendering = false;
    if (rendering)
        return;
    // The surface is a context the caller owns and may end right after this page; it is not
    // kept past the page, so a later rendering never paints into a context that is gone.
    const struct Guard {
        Guard() { rendering = true; }
        ~Guard() {
            rendering = false;
            gPictureSurface = nullptr;
        }
    } guard;

    RendererState& s = rendererState();
    s.pageNumber = pageNumber;
    setCurrentPageNumber(pageNumber);
    s.targetDC = &targetDC;
    s.recording.reset();
    s.documentFile.reset();
    s.text.faceName.clear();
    s.text.rotation = 0;

    if (!FileExists(documentPath)) {
        showRendererMessage(kDocumentMissingMessage);
        return;
    }

    bool unknownDocument = false;
    try {
        RecordReader& file = s.documentFile.emplace(documentPath);
        file.seek(kPageCountPosition);
        s.pageCount = file.readInteger();
        s.pageWidth = file.readSingle();
        s.pageHeight = file.readSingle();
        const auto start = pageStart(file, s);
        if (!start) {
            unknownDocument = true;
        } else {
            file.seek(*start);
            s.recordType = file.readInteger();
            if (endsPage(s.recordType)) {
                s.documentFile.reset();
                return;
            }
            s.printer = printerDeviceCaps();
            s.targetWidth = targetWidth.value_or(s.printer.physicalWidth);
            s.targetHeight = targetHeight.value_or(s.printer.physicalHeight);
            for (;;) {
                if (!isRecordCode(s.recordType)) {
                    unknownDocument = true;
                    break;
                }
                if (!s.recording)
                    BeginPageRecording(s);
                s.x1 = s.y1 = s.x2 = s.y2 = s.x3 = s.y3 = 0;
                playRecord(s, file);
                s.recordType = file.readInteger();
                if (endsPage(s.recordType))
                    break;
            }
        }
    } catch (const DocumentIoError&) {
        // A record that runs past the end of the file, an absurd count or length, or a file
        // that ends before its page break: the file is not what its header says.
        unknownDocument = true;
    } catch (const std::exception& e) {
        // No room for a recording or a picture file: the page stops with what was played.
        qWarning("RenderPage: %s", e.what());
    }
    if (unknownDocument)
        showRendererMessage(kUnknownDocumentMessage);
    s.documentFile.reset();
    FinishPageRecording(s);
}

} // namespace docuvel
