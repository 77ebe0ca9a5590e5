#pragma once
// Docuvel, the document builder: its state, its properties and every member of _Docuvel. Each
// drawing member appends one record to the object's document file; the pen, fill and font
// properties call SetPen, SetFill and SetFont, which write the complete setting again.

#include "component/document/DocumentFile.h"
#include "component/document/Units.h"
#include "component/typelib/_Docuvel.h"
#include "platform/com/Server.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace docuvel {

struct FontSetting {
    std::string name = "Times New Roman";
    float size = 10;
    std::string style = "Plain";
    std::int32_t color = 0;
    std::int32_t background = kTransparent;
};

struct PenSetting {
    float width = 1;
    std::int32_t color = 0;
};

struct FillSetting {
    std::int16_t style = 1;
    std::int32_t color = 0xFFFFFF;
    std::int32_t background = 0xFFFFFF;
};

struct PreviewOptions {
    std::string caption;
    float initialZoom = 0; // fraction of 100 %, -1 to fit, 0 when never set
    bool canChangeDocInfo = true;
    bool saveOpenButtons = true;
    bool autoScroll = true;
    bool docInfoButton = true;
    bool printButton = true;
    bool autoHideToolbar = false;
    bool slowDrag = false;
    std::int16_t toolbarLocation = 0;
    std::int32_t backColor = 125 | (125 << 8) | (125 << 16);
};

class Docuvel final : public com::Object<_Docuvel> {
public:
    // Creation: a new working document on a fresh temporary file; error 163 without a printer.
    explicit Docuvel(com::ServerLock& lock);

    void ClearPolygonPoints() override;
    void DrawClipPolygon() override;
    void DrawLayoutGrid() override;
    void DrawMarker(float X1, float Y1, float X2, float Y2) override;
    void DrawClipEllipse(float X1, float Y1, float X2, const Variant& Y2) override;
    void DrawClipTriangle(float X1, float Y1, float X2, float Y2, float X3, float Y3) override;
    void DrawClipRoundRectangle(float X1, float Y1, float X2, const Variant& Y2,
                                const Variant& CornerWidth, const Variant& CornerHeight) override;
    void DrawRotatedText(const std::string& StringToDraw, float X1, float Y1,
                         std::int16_t TextAngle, const Variant& TextAlignment) override;
    void DrawTemplatePage(const std::string& FilePath, std::int16_t PageNumber) override;
    void DrawWrapText(const std::string& StringToDraw, float X1, float Y1, float X2, float Y2,
                      const Variant& TextAlignment, const Variant& BaseOption,
                      Variant& RemainingText) override;
    std::int32_t get_FillBackColor() override { return fill_.background; }
    void let_FillBackColor(std::int32_t value) override;
    void let_FillBackColorName(const std::string& value) override;
    std::string get_FillBackColorName() override;
    std::int32_t get_FillForeColor() override { return fill_.color; }
    void let_FillForeColor(std::int32_t value) override;
    void let_FillForeColorName(const std::string& value) override;
    std::string get_FillForeColorName() override;
    void let_FillStyle(std::int16_t value) override;
    std::int16_t get_FillStyle() override { return fill_.style; }
    void let_FillStyleName(const std::string& value) override;
    std::string get_FillStyleName() override;
    void let_FontBackColor(std::int32_t value) override;
    std::int32_t get_FontBackColor() override { return font_.background; }
    std::string get_FontBackColorName() override;
    void let_FontBackColorName(const std::string& value) override;
    void let_FontForeColor(std::int32_t value) override;
    std::int32_t get_FontForeColor() override { return font_.color; }
    std::string get_FontForeColorName() override;
    void let_FontForeColorName(const std::string& value) override;
    void let_FontName(const std::string& value) override;
    std::string get_FontName() override { return font_.name; }
    void let_FontSize(float value) override;
    float get_FontSize() override { return font_.size; }
    std::string get_FontStyle() override { return font_.style; }
    void let_FontStyle(const std::string& value) override;
    std::int16_t get_PageNumber() override { return pageCount_; }
    std::int16_t get_PreviewInitialZoom() override;
    void let_PreviewInitialZoom(std::int16_t value) override;
    float GetTextHeight(const std::string& StringToDraw) override;
    float GetTextWidth(const std::string& StringToDraw) override;
    float GetWrapTextHeight(const std::string& StringToDraw, float TextRectWidth) override;
    void OpenDoc(const std::string& FilePath) override;
    void SetPolygonPoint(float X, float Y) override;
    std::string get_Author() override;
    void let_Author(const std::string& value) override;
    bool get_PreviewCanChangeDocInfo() override { return preview_.canChangeDocInfo; }
    void let_PreviewCanChangeDocInfo(bool value) override;
    std::string get_Comment() override;
    void let_Comment(const std::string& value) override;
    float get_PageHeight() override { return fromInches(pageHeight_, unit_); }
    void let_PageHeight(float value) override;
    float get_PageWidth() override { return fromInches(pageWidth_, unit_); }
    void let_PageWidth(float value) override;
    std::int32_t get_PenColor() override { return pen_.color; }
    void let_PenColor(std::int32_t value) override;
    std::string get_PenColorName() override;
    void let_PenColorName(const std::string& value) override;
    float get_PenWidth() override { return pen_.width; }
    void let_PenWidth(float value) override;
    bool get_PreviewAutoHideToolbar() override { return preview_.autoHideToolbar; }
    void let_PreviewAutoHideToolbar(bool value) override;
    bool get_PreviewAutoScroll() override { return preview_.autoScroll; }
    void let_PreviewAutoScroll(bool value) override;
    std::int32_t get_PreviewBackColor() override { return preview_.backColor; }
    void let_PreviewBackColor(std::int32_t value) override;
    void let_PreviewBackColorName(const std::string& value) override;
    std::string get_PreviewCaption() override { return preview_.caption; }
    void let_PreviewCaption(const std::string& value) override;
    void let_PreviewDocInfoButton(bool value) override;
    bool get_PreviewDocInfoButton() override { return preview_.docInfoButton; }
    bool get_PreviewPrintButton() override { return preview_.printButton; }
    void let_PreviewPrintButton(bool value) override;
    bool get_PreviewSlowDrag() override { return preview_.slowDrag; }
    void let_PreviewSlowDrag(bool value) override;
    void let_PreviewToolbarLocation(std::int16_t value) override;
    std::int16_t get_PreviewToolbarLocation() override { return preview_.toolbarLocation; }
    bool get_PreviewSaveOpenButtons() override { return preview_.saveOpenButtons; }
    void let_PreviewSaveOpenButtons(bool value) override;
    void SaveDoc(const std::string& FilePath, const Variant& OverwriteOption) override;
    void DrawPicture(const std::string& PictureFileName, float X1, float Y1, const Variant& XX,
                     const Variant& YY) override;
    void DrawFill(float X, float Y, const Variant& BindingAreaColor) override;
    void SetFont(const Variant& FontName, const Variant& FontPointSize, const Variant& FontStyle,
                 const Variant& FontForeColor, const Variant& FontBackColor) override;
    void DrawLine(float X1, float Y1, float X2, float Y2) override;
    void DrawLineTo(float X1, float Y1) override;
    void NewPage() override;
    void DrawPolygon() override;
    void DrawRectangle(float X1, float Y1, float X2, const Variant& Y2) override;
    void DrawText(const std::string& StringToDraw, float X1, float Y1, const Variant& TextAlignment,
                  const Variant& BaseOption, const Variant& MaxWidth) override;
    void DrawTriangle(float X1, float Y1, float X2, float Y2, float X3, float Y3) override;
    void DrawRoundRectangle(float X1, float Y1, float X2, const Variant& Y2,
                            const Variant& CornerWidth, const Variant& CornerHeight) override;
    void SetPen(const Variant& PenWidth, const Variant& PenColor) override;
    void SetFill(const Variant& FillStyle, const Variant& FillForeColor,
                 const Variant& FillBackColor) override;
    void DrawColorPalette(float X1, float Y1) override;
    void DrawArrow(float X1, float Y1, float X2, float Y2) override;
    void DrawEllipse(float X1, float Y1, float X2, const Variant& Y2) override;
    void DrawLocation(float X1, float Y1) override;
    void DrawClipRectangle(float X1, float Y1, float X2, const Variant& Y2) override;
    void StopClipping() override;
    std::string get_Title() override;
    void let_Title(const std::string& value) override;
    std::int16_t get_UnitOfMeasure() override { return static_cast<std::int16_t>(unit_); }
    void let_UnitOfMeasure(std::int16_t value) override;
    void Class_Initialize() override;

