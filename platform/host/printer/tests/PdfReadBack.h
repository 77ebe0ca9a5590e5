#pragma once
// Reads a printed PDF back with poppler-utils: the pages' sizes, rotations and texts.

#include <QString>

#include <vector>

namespace printertest {

struct PdfPage {
    double widthPt = 0, heightPt = 0;
    int rotation = 0;
    QString text;

    // As the sheet is seen: wider than high once its rotation is applied.
    bool landscape() const { return (widthPt > heightPt) != (rotation % 180 == 90); }
};

// Empty when the file is no readable PDF.
std::vector<PdfPage> readPdf(const QString& path);

} // namespace printertest
