#pragma once
// _Docuvel, the dual default interface of the class Docuvel. The members stand in the order of
// the interface's table of functions; property readers are get_Name, writers let_Name. Optional
// arguments are variants, missing when left out. Members raise com::Error with the component's
// numbered errors. Clients include this header without linking the component.

#include "platform/com/Unknown.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace docuvel {

class _Docuvel : public com::Dispatch {
public:
    static constexpr std::string_view kInterfaceId = "_Docuvel";
    using Variant = com::Variant;

    virtual void ClearPolygonPoints() = 0;
    virtual void DrawClipPolygon() = 0;
    virtual void DrawLayoutGrid() = 0;
    virtual void DrawMarker(float X1, float Y1, float X2, float Y2) = 0;
    virtual void DrawClipEllipse(float X1, float Y1, float X2, const Variant& Y2 = {}) = 0;
    virtual void DrawClipTriangle(float X1, float Y1, float X2, float Y2, float X3, float Y3) = 0;
    virtual void DrawClipRoundRectangle(float X1, float Y1, float X2, const Variant& Y2 = {},
                                        const Variant& CornerWidth = {},
                                        const Variant& CornerHeight = {}) = 0;
    virtual void DrawRotatedText(const std::string& StringToDraw, float X1, float Y1,
                                 std::int16_t TextAngle, const Variant& TextAlignment = {}) = 0;
    virtual void DrawTemplatePage(const std::string& FilePath, std::int16_t PageNumber) = 0;
    // RemainingText receives what did not fit: pass Variant::byRef(text) or a text variant.
    virtual void DrawWrapText(const std::string& StringToDraw, float X1, float Y1, float X2,
                              float Y2, const Variant& TextAlignment, const Variant& BaseOption,
                              Variant& RemainingText) = 0;
    virtual std::int32_t get_FillBackColor() = 0;
    virtual void let_FillBackColor(std::int32_t value) = 0;
    virtual void let_FillBackColorName(const std::string& value) = 0;
    virtual std::string get_FillBackColorName() = 0;
    virtual std::int32_t get_FillForeColor() = 0;
    virtual void let_FillForeColor(std::int32_t value) = 0;
    virtual void let_FillForeColorName(const std::string& value) = 0;
    virtual std::string get_FillForeColorName() = 0;
    virtual void let_FillStyle(std::int16_t value) = 0;
    virtual std::int16_t get_FillStyle() = 0;
    virtual void let_FillStyleName(const std::string& value) = 0;
    virtual std::string get_FillStyleName() = 0;
    virtual void let_FontBackColor(std::int32_t value) = 0;
    virtual std::int32_t get_FontBackColor() = 0;
    virtual std::string get_FontBackColorName() = 0;
    virtual void let_FontBackColorName(const std::string& value) = 0;
    virtual void let_FontForeColor(std::int32_t value) = 0;
    virtual std::int32_t get_FontForeColor() = 0;
    virtual std::string get_FontForeColorName() = 0;
    virtual void let_FontForeColorName(const std::string& value) = 0;
    virtual void let_FontName(const std::string& value) = 0;
    virtual std::string get_FontName() = 0;
    virtual void let_FontSize(float value) = 0;
    virtual float get_FontSize() = 0;
    virtual std::string get_FontStyle() = 0;
    virtual void let_FontStyle(const std::string& value) = 0;
    virtual std::int16_t get_PageNumber() = 0;
    virtual std::int16_t get_PreviewInitialZoom() = 0;
    virtual void let_PreviewInitialZoom(std::int16_t value) = 0;
    virtual float GetTextHeight(const std::string& StringToDraw) = 0;
    virtual float GetTextWidth(const std::string& StringToDraw) = 0;
    virtual float GetWrapTextHeight(const std::string& StringToDraw, float TextRectWidth) = 0;
    virtual void OpenDoc(const std::string& FilePath) = 0;
    virtual void SetPolygonPoint(float X, float Y) = 0;
    virtual std::string get_Author() = 0;
    virtual void let_Author(const std::string& value) = 0;
    virtual bool get_PreviewCanChangeDocInfo() = 0;
    virtual void let_PreviewCanChangeDocInfo(bool value) = 0;
    virtual std::string get_Comment() = 0;
    virtual void let_Comment(const std::string& value) = 0;
    virtual float get_PageHeight() = 0;
    virtual void let_PageHeight(float value) = 0;
    virtual float get_PageWidth() = 0;
    virtual void let_PageWidth(float value) = 0;
    virtual std::int32_t get_PenColor() = 0;
    virtual void let_PenColor(std::int32_t value) = 0;
    virtual std::string get_PenColorName() = 0;
    virtual void let_PenColorName(const std::string& value) = 0;
    virtual float get_PenWidth() = 0;
    virtual void let_PenWidth(float value) = 0;
    virtual bool get_PreviewAutoHideToolbar() = 0;
    virtual void let_PreviewAutoHideToolbar(bool value) = 0;
    virtual bool get_PreviewAutoScroll() = 0;
    virtual void let_PreviewAutoScroll(bool value) = 0;
    virtual std::int32_t get_PreviewBackColor() = 0;
    virtual void let_PreviewBackColor(std::int32_t value) = 0;
    virtual void let_PreviewBackColorName(const std::string& value) = 0;
    virtual std::string get_PreviewCaption() = 0;
    virtual void let_PreviewCaption(const std::string& value) = 0;
    virtual void let_PreviewDocInfoButton(bool value) = 0;
    virtual bool get_PreviewDocInfoButton() = 0;
    virtual bool get_PreviewPrintButton() = 0;
    virtual void let_PreviewPrintButton(bool value) = 0;
    virtual bool get_PreviewSlowDrag() = 0;
    virtual void let_PreviewSlowDrag(bool value) = 0;
    virtual void let_PreviewToolbarLocation(std::int16_t value) = 0;
    virtual std::int16_t get_PreviewToolbarLocation() = 0;
    virtual bool get_PreviewSaveOpenButtons() = 0;
    virtual void let_PreviewSaveOpenButtons(bool value) = 0;
    virtual void SaveDoc(const std::string& FilePath, const Variant& OverwriteOption = {}) = 0;
    virtual void DrawPicture(const std::string& PictureFileName, float X1, float Y1,
                             const Variant& XX = {}, const Variant& YY = {}) = 0;
    virtual void DrawFill(float X, float Y, const Variant& BindingAreaColor) = 0;
    virtual void SetFont(const Variant& FontName = {}, const Variant& FontPointSize = {},
                         const Variant& FontStyle = {}, const Variant& FontForeColor = {},
                         const Variant& FontBackColor = {}) = 0;
    virtual void DrawLine(float X1, float Y1, float X2, float Y2) = 0;
    virtual void DrawLineTo(float X1, float Y1) = 0;
    virtual void NewPage() = 0;
    virtual void DrawPolygon() = 0;
    virtual void DrawRectangle(float X1, float Y1, float X2, const Variant& Y2 = {}) = 0;
    virtual void DrawText(const std::string& StringToDraw, float X1, float Y1,
                          const Variant& TextAlignment = {}, const Variant& BaseOption = {},
                          const Variant& MaxWidth = {}) = 0;
    virtual void DrawTriangle(float X1, float Y1, float X2, float Y2, float X3, float Y3) = 0;
    virtual void DrawRoundRectangle(float X1, float Y1, float X2, const Variant& Y2 = {},
                                    const Variant& CornerWidth = {},
                                    const Variant& CornerHeight = {}) = 0;
    virtual void SetPen(const Variant& PenWidth = {}, const Variant& PenColor = {}) = 0;
    virtual void SetFill(const Variant& FillStyle = {}, const Variant& FillForeColor = {},
                         const Variant& FillBackColor = {}) = 0;
    virtual void DrawColorPalette(float X1, float Y1) = 0;
    virtual void DrawArrow(float X1, float Y1, float X2, float Y2) = 0;
    virtual void DrawEllipse(float X1, float Y1, float X2, const Variant& Y2 = {}) = 0;
    virtual void DrawLocation(float X1, float Y1) = 0;
    virtual void DrawClipRectangle(float X1, float Y1, float X2, const Variant& Y2 = {}) = 0;
    virtual void StopClipping() = 0;
    virtual std::string get_Title() = 0;
    virtual void let_Title(const std::string& value) = 0;
    virtual std::int16_t get_UnitOfMeasure() = 0;
    virtual void let_UnitOfMeasure(std::int16_t value) = 0;
    virtual void Class_Initialize() = 0;

protected:
    ~_Docuvel() override = default;
};

} // namespace docuvel
