#pragma once
// The application's printer: the host's printer object, one per process, shared by the program
// and the component (it lives in the shared platform library).
//
// The installed printers are the CUPS queues plus one built-in printer, kPdfPrinterName, that
// writes a PDF file at 600 dpi. A document is painted into a PDF spool file at the printer's
// resolution; killDoc() throws it away and nothing reaches the printer, endDoc() hands it over
// once, complete, with the copies, collation, paper and orientation set. A CUPS queue reports its
// own resolution (600 dpi when it reports none); its sheets and their unprintable edges are its
// page layout.
//
// Like a device context of a real printer, the page's origin (0, 0) is the corner of the printable
// area, and deviceCaps() tells where that lies on the sheet. Orientation and paper changes take
// effect on the next page begun; copies and collation are those in force at endDoc().
//
// Every failure is a com::Error with a host printer error number (PrinterErrors.h), so that a
// print job can catch it.

#include "platform/gdi/DeviceCaps.h"
#include "platform/host/printer/PrintDevice.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

namespace host {

inline constexpr const char* kPdfPrinterName = "PDF File";
inline constexpr int kPdfPrinterDpi = 600;

// Which printers are installed for the application. The environment variable AMPLETON_PRINTERS
// ("all", "cups", "pdf" or "none") sets the start value, e.g. for a test of a machine without
// printers.
enum class PrinterSources { All, CupsOnly, PdfOnly, None };
void setPrinterSources(PrinterSources sources);
PrinterSources printerSources();

// Device names in the platform's order: the CUPS queues as CUPS lists them, then the built-in
// PDF printer.
QStringList installedPrinters();

class Printer {
public:
    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Empty when no printer is installed.
    QString deviceName() const;
    // Makes the installed printer `deviceName` current, with its own default paper, portrait,
    // one copy. False when there is none of that name. Raises PrinterFailure while a document is
    // open.
    bool select(const QString& deviceName);

    Orientation orientation() const;
    void setOrientation(Orientation o);
    // Raises InvalidPropertyValue for a value other than 1 or 2.
    void setOrientation(int o);

    int copies() const;
    // Raises InvalidPropertyValue when n is below 1 or more than the printer makes (a printer
    // that makes no copies takes only 1).
    void setCopies(int n);
    bool canMakeCopies() const;
    bool collate() const;
    void setCollate(bool collate);

    // A PaperCode value.
    int paperSize() const;
    // Raises InvalidPropertyValue for a code the printer has no sheet for; the paper stays.
    void setPaperSize(int code);
    // The PaperCode values of the sheets the printer takes (names in paperByCode()).
    std::vector<int> paperSizes() const;

    // Resolution, sheet and printable offset in device pixels for the current paper and
    // orientation; available whether or not a document is open.
    gdi::DeviceCaps deviceCaps() const;

    // The file the built-in PDF printer writes. When none is set, endDoc() asks for one with the
    // host's save dialog, and a cancelled dialog prints nothing.
    void setOutputFile(const QString& path);
    QString outputFile() const;
    // The job's name in the printer's queue.
    void setDocumentTitle(const QString& title);

    // "Print an empty text": opens the document and begins the page when none is. Raises
    // NoPrinter without a current printer, PrinterFailure when the spool cannot be made.
    void printEmptyText();
    // Ends the page; the next one begins with the next drawing (printEmptyText or painter()).
    // Opens the document first when none is open, so its first page stays empty.
    void newPage();
    // Abandons the document: nothing is sent.
    void killDoc();
    // Sends the document once, complete. Nothing happens when no document is open.
    void endDoc();

    bool documentOpen() const;
    // The number of the page being printed, 1 for the first; 0 when no document is open.
    int page() const;
    // While a document is open: the page's paint device and the painter on it (the current page
    // begins if it has not). Device pixels at deviceCaps().logPixelsX. nullptr otherwise. Paint
    // through this painter: it is active on the device, so no other one can begin there.
    QPaintDevice* paintDevice();
    QPainter* painter();

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// The current printer of the application.
Printer& printer();

} // namespace host
