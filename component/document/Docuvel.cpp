#include "component/document/Docuvel.h"

#include "component/document/Arguments.h"
#include "component/document/Environment.h"
#include "component/document/Palette.h"
#include "component/document/TextUtil.h"
#include "component/render/Utilities.h"
#include "component/typelib/Docuvel40Dispatch.h"
#include "platform/text/cp1252.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <system_error>

#include <sys/stat.h>

namespace docuvel {
namespace {

std::string padded(const std::string& value, std::size_t length) {
    const std::size_t n = cp1252::length(value);
    return n >= length ? value : value + std::string(length - n, ' ');
}

constexpr std::array<std::string_view, 8> kFillStyleNames = {
    "Solid",     "Transparent",        "Vertical Lines", "Horizontal Lines",
    "Gridlines", "Diagonal Gridlines", "Diagonal",       "Reverse Diagonal"};

} // namespace

std::optional<std::int16_t> fillStyleOfName(std::string_view lowerCaseName);

Docuvel::Docuvel(com::ServerLock& lock) : Object(lock) {
    initialize();
}

Docuvel::~Docuvel() {
    try {
        if (isTemporary()) {
            file_.reset();
            std::error_code ec;
            std::filesystem::remove(path_, ec);
        } else if (file_) {
            finishDocument();
        }
    } catch (...) {
        // A failing disk at release cannot be reported to anyone.
    }
}

void Docuvel::initialize() {
    if (printerDeviceName().empty())
        fail(163);
    std::filesystem::path path;
    try {
        path = MakeTempFileName();
    } catch (const std::system_error&) {
        fail(kDeviceIoError);
    }
    DocumentHeader header;
    DocumentFile file = [&] {
        try {
            return DocumentFile::create(path, header);
        } catch (const DocumentIoError&) {
            std::error_code ec;
            std::filesystem::remove(path, ec);
            fail(kDeviceIoError);
        }
    }();
    // The abandoned document of a second initialisation is closed; its temporary file goes.
    if (file_) {
        try {
            if (isTemporary())
                file_.reset();
            else
                finishDocument();
        } catch (...) {
        }
    }
    if (!path_.empty() && isTemporary()) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    path_ = std::move(path);
    file_.emplace(std::move(file));
    pageCount_ = 1;
    pageStarts_ = {kFirstPageStart};
    pageWidth_ = header.pageWidth;
    pageHeight_ = header.pageHeight;
    title_ = header.title;
    author_ = header.author;
    comment_ = header.comment;
    fontEmitted_ = penEmitted_ = fillEmitted_ = false;
    clipping_ = false;
    unit_ = Unit::Inches;
    font_ = {};
    pen_ = {};
    fill_ = {};
    preview_ = {};
    lastBaseLine_ = lastAlignment_ = 0;
    polygon_.clear();
}

void Docuvel::Class_Initialize() {
    initialize();
}

bool Docuvel::isTemporary() const {
    const std::string lower = lowerAscii(path_.string());
    const std::string marker = std::string(1, std::filesystem::path::preferred_separator) + "dvc";
    return lower.find(marker) != std::string::npos && lower.find(".tmp") != std::string::npos;
}

// ---- the document file ----

void Docuvel::append(RecordCode code, std::initializer_list<Field> fields) {
    try {
        file_->append(code, fields);
    } catch (const DocumentIoError&) {
        fail(kDeviceIoError);
    }
}

void Docuvel::writeHeaderText(int position, const std::string& value) {
    try {
        file_->writeTextAt(position, cp1252::fromUtf8(value));
    } catch (const DocumentIoError&) {
        fail(kDeviceIoError);
    }
}

void Docuvel::writeHeaderSingle(int position, float value) {
    try {
        file_->writeSingleAt(position, value);
    } catch (const DocumentIoError&) {
        fail(kDeviceIoError);
    }
}

void Docuvel::finishDocument() {
    if (!file_)
        return;
    StopClipping();
    try {
        file_->finish(pageStarts_);
    } catch (const DocumentIoError&) {
        file_.reset();
        fail(kDeviceIoError);
    }
    file_.reset();
}

void Docuvel::ensureOpen() {
    if (!file_ && !path_.empty())
        reopen(path_);
}

// Errors 192 to 195 for a file that cannot be opened as a document.
static void checkOpenable(const std::filesystem::path& path) {
    if (const auto fault = checkDocumentFile(path)) {
        switch (*fault) {
        case OpenFault::EmptyPath:
            fail(192);
        case OpenFault::Missing:
            fail(193);
        case OpenFault::TooShort:
            fail(194);
        case OpenFault::NotDocument:
            fail(195);
        }
    }
}

void Docuvel::reopen(const std::filesystem::path& path) {
    checkOpenable(path);
    std::optional<DocumentFile::Reopened> reopened;
    try {
        reopened.emplace(DocumentFile::reopen(path));
    } catch (const DocumentIoError&) {
        fail(kDeviceIoError);
    }
    clipping_ = false;
    path_ = path;
    file_.emplace(std::move(reopened->file));
    pageCount_ = reopened->header.pageCount;
    pageStarts_ = std::move(reopened->pageStarts);
    pageWidth_ = reopened->header.pageWidth;
    pageHeight_ = reopened->header.pageHeight;
    title_ = cp1252::toUtf8(reopened->header.title);
    author_ = cp1252::toUtf8(reopened->header.author);
    comment_ = cp1252::toUtf8(reopened->header.comment);
    // The client's settings carry over into the reopened document.
    writeFont(font_);
    writePen(pen_);
    writeFill(fill_);
}

void Docuvel::OpenDoc(const std::string& FilePath) {
    // The object's own working document is read as a finished one.
    std::error_code ec;
    if (file_ && std::filesystem::equivalent(FilePath, path_, ec))
        finishDocument();
    checkOpenable(FilePath);
    if (file_) {
        // A temporary document left for another has no owner any more.
        const bool temporary = isTemporary();
        finishDocument();
        if (temporary) {
            std::error_code ec;
            std::filesystem::remove(path_, ec);
        }
    }
    reopen(FilePath);
}

void Docuvel::SaveDoc(const std::string& FilePath, const Variant& OverwriteOption) {
    ensureOpen();
    if (std::filesystem::path(FilePath) == path_)
        return;
    if (!OverwriteOption.isMissing() && !OverwriteOption.isBoolean())
        fail(210);
    const bool overwrite = OverwriteOption.boolean().value_or(false);
    if (trimSpaces(FilePath).empty())
        fail(211);
    const std::filesystem::path target(FilePath);
    std::error_code ec;
    if (std::filesystem::exists(target, ec)) {
        if (!overwrite)
            fail(212);
        std::filesystem::remove(target, ec);
        if (std::filesystem::exists(target, ec))
            fail(213);
    }
    const std::filesystem::path old = path_;
    const bool temporary = isTemporary();
    try {
        file_->close();
    } catch (const DocumentIoError&) {
        file_.reset();
        fail(kDeviceIoError);
    }
    file_.reset();
    if (!std::filesystem::copy_file(old, target, ec)) {
        // The document stays where it was, still open.
        std::filesystem::remove(target, ec);
        file_.emplace(DocumentFile::openForAppend(old));
        com::raise(76, "Path not found");
    }
    // The working file is private to its owner; a saved document gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    std::filesystem::permissions(target, std::filesystem::perms(0666 & ~mask), ec);
    bool oldFinished = true;
    if (temporary) {
        std::filesystem::remove(old, ec);
    } else {
        // A named document left behind stays a complete document, as it stands now.
        try {
            DocumentFile previous = DocumentFile::openForAppend(old);
            if (clipping_)
                previous.append(RecordCode::StopClipping, {});
            previous.finish(pageStarts_);
        } catch (const DocumentIoError&) {
            oldFinished = false;
        }
    }
    path_ = target;
    try {
        file_.emplace(DocumentFile::openForAppend(path_));
    } catch (const DocumentIoError&) {
        fail(kDeviceIoError);
    }
    if (!oldFinished)
        fail(kDeviceIoError);
}

// ---- header properties ----

namespace {

void setPaddedText(const std::string& value, std::size_t length, int error, std::string& field,
                   const std::function<void(const std::string&)>& write) {
    if (cp1252::length(value) > length)
        fail(error);
    if (value.empty())
        return;
    const std::string p = padded(value, length);
    write(p);
    field = p;
}

} // namespace

std::string Docuvel::get_Title() {
    return trimSpaces(title_);
}
std::string Docuvel::get_Author() {
    return trimSpaces(author_);
}
std::string Docuvel::get_Comment() {
    return trimSpaces(comment_);
}

void Docuvel::let_Title(const std::string& value) {
    ensureOpen();
    setPaddedText(value, kTitleLength, 160, title_,
                  [this](const std::string& p) { writeHeaderText(kTitlePosition, p); });
}

void Docuvel::let_Author(const std::string& value) {
    ensureOpen();
    setPaddedText(value, kAuthorLength, 201, author_,
                  [this](const std::string& p) { writeHeaderText(kAuthorPosition, p); });
}

void Docuvel::let_Comment(const std::string& value) {
    ensureOpen();
    setPaddedText(value, kCommentLength, 202, comment_,
                  [this](const std::string& p) { writeHeaderText(kCommentPosition, p); });
}

void Docuvel::let_PageWidth(float value) {
    ensureOpen();
    const float inches = in(value);
    writeHeaderSingle(kPageWidthPosition, inches);
    pageWidth_ = inches;
}

void Docuvel::let_PageHeight(float value) {
    ensureOpen();
    const float inches = in(value);
    writeHeaderSingle(kPageHeightPosition, inches);
    pageHeight_ = inches;
}

void Docuvel::let_UnitOfMeasure(std::int16_t value) {
    ensureOpen();
    if (!isUnit(value))
        fail(162);
    unit_ = static_cast<Unit>(value);
}

// ---- colour, style and size properties ----

void Docuvel::let_FillBackColor(std::int32_t value) {
    ensureOpen();
    if (!isColor(value))
        fail(175);
    SetFill({}, {}, Variant(value));
}

void Docuvel::let_FillBackColorName(const std::string& value) {
    ensureOpen();
    const auto color = paletteColorOf(value);
    if (!color)
        fail(176);
    SetFill({}, {}, Variant(*color));
}

std::string Docuvel::get_FillBackColorName() {
    return std::string(paletteName(fill_.background));
}

void Docuvel::let_FillForeColor(std::int32_t value) {
    ensureOpen();
    if (!isColor(value))
        fail(177);
    SetFill({}, Variant(value), {});
}

void Docuvel::let_FillForeColorName(const std::string& value) {
    ensureOpen();
    const auto color = paletteColorOf(value);
    if (!color)
        fail(178);
    SetFill({}, Variant(*color), {});
}

std::string Docuvel::get_FillForeColorName() {
    return std::string(paletteName(fill_.color));
}

void Docuvel::let_FillStyle(std::int16_t value) {
    ensureOpen();
    if (value < 1 || value > 8)
        fail(179);
    SetFill(Variant(value), {}, {});
}

void Docuvel::let_FillStyleName(const std::string& value) {
    ensureOpen();
    const auto style = fillStyleOfName(lowerAscii(value));
    if (!style)
        fail(180);
    SetFill(Variant(*style), {}, {});
}

std::string Docuvel::get_FillStyleName() {
    return std::string(kFillStyleNames.at(std::size_t(fill_.style - 1)));
}

void Docuvel::let_FontBackColor(std::int32_t value) {
    ensureOpen();
    if (!isColor(value))
        fail(181);
    SetFont({}, {}, {}, {}, Variant(value));
}

void Docuvel::let_FontBackColorName(const std::string& value) {
    ensureOpen();
    const auto color = paletteColorOf(value);
    if (!color)
        fail(182);
    SetFont({}, {}, {}, {}, Variant(*color));
}

std::string Docuvel::get_FontBackColorName() {
    return std::string(paletteName(font_.background));
}

void Docuvel::let_FontForeColor(std::int32_t value) {
    ensureOpen();
    if (!isColor(value))
        fail(183);
    SetFont({}, {}, {}, Variant(value), {});
}

void Docuvel::let_FontForeColorName(const std::string& value) {
    ensureOpen();
    const auto color = paletteColorOf(value);
    if (!color)
        fail(184);
    SetFont({}, {}, {}, Variant(*color), {});
}

std::string Docuvel::get_FontForeColorName() {
    return std::string(paletteName(font_.color));
}

void Docuvel::let_FontSize(float value) {
    ensureOpen();
    if (value < 4 || value > 2000)
        fail(186);
    SetFont({}, Variant(value), {}, {}, {});
}

void Docuvel::let_PenColor(std::int32_t value) {
    ensureOpen();
    if (!isColor(value))
        fail(203);
    SetPen({}, Variant(value));
}

void Docuvel::let_PenColorName(const std::string& value) {
    ensureOpen();
    const auto color = paletteColorOf(value);
    if (!color)
        fail(204);
    SetPen({}, Variant(*color));
}

std::string Docuvel::get_PenColorName() {
    return std::string(paletteName(pen_.color));
}

void Docuvel::let_PenWidth(float value) {
    ensureOpen();
    if (value <= -1 || (value > 0 && value < 0.25f))
        fail(205);
    if (value > 300)
        fail(206);
    SetPen(Variant(value), {});
}

// ---- preview options ----

void Docuvel::let_PreviewInitialZoom(std::int16_t value) {
    ensureOpen();
    if (value == -1) {
        preview_.initialZoom = -1;
        return;
    }
    if (value < 20 || value > 100 || value % 10 != 0)
        fail(226);
    preview_.initialZoom = float(value * 0.01);
}

std::int16_t Docuvel::get_PreviewInitialZoom() {
    if (preview_.initialZoom == -1)
        return -1;
    return std::int16_t(std::nearbyint(double(preview_.initialZoom) * 100));
}

void Docuvel::let_PreviewBackColor(std::int32_t value) {
    ensureOpen();
    if (!isColor(value))
        fail(207);
    preview_.backColor = value;
}

void Docuvel::let_PreviewBackColorName(const std::string& value) {
    ensureOpen();
    if (value.empty()) {
        preview_.backColor = 0;
        return;
    }
    if (lowerAscii(value) == "application workspace") {
        // The desktop's colour behind documents; the usual grey where no desktop says.
        std::int32_t color = rgb(171, 171, 171);
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            const QColor c = QGuiApplication::palette().color(QPalette::Dark);
            color = rgb(c.red(), c.green(), c.blue());
        }
        preview_.backColor = color;
        return;
    }
    const auto color = paletteColorOf(value);
    if (!color)
        fail(208);
    preview_.backColor = *color;
}

