#include "program/shell/frmPref.h"

#include "platform/host/Dialogs.h"
#include "program/shell/DiskError.h"
#include "program/shell/Settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <filesystem>

namespace ampleton {

namespace {

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

// The drive of a folder: the root of the volume that holds it.
QString driveOf(const QString& path) {
    const QStorageInfo volume(path);
    return volume.isValid() ? volume.rootPath() : QDir(path).rootPath();
}

// Whether the folder can be listed; the failure when it cannot.
std::error_code openFolder(const QString& path) {
    std::error_code ec;
    std::filesystem::directory_iterator probe(std::filesystem::path(path.toStdString()), ec);
    return ec;
}

} // namespace

frmPref::frmPref(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmPref"));
    setWindowTitle(QStringLiteral("Preferences"));

    auto* header = new QGroupBox(QStringLiteral("Printed Report Header Information"));
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A double quote would end the line's quoted field in the settings file.
    auto* noQuotes =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), this);
    QLineEdit** lines[] = {&txtName, &txtCompany, &txtAddress, &txtCityState};
    const char* names[] = {"txtName", "txtCompany", "txtAddress", "txtCityState"};
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(names[i]));
        edit->setMaxLength(kHeaderLineMaxLength);
        edit->setValidator(noQuotes);
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 52);
        edit->setText(fromUtf8(settings().headerLines[i]));
        form->addRow(QStringLiteral("Line %1").arg(i + 1), edit);
        *lines[i] = edit;
    }
    chkPrintHeader = new QCheckBox(QStringLiteral("Print Header At Top Of Ampleton Reports"));
    chkPrintHeader->setChecked(settings().printHeader == 1);
    form->addRow(QString(), chkPrintHeader);
    header->setLayout(form);

    auto* dataDir = new QGroupBox(QStringLiteral("Default Data Directory"));
    lblDefaultDataDir = new QLabel;
    lblDefaultDataDir->setObjectName(QStringLiteral("lblDefaultDataDir"));
    lblDefaultDataDir->setAutoFillBackground(true);
    QPalette white = lblDefaultDataDir->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    lblDefaultDataDir->setPalette(white);
    lblDefaultDataDir->setFrameShape(QFrame::StyledPanel);
    lblDefaultDataDir->setFrameShadow(QFrame::Sunken);
    lblDefaultDataDir->setMargin(3);
    lblDefaultDataDir->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblDefaultDataDir->setText(fromUtf8(settings().defaultDataDir));
    lblDrive = new QLabel;
    cmdChooseFolder = new QPushButton(QStringLiteral("C&hoose Folder..."));
    auto* chooserRow = new QHBoxLayout;
    chooserRow->addWidget(new QLabel(QStringLiteral("Drive:")));
    chooserRow->addWidget(lblDrive, 1);
    chooserRow->addWidget(cmdChooseFolder);
    auto* dirLayout = new QVBoxLayout;
    dirLayout->addWidget(lblDefaultDataDir);
    dirLayout->addLayout(chooserRow);
    dataDir->setLayout(dirLayout);

    cmdPrefOk = new QPushButton(QStringLiteral("Save"));
    cmdPrefCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdPrefOk->setDefault(true);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdPrefOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdPrefCancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(dataDir);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdChooseFolder, &QPushButton::clicked, this, &frmPref::chooseFolder);
    connect(cmdPrefOk, &QPushButton::clicked, this, &frmPref::save);
    connect(cmdPrefCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The folder list starts at the saved data directory, so that "Save" keeps it unless the user
    // chooses another; without a usable one it shows the current folder.
    const QString saved = fromUtf8(settings().defaultDataDir);
    showDirectory(!saved.isEmpty() && !openFolder(saved) ? saved : QDir::currentPath());
}

void frmPref::showDirectory(const QString& path) {
    directory_ = QDir::cleanPath(path);
    lblDrive->setText(driveOf(directory_));
    if (lblDefaultDataDir->text() != directory_)
        lblDefaultDataDir->setText(directory_);
}

void frmPref::chooseFolder() {
    const auto chosen =
        host::folderDialog(this, {QStringLiteral("Default Data Directory"), directory_});
    if (!chosen)
        return;
    if (const std::error_code ec = openFolder(*chosen)) {
        if (const auto error = diskErrorOf(ec))
            host::messageBox(this, {QString::fromLatin1(kDiskErrorTitle.data(),
                                                        qsizetype(kDiskErrorTitle.size())),
                                    QString::fromUtf8(diskErrorText(*error).data(),
                                                      qsizetype(diskErrorText(*error).size())),
                                    host::MsgIcon::Exclamation, host::MsgButtons::Ok});
        // Back to the data directory's drive, as far as it can still be opened.
        const QString saved = fromUtf8(settings().defaultDataDir);
        if (!saved.isEmpty() && !openFolder(saved))
            showDirectory(saved);
        return;
    }
    showDirectory(*chosen);
}

void frmPref::save() {
    Settings& s = settings();
    s.headerLines = {txtName->text().toStdString(), txtCompany->text().toStdString(),
                     txtAddress->text().toStdString(), txtCityState->text().toStdString()};
    s.drive = driveOf(directory_).toStdString();
    s.directory = directory_.toStdString();
    s.defaultDataDir = directory_.toStdString();
    s.printHeader = chkPrintHeader->isChecked() ? 1 : 0;
    // A failed write leaves the old file whole and says nothing; the new values hold for this run.
    writeSettings(programFolder() / kSettingsFileName, s);
    accept();
}

frmPref* showPreferences(QWidget* owner) {
    auto* dialog = new frmPref(owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    return dialog;
}

} // namespace ampleton
