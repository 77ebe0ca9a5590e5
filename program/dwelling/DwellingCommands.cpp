// The dwelling window's open and save operations.

#include "platform/host/Dialogs.h"
#include "platform/host/Pointer.h"
#include "program/dwelling/DwellingFile.h"
#include "program/dwelling/LoadCalculation.h"
#include "program/dwelling/frmOneFam.h"
#include "program/shell/Settings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace ampleton {

namespace {

QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::filesystem::path pathOf(const QString& name) {
    return std::filesystem::path(name.toStdString());
}

void showError(QWidget* owner, const std::string& message) {
    host::messageBox(owner, {qtext(kErrorTitle), QString::fromStdString(message),
                             host::MsgIcon::Exclamation, host::MsgButtons::Ok});
}

// Puts each item of a file into the window as it is read: every numeric field is set as a change
// of its own, so what was applied before a failing line stays.
class WindowTarget : public DwellingFileTarget {
public:
    explicit WindowTarget(frmOneFam& window) : w_(window) {}

    void setEntryText(int index, const std::string& text) override {
        w_.Text1[index]->setText(QString::fromStdString(text));
    }
    void entriesRead() override { w_.Text1[0]->setFocus(); }
    bool selectHeatType(const std::string& text) override {
        const int index = heatTypeIndex(text);
        if (index < 0)
            return false;
        w_.txtHeatType->setCurrentIndex(index);
        return true;
    }
    void setName(NameField field, const std::string& name) override {
        QLineEdit* edit = field == NameField::OtherApp1   ? w_.txtOthApp1
                          : field == NameField::OtherApp2 ? w_.txtOthApp2
                                                          : w_.txtOthLight;
        edit->setText(QString::fromStdString(name));
    }
    void setOption(DwellingOption option, bool on) override {
        frmOneFam::setOptionButton(button(option), on);
    }

private:
    QRadioButton* button(DwellingOption option) const {
        using O = DwellingOption;
        switch (option) {
        case O::OtherApp1Motor:
            return w_.optOthApp1Motor[0];
        case O::OtherApp1NonMotor:
            return w_.optOthApp1Motor[1];
        case O::OtherApp1Fixed:
            return w_.optOthApp1Fixed[0];
        case O::OtherApp1Portable:
            return w_.optOthApp1Fixed[1];
        case O::OtherApp2Motor:
            return w_.optOthApp2Motor[0];
        case O::OtherApp2NonMotor:
            return w_.optOthApp2Motor[1];
        case O::OtherApp2Fixed:
            return w_.optOthApp2Fixed[0];
        case O::OtherApp2Portable:
            return w_.optOthApp2Fixed[1];
        case O::OtherLightingContinuous:
            return w_.optOthLightCont[0];
        case O::OtherLightingNonContinuous:
            return w_.optOthLightCont[1];
        case O::MethodStandard:
            return w_.optNecMethod[0];
        case O::MethodOptional:
            return w_.optNecMethod[1];
        case O::MethodAddition:
            return w_.optNecMethod[2];
        }
        return w_.optNecMethod[0];
    }

    frmOneFam& w_;
};

host::FileDialogRequest dwellingDialog(host::FileDialogKind kind, const QString& title) {
    host::FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.filter = qtext(kDwellingFilter);
    request.initialDir = QString::fromStdString(settings().defaultDataDir);
    if (kind == host::FileDialogKind::Open) {
        request.defaultExt = qtext(kDwellingExtension);
        request.hideReadOnly = true;
        request.fileMustExist = true;
    }
    // Saving takes the name as typed and replaces an existing file without asking.
    return request;
}

} // namespace

void frmOneFam::saveDwelling(const QString& dialogTitle) {
    const auto name =
        host::fileDialog(this, dwellingDialog(host::FileDialogKind::Save, dialogTitle));
    if (!name)
        return;
    host::HourglassPointer busy;
    if (writeDwellingFile(pathOf(*name), readInput()))
        showError(this, dwellingSaveErrorText(name->toStdString()));
}

void frmOneFam::openDwelling(const QString& dialogTitle) {
    const auto name =
        host::fileDialog(this, dwellingDialog(host::FileDialogKind::Open, dialogTitle));
    if (!name)
        return;
    WindowTarget target(*this);
    if (readDwellingFile(pathOf(*name), target) != DwellingReadStatus::Ok)
        showError(this, dwellingOpenErrorText(name->toStdString()));
}

} // namespace ampleton