void Docuvel::let_PreviewCaption(const std::string& value) {
    ensureOpen();
    if (cp1252::length(value) > 255 || trimSpaces(value).empty())
        fail(161);
    preview_.caption = value;
}

void Docuvel::let_PreviewToolbarLocation(std::int16_t value) {
    ensureOpen();
    if (value != 1 && value != 2)
        fail(209);
    preview_.toolbarLocation = value;
}

void Docuvel::let_PreviewCanChangeDocInfo(bool value) {
    ensureOpen();
    preview_.canChangeDocInfo = value;
}
void Docuvel::let_PreviewAutoHideToolbar(bool value) {
    ensureOpen();
    preview_.autoHideToolbar = value;
}
void Docuvel::let_PreviewAutoScroll(bool value) {
    ensureOpen();
    preview_.autoScroll = value;
}
void Docuvel::let_PreviewDocInfoButton(bool value) {
    ensureOpen();
    preview_.docInfoButton = value;
}
void Docuvel::let_PreviewPrintButton(bool value) {
    ensureOpen();
    preview_.printButton = value;
}
void Docuvel::let_PreviewSlowDrag(bool value) {
    ensureOpen();
    preview_.slowDrag = value;
}
void Docuvel::let_PreviewSaveOpenButtons(bool value) {
    ensureOpen();
    preview_.saveOpenButtons = value;
}

com::CallResult Docuvel::invoke(std::string_view name, com::InvokeKind kind,
                                std::span<Variant> args) noexcept {
    return docuvel40Dispatch().invoke(*this, name, kind, args);
}

} // namespace docuvel
