#include "platform/host/PrinterSetup.h"
#include "platform/host/ScriptedDialogs.h"
#include "platform/host/TestApplication.h"
#include "platform/host/printer/PaperSizes.h"
#include "platform/host/printer/Printer.h"

#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace host {
namespace {

class PrinterSetup : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        setPrinterSources(PrinterSources::PdfOnly);
        ASSERT_TRUE(printer().select(kPdfPrinterName));
    }
    PrinterSetupChoice now() const {
        return {printer().deviceName(), printer().paperSize(), printer().orientation()};
    }
    ScriptedDialogs dialogs;
};

TEST_F(PrinterSetup, OkAppliesTheChoiceToTheCurrentPrinter) {
    const PrinterSetupChoice legalLandscape{kPdfPrinterName, int(PaperCode::Legal),
                                            Orientation::Landscape};
    dialogs.printerSetupAnswers = {legalLandscape};
    const PrinterSetupChoice before = now();
    EXPECT_TRUE(printerSetup(nullptr));
    EXPECT_EQ(now(), legalLandscape);
    ASSERT_EQ(dialogs.printerSetups.size(), 1u);
    EXPECT_EQ(dialogs.printerSetups[0].current, before);
    EXPECT_EQ(dialogs.printerSetups[0].printers, installedPrinters());
}

TEST_F(PrinterSetup, CancelOrAChoiceThePrinterCannotTakeChangesNothingSilently) {
    const PrinterSetupChoice before = now();
    EXPECT_FALSE(printerSetup(nullptr)); // unscripted: cancelled
    dialogs.printerSetupAnswers = {
        PrinterSetupChoice{"No Such Printer", int(PaperCode::Legal), Orientation::Landscape}};
    EXPECT_FALSE(printerSetup(nullptr));
    EXPECT_EQ(now(), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrinterSetup, DialogShowsTheCurrentSettingsAndReturnsWhatIsChosen) {
    const PrinterSetupRequest request{"Print Setup",
                                      {"Office", kPdfPrinterName},
                                      {kPdfPrinterName, int(PaperCode::A4), Orientation::Portrait}};
    PrinterSetupDialog dialog(request);
    EXPECT_EQ(dialog.windowTitle(), "Print Setup");
    EXPECT_EQ(dialog.choice(), request.current);
    dialog.cmbPrinterList->setCurrentIndex(0);
    dialog.cmbPaperSize->setCurrentIndex(dialog.cmbPaperSize->findData(int(PaperCode::Executive)));
    dialog.optLandscape->setChecked(true);
    EXPECT_EQ(dialog.choice(),
              (PrinterSetupChoice{"Office", int(PaperCode::Executive), Orientation::Landscape}));
}

} // namespace
} // namespace host
