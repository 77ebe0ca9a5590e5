#pragma once
// The printer set-up dialog: choosing the application's current printer, its paper and its
// orientation. OK applies the choice to the current printer; Cancel changes nothing.

#include "platform/host/printer/PrintDevice.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;
class QRadioButton;

namespace host {

struct PrinterSetupChoice {
    QString deviceName;
    int paperSize = 1; // a PaperCode value
    Orientation orientation = Orientation::Portrait;

    friend bool operator==(const PrinterSetupChoice&, const PrinterSetupChoice&) = default;
};

struct PrinterSetupRequest {
    QString title;
    QStringList printers;
    PrinterSetupChoice current;
};

class PrinterSetupDialog : public QDialog {
public:
    PrinterSetupDialog(const PrinterSetupRequest& request, QWidget* owner = nullptr);

    QComboBox* cmbPrinterList;
    QComboBox* cmbPaperSize;
    QRadioButton* optPortrait;
    QRadioButton* optLandscape;

    PrinterSetupChoice choice() const;
};

// Shows the dialog (or asks the installed responder) and applies the choice to printer(). False
// when it was cancelled or when the printer could not take the choice; either is silent.
bool printerSetup(QWidget* owner);

} // namespace host
