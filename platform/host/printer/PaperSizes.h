#pragma once
// The host's paper size codes and the sheets they stand for.

#include <QString>

#include <optional>
#include <span>

namespace host {

enum class PaperCode : int {
    Letter = 1,
    Tabloid = 3,
    Legal = 5,
    Statement = 6,
    Executive = 7,
    A3 = 8,
    A4 = 9,
    A5 = 11,
    UserDefined = 256, // a printer's own sheet that has no code of its own
};

struct Paper {
    PaperCode code;
    const char* name;
    double widthPt, heightPt; // portrait, 1/72 inch
    const char* pwgName;      // the media name CUPS knows it by
};

std::span<const Paper> paperSizes();
const Paper* paperByCode(int code);
// The paper of a portrait sheet of this size (within 1 mm) or of this media name.
const Paper* paperBySize(double widthPt, double heightPt);
const Paper* paperByMediaName(const QString& pwgName);

} // namespace host
