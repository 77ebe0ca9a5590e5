// A CUPS queue: its capabilities are read once from CUPS, the finished PDF is sent with libcups.

#include "platform/host/printer/PrintDevice.h"
#include "platform/host/printer/PrinterErrors.h"

#include <QFile>

#include <cups/cups.h>

#include <cmath>
#include <map>

namespace host {
namespace {

constexpr int kDefaultDpi = 600;

double hundredthsMmToPt(int v) {
    return v / 2540.0 * 72.0;
}

Media mediaOf(const cups_size_t& size) {
    const double w = hundredthsMmToPt(size.width), h = hundredthsMmToPt(size.length);
    const Paper* known = paperByMediaName(QString::fromUtf8(size.media));
    if (!known)
        known = paperBySize(w, h);
    return Media{known ? int(known->code) : int(PaperCode::UserDefined), QSizeF(w, h),
                 QMarginsF(hundredthsMmToPt(size.left), hundredthsMmToPt(size.top),
                           hundredthsMmToPt(size.right), hundredthsMmToPt(size.bottom)),
                 QString::fromUtf8(size.media)};
}

int resolutionOf(ipp_attribute_t* attr) {
    if (!attr || ippGetValueTag(attr) != IPP_TAG_RESOLUTION)
        return kDefaultDpi;
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attr, 0, &y, &units);
    const int dpi = units == IPP_RES_PER_CM ? int(std::lround(x * 2.54)) : x;
    return dpi > 0 ? dpi : kDefaultDpi;
}

int maxCopiesOf(ipp_attribute_t* attr) {
    if (!attr || ippGetValueTag(attr) != IPP_TAG_RANGE)
        return 9999; // CUPS makes copies itself when the printer does not say
    int upper = 1;
    ippGetRange(attr, 0, &upper);
    return upper;
}

class CupsDevice final : public PrintDevice {
public:
    CupsDevice(cups_dest_t* dest, cups_dinfo_t* info) : name_(QString::fromUtf8(dest->name)) {
        dpi_ =
            resolutionOf(cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution"));
        maxCopies_ = maxCopiesOf(cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, CUPS_COPIES));
        cups_size_t size{};
        if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size))
            default_ = mediaOf(size);
        else
            default_ = Media{int(PaperCode::Letter), QSizeF(612, 792), QMarginsF(),
                             QStringLiteral("na_letter_8.5x11in")};
        // A sheet counts as taken when CUPS offers one of the same size (it answers with the
        // closest size it has otherwise).
        for (const Paper& p : paperSizes()) {
            cups_size_t s{};
            if (!cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info, p.pwgName,
                                        CUPS_MEDIA_FLAGS_DEFAULT, &s))
                continue;
            Media m = mediaOf(s);
            if (std::abs(m.sizePt.width() - p.widthPt) < 3 &&
                std::abs(m.sizePt.height() - p.heightPt) < 3) {
                m.code = int(p.code);
                papers_.emplace(int(p.code), m);
            }
        }
        if (default_.code != int(PaperCode::UserDefined))
            papers_.emplace(default_.code, default_);
    }

    QString deviceName() const override { return name_; }
    int dotsPerInch() const override { return dpi_; }
    int maxCopies() const override { return maxCopies_; }
    Media defaultMedia() const override { return default_; }
    std::optional<Media> media(int code) const override {
        const auto it = papers_.find(code);
        return it == papers_.end() ? std::nullopt : std::optional(it->second);
    }

    std::vector<int> paperCodes() const override {
        std::vector<int> codes;
        for (const Paper& p : paperSizes())
            if (papers_.count(int(p.code)))
                codes.push_back(int(p.code));
        return codes;
    }

    void submit(const QString& spoolPdf, const JobSettings& job) override {
        cups_option_t* options = nullptr;
        int count = 0;
        const QByteArray copies = QByteArray::number(job.copies);
        const QByteArray media = job.media.pwgName.toUtf8();
        count = cupsAddOption(CUPS_COPIES, copies.constData(), count, &options);
        count = cupsAddOption("collate", job.collate ? "true" : "false", count, &options);
        if (!media.isEmpty())
            count = cupsAddOption(CUPS_MEDIA, media.constData(), count, &options);
        count = cupsAddOption(CUPS_ORIENTATION,
                              job.orientation == Orientation::Landscape ? CUPS_ORIENTATION_LANDSCAPE
                                                                        : CUPS_ORIENTATION_PORTRAIT,
                              count, &options);
        const QByteArray queue = name_.toUtf8();
        const QByteArray file = QFile::encodeName(spoolPdf);
        const QByteArray title = job.title.toUtf8();
        const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), file.constData(),
                                      title.constData(), count, options);
        cupsFreeOptions(count, options);
        if (id == 0)
            raisePrinterError(PrinterError::PrinterFailure, cupsLastErrorString());
    }

private:
    QString name_;
    int dpi_ = kDefaultDpi;
    int maxCopies_ = 1;
    Media default_;
    std::map<int, Media> papers_;
};

} // namespace

std::unique_ptr<PrintDevice> makeCupsDevice(const QString& queue) {
    const QByteArray name = queue.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return nullptr;
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    std::unique_ptr<PrintDevice> device;
    if (info)
        device = std::make_unique<CupsDevice>(dest, info);
    if (info)
        cupsFreeDestInfo(info);
    cupsFreeDests(1, dest);
    return device;
}

} // namespace host
