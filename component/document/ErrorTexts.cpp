#include "component/document/ErrorTexts.h"

namespace docuvel {
namespace {

struct Entry {
    int number;
    int variant;
    std::string_view text;
};

constexpr std::string_view kPolygonPoints =
    "Before drawing polygons, there must exist a minimum of 3 coordinate points defined by the "
    "SetPolygonPoint method.";
constexpr std::string_view kFontStyleArgument =
    "The font style argument of the SetFont method must be a string equaling 'plain' or any "
    "combination of: 'bold', 'light', 'heavy', 'italic', 'underline', 'wide', 'narrow', "
    "'strikeout' (without seperating characters), or may be missing to indicate default or "
    "previously set style.";
constexpr std::string_view kFontStyleProperty =
    "The FontStyle property must be a string equaling 'plain' or any combination of: 'bold', "
    "'light', 'heavy', 'italic', 'underline', 'wide', 'narrow', 'strikeout' (without seperating "
    "characters).";
constexpr std::string_view kTextAlignment =
    "The text alignment (5th) argument of the DrawText method must be a string equal to 'left', "
    "'center', 'right', a numeric value between 1 and 3, or may be missing to indicate last or "
    "default alignment.";
constexpr std::string_view kNotDocument =
    "File is not a Docuvel® Document / Version 4 format file.";
constexpr std::string_view kEmptyFileName = "Invalid file name; must not be an empty string.";

constexpr Entry kErrors[] = {
    // Fonts
    {139, 0,
     "The font size argument of the SetFont method must not be smaller than 4 or larger than "
     "2000 points, or may be missing to indicate default or previously set size. A value less "
     "than zero or greater than 2000 was passed."},
    {140, 0,
     "The font size argument of the SetFont method must be a numeric value between 4 and 2000 "
     "points, or may be missing to indicate default or previously set size. A non-numeric value "
     "was passed."},
    {141, 0, kFontStyleArgument},
    {142, 0,
     "The font style (3rd) argument of the SetFont method cannot contain the words 'bold', "
     "'heavy', and/or 'light' in the same style setting."},
    {143, 0,
     "The FontStyle property cannot contain the words 'wide' and 'narrow' in the same style "
     "setting."},
    {144, 0, "The FontStyle property cannot contain 'plain' in conjunction with any other styles."},
    {145, 0, kFontStyleArgument},
    {146, 0, kFontStyleArgument},
    {147, 0,
     "The font forecolor argument of the SetFont method must be a string containing the name of "
     "a valid palette color, a long integer representing a valid RGB color, or may be missing to "
     "indicate default or previously set color."},
    {148, 0,
     "The font backcolor argument of the SetFont method must be a string containing "
     "'transparent', the name of a valid palette color, a long integer representing a valid RGB "
     "color, or may be missing to indicate default or previously set color."},
    // Drawing
    {149, 0, kPolygonPoints},
    {150, 0, kTextAlignment},
    {151, 0,
     "The maximum width (6th) argument of the DrawText method must be a numeric value or may be "
     "missing to indicate no clipping width."},
    {152, 0,
     "The baseline (5th) argument of the DrawText method must be a string equal to 'ascentline', "
     "'topline', 'middleline', 'baseline', 'descentline', a numeric value between 1 and 5, or may "
     "be missing to indicate last or default setting."},
    {153, 0,
     "The pen width (1st) argument of the SetPen method must be a numeric value between .25 and "
     "300 (points), 0 for transparent, or may be missing to indicate default or previous pen "
     "width setting."},
    {154, 0,
     "The pen width (1st) argument of the SetPen method must be a numeric value between 1 and 300 "
     "(points), or may be missing to indicate default or previous pen width setting."},
    {156, 0,
     "The pen color (3rd) argument of the SetPen method must be a string which contains a name "
     "from the color palette, a long integer representing a valid RGB color , or may be missing "
     "to indicate default or previous style setting."},
    {157, 0,
     "The fill style (1st) argument of the SetFill method must be a string equaling 'solid', "
     "'transparent', 'vertical lines', 'horizontal lines', 'gridlines', 'diagonal gridlines', "
     "'diagonal lines', 'reverse diagonal lines', a numeric value between 1 and 8, respectively, "
     "or may be missing to indicate default or previous fill style."},
    {158, 0,
     "The fill forecolor (2nd) argument of the SetFill method must be a string containing the "
     "name of a valid palette color, a long integer representing a valid RGB color, or may be "
     "missing to indicate default or previous color."},
    {159, 0,
     "The fill backcolor (3rd) argument of the SetFill method must be a string containing "
     "'transparent', the name of a valid palette color, a long integer representing a valid RGB "
     "color, or may be missing to indicate default or previous color."},
    // Properties
    {160, 0, "Document title must not exceed 50 characters."},
    {161, 0, "PreviewCaption property must be a string, not empty or exceeding 255 characters."},
    {162, 0,
     "The UnitOfMeasure property must be set to 1 for inches, 2 for centimeters, 3 for "
     "millimeters, 4 for twips, or 5 for points."},
    {163, 0, "No printing device is installed or defaulted on this computer!"},
    {164, 0, kPolygonPoints},
    {165, 0, kTextAlignment},
    {166, 0,
     "The text angle (4th) argument of the DrawRotatedText method must be a numeric value between "
     "1 and 359 (degrees)."},
    // Template pages
    {167, 0,
     "The file name and path (1st) argument of the DrawTemplatePage method is not a valid file "
     "name and path."},
    {168, 0,
     "The file specified in the file name and path (1st) argument is not a compatible file to be "
     "used as a template."},
    {168, 1,
     "The file specified in the file name and path (1st) argument is not a compatible file to be "
     "used as a template, is open, or used within the same scope (procedure)."},
    {168, 2,
     "The file specified in the file name and path (1st) argument is not a compatible file (or "
     "is damaged) and cannot be used as a template."},
    {169, 0,
     "The page number (2nd) argument of the DrawTemplatePage method is greater than the total "
     "number of pages for the specified document."},
    {170, 0, "The page number (2nd) argument of the DrawTemplatePage method must not be zero."},
    // Wrapped text
    {171, 0,
     "The remaining text (last) argument must be a string variable capable of holding the "
     "remaining characters which do not fit in the binding rectangle, or missing if not needed "
     "information."},
    {172, 0,
     "The text alignment (6th) argument of the DrawWrapText method must be a string equal to "
     "'left', 'center', 'right', a numeric value between 1 and 3, or may be missing to indicate "
     "last or default alignment."},
    {173, 0,
     "The baseline (7th) argument of the DrawWrapText method must be a string equal to "
     "'ascentline', 'topline', 'middleline', 'baseline', 'descentline', a numeric value between "
     "1 and 5, or may be missing to indicate last or default setting."},
    {174, 0, "Files passed to the DrawWrapText method must not be larger than 32K bytes."},
    // Colour and style properties
    {175, 0,
     "The FillBackColor property must be assigned a long integer representing a valid RGB "
     "color.\r\rSee Also: FillBackColorName property"},
    {176, 0,
     "The color name assigned to the FillBackColorName property was not found in the color "
     "palette.\r\rSee Also: FillBackColor property"},
    {177, 0,
     "The FillForeColor property must be assigned a long integer representing a valid RGB "
     "color.\r\rSee Also: FillForeColorName property"},
    {178, 0,
     "The color name assigned to the FillForeColorName property was not found in the color "
     "palette.\r\rSee Also: FillForeColor property"},
    {179, 0,
     "The FillStyle property must be assigned a numeric value between 1 and 8.\r\rSee Also: "
     "FillStyleName property"},
    {180, 0,
     "The FillStyleName property must be assigned a string equaling 'solid', 'transparent', "
     "'vertical lines', 'horizontal lines', 'gridlines', 'diagonal gridlines', 'diagonal lines', "
     "or 'reverse diagonal lines'\r\rSee Also: FillStyle property"},
    {181, 0,
     "The FontBackColor property must be assigned a long integer representing a valid RGB "
     "color.\r\rSee Also: FontBackColorName property"},
    {182, 0,
     "The color name assigned to the FontBackColorName property was not found in the color "
     "palette.\r\rSee Also: FontBackColor property"},
    {183, 0,
     "The FontForeColor property must be assigned a long integer representing a valid RGB "
     "color.\r\rSee Also: FontForeColorName property"},
    {184, 0,
     "The color name assigned to the FontForeColorName property was not found in the color "
     "palette.\r\rSee Also: FontForeColor property"},
    {185, 0,
     "TheFontName property must be a string, assigned a valid font name installed on this "
     "system."},
    {186, 0, "The FontSize property must not be smaller than 4 or larger than 2000 points."},
    {187, 0,
     "The FontStyle property cannot contain words 'bold', 'heavy', and/or 'light' in the same "
     "style setting."},
    {188, 0,
     "The FontStyle property cannot contain words 'wide' and 'narrow' in the same style "
     "setting."},
    {189, 0, "The FontStyle property cannot contain 'plain' in conjunction with any other styles."},
    {190, 0, kFontStyleProperty},
    {191, 0, kFontStyleProperty},
    // Opening, printing
    {192, 0, kEmptyFileName},
    {193, 0, "File does not exist."},
    {194, 0, kNotDocument},
    {195, 0, kNotDocument},
    {196, 0,
     "The FromPage (2nd) argument must be greater than zero and must not be greater than the "
     "total page count."},
    {197, 0,
     "The ToPage (2nd) argument must not be less than the FromPage (2nd) argument and must be "
     "greater than zero."},
    {198, 0, "The ToPage (2nd) argument must not be greater than the total page count."},
    {200, 0, "The NumberCopies (3rd) argument must not be less than 1 or greater than 32000."},
    {201, 0, "Author property must not exceed 50 characters."},
    {202, 0, "Comment property must not exceed 255 characters."},
    {203, 0,
     "The PenColor property must be assigned a long integer representing a valid RGB "
     "color.\r\rSee Also: PenColorName property"},
    {204, 0,
     "The color name assigned to the PenColorName property was not found in the color "
     "palette.\r\rSee Also: PenColor property"},
    {205, 0, "PenSize property must be between .25 and 300 points, or 0 for transparent."},
    {206, 0, "PenSize property must not be greater than 300 points."},
    {207, 0,
     "The PreviewBackColor property must be assigned a long integer representing a valid RGB "
     "color.\r\rSee Also: PreviewBackColorName property"},
    {208, 0,
     "The PreviewBackColorName property must be assigned a string equaling a valid color from "
     "the palette.\r\rSee Also: PreviewBackColor property"},
    {209, 0,
     "The PreviewToolbarLocation property must be assigned a numeric value of 1 (bottom) or 2 "
     "(top)."},
    // Saving
    {210, 0,
     "The Overwrite File (2nd) argument of the SaveDoc method must be a boolean value or missing "
     "to indicate 'no replace'."},
    {211, 0, kEmptyFileName},
    {212, 0,
     "File already exists and will not be overwritten.\r\rUse the TRUE boolean value as the "
     "second SaveDoc argument for automatic replacement."},
    {213, 0,
     "File could not be overwritten. It may be read-only, locked by Windows, or in use by "
     "another application."},
    // Pictures
    {214, 0, "The xx coordinate (5th) argument must be a numeric value"},
    {215, 0, "The yy coordinate (6th) argument must be a numeric value"},
    {216, 0, "The xx, yy coordinates must be provided when drawing enhanced metafiles."},
    {217, 0,
     "The font name argument of the SetFont method must be a string, assigned a valid font name "
     "installed on this system, or may be missing to indicate default font or last used font."},
    {226, 0,
     "The PreviewInitialZoom property must be assigned a whole numeric value between 20 and 100, "
     "or -1 to indicate 'Fit In Window' view."},
    {277, 0,
     "The PrinterName argument of the PrintDoc method must be a string value or missing to "
     "indicate 'current' printer."},
    {278, 0,
     "The printer name specified in the PrinterName argument of the PrintDoc method was not "
     "found."},
    {kDeviceIoError, 0, "Device I/O error"},
};

} // namespace

std::string_view errorText(int number, int variant) {
    for (const Entry& e : kErrors)
        if (e.number == number && e.variant == variant)
            return e.text;
    return {};
}

std::string penColorNotFoundText(std::string_view name) {
    return "'" + std::string(name) + "' was not found in the color palette.";
}

} // namespace docuvel
