#include "platform/host/printer/PaperSizes.h"

#include <cmath>

namespace host {
namespace {

constexpr double kMm = 72.0 / 25.4;

constexpr Paper kPapers[] = {
    {PaperCode::Letter, "Letter", 612, 792, "na_letter_8.5x11in"},
    {PaperCode::Tabloid, "Tabloid", 792, 1224, "na_ledger_11x17in"},
    {PaperCode::Legal, "Legal", 612, 1008, "na_legal_8.5x14in"},
    {PaperCode::Statement, "Statement", 396, 612, "na_invoice_5.5x8.5in"},
    {PaperCode::Executive, "Executive", 522, 756, "na_executive_7.25x10.5in"},
    {PaperCode::A3, "A3", 297 * kMm, 420 * kMm, "iso_a3_297x420mm"},
    {PaperCode::A4, "A4", 210 * kMm, 297 * kMm, "iso_a4_210x297mm"},
    {PaperCode::A5, "A5", 148 * kMm, 210 * kMm, "iso_a5_148x210mm"},
};

} // namespace

std::span<const Paper> paperSizes() {
    return kPapers;
}

const Paper* paperByCode(int code) {
    for (const Paper& p : kPapers)
        if (int(p.code) == code)
            return &p;
    return nullptr;
}

const Paper* paperBySize(double widthPt, double heightPt) {
    for (const Paper& p : kPapers)
        if (std::abs(p.widthPt - widthPt) < kMm && std::abs(p.heightPt - heightPt) < kMm)
            return &p;
    return nullptr;
}

const Paper* paperByMediaName(const QString& pwgName) {
    for (const Paper& p : kPapers)
        if (pwgName == QLatin1String(p.pwgName))
            return &p;
    return nullptr;
}

} // namespace host
