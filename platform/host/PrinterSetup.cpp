#include "platform/host/PrinterSetup.h"

#include "platform/host/Dialogs.h"
#include "platform/host/printer/PaperSizes.h"
#include "platform/host/printer/Printer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace host {

PrinterSetupDialog::PrinterSetupDialog(const PrinterSetupRequest& request, QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("PrinterSetup"));
    setWindowTitle(request.title);

    auto* printerBox = new QGroupBox(QStringLiteral("Printer"));
    auto* printerForm = new QFormLayout(printerBox);
    cmbPrinterList = new QComboBox;
    cmbPrinterList->setObjectName(QStringLiteral("cmbPrinterList"));
    cmbPrinterList->addItems(request.printers);
    cmbPrinterList->setCurrentIndex(int(request.printers.indexOf(request.current.deviceName)));
    cmbPrinterList->setMinimumContentsLength(28);
    printerForm->addRow(QStringLiteral("&Name:"), cmbPrinterList);

    auto* paperBox = new QGroupBox(QStringLiteral("Paper"));
    auto* paperForm = new QFormLayout(paperBox);
    cmbPaperSize = new QComboBox;
    cmbPaperSize->setObjectName(QStringLiteral("cmbPaperSize"));
    for (const Paper& paper : paperSizes()) {
        if (paper.code == PaperCode::UserDefined)
            continue;
        cmbPaperSize->addItem(QString::fromLatin1(paper.name), int(paper.code));
        if (int(paper.code) == request.current.paperSize)
            cmbPaperSize->setCurrentIndex(cmbPaperSize->count() - 1);
    }
    paperForm->addRow(QStringLiteral("Si&ze:"), cmbPaperSize);

    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"));
    auto* orientationRow = new QVBoxLayout(orientationBox);
    optPortrait = new QRadioButton(QStringLiteral("Po&rtrait"));
    optLandscape = new QRadioButton(QStringLiteral("&Landscape"));
    (request.current.orientation == Orientation::Landscape ? optLandscape : optPortrait)
        ->setChecked(true);
    orientationRow->addWidget(optPortrait);
    orientationRow->addWidget(optLandscape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lower = new QHBoxLayout;
    lower->addWidget(paperBox, 1);
    lower->addWidget(orientationBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerBox);
    layout->addLayout(lower);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PrinterSetupChoice PrinterSetupDialog::choice() const {
    return {cmbPrinterList->currentText(), cmbPaperSize->currentData().toInt(),
            optLandscape->isChecked() ? Orientation::Landscape : Orientation::Portrait};
}

bool printerSetup(QWidget* owner) {
    Printer& current = printer();
    PrinterSetupRequest request{QStringLiteral("Print Setup"),
                                installedPrinters(),
                                {current.deviceName(), current.paperSize(), current.orientation()}};
    std::optional<PrinterSetupChoice> chosen;
    if (DialogResponder* responder = dialogResponder()) {
        chosen = responder->printerSetup(request);
    } else {
        PrinterSetupDialog dialog(request, owner);
        if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.choice();
    }
    if (!chosen)
        return false;
    try {
        if (chosen->deviceName != current.deviceName() && !current.select(chosen->deviceName))
            return false;
        current.setPaperSize(chosen->paperSize);
        current.setOrientation(chosen->orientation);
    } catch (const std::exception&) {
        return false; // the printer keeps what it could take
    }
    return true;
}

} // namespace host