    com::CallResult invoke(std::string_view name, com::InvokeKind kind,
                           std::span<Variant> args) noexcept override;

    // The document file the object writes, for the lifecycle members and tests.
    const std::filesystem::path& documentPath() const { return path_; }
    bool isOpen() const { return file_.has_value(); }
    // Bytes written so far, buffered ones included; 0 when finished.
    std::int64_t documentLength() const { return file_ ? file_->length() : 0; }
    // Finishes the document (end record and page table); the next member reopens it.
    void finishDocument();

private:
    ~Docuvel() override;

    void initialize();
    void ensureOpen();
    void reopen(const std::filesystem::path& path);
    bool isTemporary() const;

    // Writing, with file-system failures raised as the client's I/O error.
    void append(RecordCode code, std::initializer_list<Field> fields);
    void writeHeaderText(int position, const std::string& padded);
    void writeHeaderSingle(int position, float value);

    float in(float value) const { return toInches(value, unit_); }
    void emitPenAndFill();
    void emitPen();
    void emitFont();

    void drawClosedShape(RecordCode code, float X1, float Y1, float X2, const Variant& Y2);
    void drawRoundShape(RecordCode code, float X1, float Y1, float X2, const Variant& Y2,
                        const Variant& CornerWidth, const Variant& CornerHeight);
    void drawTriangle(RecordCode code, float X1, float Y1, float X2, float Y2, float X3, float Y3);
    void drawPolygon(RecordCode code, int error);

    void writePen(const PenSetting& pen);
    void writeFill(const FillSetting& fill);
    void writeFont(const FontSetting& font);

    std::int16_t alignmentArgument(const Variant& v, int error);
    std::int16_t baseLineArgument(const Variant& v, int error);
    // The part of a cp1252 text that does not fit the rectangle, measured on the printer.
    std::string fitWrapText(const std::string& text, float X1, float Y1, float X2, float Y2);

    std::filesystem::path path_;
    std::optional<DocumentFile> file_;
    std::int16_t pageCount_ = 1;
    std::vector<std::int32_t> pageStarts_;
    float pageWidth_ = 8.5f;
    float pageHeight_ = 11.0f;
    Unit unit_ = Unit::Inches;
    std::string title_, author_, comment_; // space padded
    FontSetting font_;
    PenSetting pen_;
    FillSetting fill_;
    bool fontEmitted_ = false;
    bool penEmitted_ = false;
    bool fillEmitted_ = false;
    bool clipping_ = false;
    std::int16_t lastBaseLine_ = 0;
    std::int16_t lastAlignment_ = 0;
    std::vector<Point> polygon_;
    PreviewOptions preview_;
};

} // namespace docuvel
