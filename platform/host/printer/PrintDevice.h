#pragma once
// What a kind of printer answers and does: its resolution, its sheets, how many copies it makes,
// and how a finished job (a PDF spool file) reaches it. One implementation for CUPS queues and
// one for the built-in PDF printer.

#include "platform/host/printer/PaperSizes.h"

#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace host {

enum class Orientation : int { Portrait = 1, Landscape = 2 };

// A sheet as the printer takes it.
struct Media {
    int code = int(PaperCode::Letter); // PaperCode, or UserDefined
    QSizeF sizePt;                     // portrait
    QMarginsF marginsPt;               // unprintable edges of the portrait sheet
    QString pwgName;
};

struct JobSettings {
    QString title;
    int copies = 1;
    bool collate = false;
    Orientation orientation = Orientation::Portrait;
    Media media;
    QString outputFile; // where the built-in PDF printer writes; empty: ask
};

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual QString deviceName() const = 0;
    virtual int dotsPerInch() const = 0;
    virtual int maxCopies() const = 0;
    virtual Media defaultMedia() const = 0;
    // The sheet of paper code `code` when the printer takes it.
    virtual std::optional<Media> media(int code) const = 0;
    // The codes of the sheets it takes, in the order of the paper table.
    virtual std::vector<int> paperCodes() const = 0;
    // Sends the finished spool file; raises a printer error when it cannot. Nothing reaches the
    // printer unless this is called.
    virtual void submit(const QString& spoolPdf, const JobSettings& job) = 0;
};

std::unique_ptr<PrintDevice> makeCupsDevice(const QString& queue); // nullptr: no such queue
std::unique_ptr<PrintDevice> makePdfFileDevice();

} // namespace host
