#pragma once
// Reads a printed PDF back with poppler-utils: the pages' sizes, rotations and texts. The texts
// of a PDF that went through PostScript may come back as other characters (fonts re-encoded),
// but the same text still gives the same characters.

#include <QImage>
#include <QString>

#include <vector>

namespace printertest {

struct PdfPage {
    double widthPt = 0, heightPt = 0;
    int rotation = 0;
    QString text;
    // The extent of the page's words; a printer may turn a landscape page onto an upright sheet,
    // so the direction the text runs tells how the page reads.
    double textWidthPt = 0, textHeightPt = 0;

    // As the page reads: wider than high with its text upright.
    bool landscape() const {
        const bool wide = (widthPt > heightPt) != (rotation % 180 == 90);
        const bool turned = textHeightPt > textWidthPt; // a line of text running down the sheet
        return wide != turned;
    }
};

// Empty when the file is no readable PDF.
std::vector<PdfPage> readPdf(const QString& path);

// Page `page` (from 1) as a grey image at `dpi`; null when it cannot be made.
QImage rasterize(const QString& path, int page, int dpi);

} // namespace printertest
