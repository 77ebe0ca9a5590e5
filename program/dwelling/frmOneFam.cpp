#include "program/dwelling/frmOneFam.h"

#include "platform/host/Dialogs.h"
#include "platform/host/PrinterSetup.h"
#include "program/dwelling/DwellingFile.h"
#include "program/dwelling/IconBar.h"
#include "program/dwelling/LoadCalculation.h"
#include "program/dwelling/ResultValid.h"
#include "program/shell/Help.h"
#include "program/shell/frmAboutAmpleton.h"
#include "program/shell/frmPref.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ampleton {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

const QString kValidationMessage =
    QStringLiteral("Only numbers accepted.\rNo spaces or decimals allowed.");

// Apart from leading and trailing spaces: an optional sign followed by digits.
bool readsAsNumber(const QString& s) {
    const QString t = s.trimmed();
    qsizetype i = (!t.isEmpty() && (t[0] == u'+' || t[0] == u'-')) ? 1 : 0;
    if (i >= t.size())
        return false;
    for (; i < t.size(); ++i)
        if (t[i] < u'0' || t[i] > u'9')
            return false;
    return true;
}

void showError(QWidget* owner, const QString& message) {
    host::messageBox(
        owner, {text(kErrorTitle), message, host::MsgIcon::Exclamation, host::MsgButtons::Ok});
}

OptionButtons optionPair(const char* first, const char* second, const QString& name,
                         QObject* owner) {
    OptionButtons pair{new QRadioButton(QString::fromLatin1(first)),
                       new QRadioButton(QString::fromLatin1(second))};
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < 2; ++i) {
        pair[i]->setObjectName(name + QString::number(i));
        group->addButton(pair[i], i);
    }
    pair[0]->setChecked(true);
    return pair;
}

} // namespace

frmOneFam::frmOneFam(QWidget* owner) : QMainWindow(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmOneFam"));
    setWindowTitle(QString::fromLatin1(kDwellingWindowTitle));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 8);
    IconBar = new ampleton::IconBar;
    StatusPanel = IconBar->StatusPanel;
    layout->addWidget(IconBar);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    body->setSpacing(14);
    body->addWidget(buildEntries(), 0, Qt::AlignTop);
    body->addWidget(buildOtherLoads(), 1, Qt::AlignTop);
    layout->addLayout(body);
    layout->addWidget(buildBottom());
    setCentralWidget(central);
    buildMenus();

    for (int i = 0; i < kEntryCount; ++i) {
        Text1[i]->installEventFilter(this);
        connect(Text1[i], &QLineEdit::textChanged, this, &frmOneFam::numericFieldChanged);
        if (i > 0)
            setTabOrder(Text1[i - 1], Text1[i]);
    }
    for (QLineEdit* name : {txtOthApp1, txtOthApp2, txtOthLight})
        connect(name, &QLineEdit::textChanged, this, &frmOneFam::recalculate);
    for (QRadioButton* option :
         {optNecMethod[0], optNecMethod[1], optNecMethod[2], optOthApp1Motor[0], optOthApp1Motor[1],
          optOthApp1Fixed[0], optOthApp1Fixed[1], optOthApp2Motor[0], optOthApp2Motor[1],
          optOthApp2Fixed[0], optOthApp2Fixed[1], optOthLightCont[0], optOthLightCont[1]})
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                recalculate();
        });
    connect(txtHeatType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            recalculate();
    });
    connect(IconBar, &IconBar::buttonClicked, this, &frmOneFam::toolbarButtonClicked);

    // Report commands come with the report output; until then their buttons stay grey.
    IconBar->setButtonEnabled(2, false);
    IconBar->setButtonEnabled(3, false);
    applyEnablingRule();
    IconBar->clearHighlight();
}

QWidget* frmOneFam::buildEntries() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    grid->setColumnMinimumWidth(2, 18);

    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    auto voltAmps = [] {
        auto* caption = new QLabel(QStringLiteral("VoltAmps"));
        caption->setAlignment(Qt::AlignCenter);
        QFont f = caption->font();
        f.setBold(true);
        caption->setFont(f);
        return caption;
    };
    for (int i = 0; i < kEntryCount; ++i) {
        Label1[i] = new QLabel(text(kEntryCaptions[i]));
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Text1[i] = new QLineEdit;
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setMaxLength(entryMaxLength(i));
        Text1[i]->setAlignment(Qt::AlignRight);
        Text1[i]->setFixedWidth(charWidth * 7 + 12);
        Label1[i]->setBuddy(Text1[i]);
    }
    // Left column: entries 0..2, the VoltAmps caption, entries 3..9. Right: the caption, 10..19.
    int row = 0;
    for (int i = 0; i <= 9; ++i) {
        if (i == HeatingLoad)
            grid->addWidget(voltAmps(), row++, 1);
        grid->addWidget(Label1[i], row, 0);
        grid->addWidget(Text1[i], row++, 1);
    }
    grid->addWidget(voltAmps(), 0, 4);
    for (int i = 10; i < kEntryCount; ++i) {
        grid->addWidget(Label1[i], i - 9, 3);
        grid->addWidget(Text1[i], i - 9, 4);
    }
    return box;
}

QWidget* frmOneFam::buildOtherLoads() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    auto nameRow = [&](QLineEdit*& field, const QString& objectName, int which) {
        field = new QLineEdit;
        field->setObjectName(objectName);
        field->setMaxLength(kNameMaxLength);
        field->setMinimumWidth(fontMetrics().averageCharWidth() * 26);
        auto* label = new QLabel(QStringLiteral("Name"));
        label->setBuddy(field);
        nameLabels_[which] = label;
        auto* row = new QHBoxLayout;
        row->addWidget(label);
        row->addWidget(field, 1);
        return row;
    };
    auto pairRow = [](const OptionButtons& pair) {
        auto* row = new QHBoxLayout;
        row->addWidget(pair[0], 1);
        row->addWidget(pair[1], 1);
        return row;
    };
    auto appliance = [&](const char* title, QLineEdit*& name, OptionButtons& motor,
                         OptionButtons& fixed, const QString& prefix, int which) {
        auto* box = new QGroupBox(QString::fromLatin1(title));
        auto* v = new QVBoxLayout(box);
        v->setSpacing(3);
        v->addLayout(nameRow(name, QStringLiteral("txt") + prefix, which));
        motor = optionPair("Motor", "NonMotor", QStringLiteral("opt") + prefix + "Motor", box);
        fixed = optionPair("Fixed", "Portable", QStringLiteral("opt") + prefix + "Fixed", box);
        v->addLayout(pairRow(motor));
        v->addLayout(pairRow(fixed));
        return box;
    };
    layout->addWidget(appliance("Other Appliance #1", txtOthApp1, optOthApp1Motor, optOthApp1Fixed,
                                QStringLiteral("OthApp1"), 0));
    layout->addWidget(appliance("Other Appliance #2", txtOthApp2, optOthApp2Motor, optOthApp2Fixed,
                                QStringLiteral("OthApp2"), 1));

    auto* lighting = new QGroupBox(QStringLiteral("Other Lighting"));
    auto* lv = new QVBoxLayout(lighting);
    lv->setSpacing(3);
    lv->addLayout(nameRow(txtOthLight, QStringLiteral("txtOthLight"), 2));
    optOthLightCont =
        optionPair("Continuous", "NonContinuous", QStringLiteral("optOthLightCont"), lighting);
    lv->addLayout(pairRow(optOthLightCont));
    layout->addWidget(lighting);

    auto* method = new QGroupBox(QStringLiteral("NEC Calculation Method"));
    auto* mv = new QVBoxLayout(method);
    mv->setSpacing(3);
    auto* group = new QButtonGroup(method);
    for (int i = 0; i < 3; ++i) {
        optNecMethod[i] = new QRadioButton(text(kMethodCaptions[i]));
        optNecMethod[i]->setObjectName(QStringLiteral("optNecMethod%1").arg(i));
        group->addButton(optNecMethod[i], i);
        mv->addWidget(optNecMethod[i]);
    }
    optNecMethod[0]->setChecked(true);
    layout->addWidget(method);
    return column;
}

QWidget* frmOneFam::buildBottom() {
    auto* bottom = new QWidget;
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(10, 6, 10, 0);
    row->setSpacing(14);

    auto* heat = new QVBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Heat Type"));
    txtHeatType = new QComboBox;
    txtHeatType->setObjectName(QStringLiteral("txtHeatType"));
    for (std::string_view entry : kHeatTypes)
        txtHeatType->addItem(text(entry));
    txtHeatType->setCurrentIndex(-1);
    txtHeatType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    caption->setBuddy(txtHeatType);
    heat->addStretch();
    heat->addWidget(caption);
    heat->addWidget(txtHeatType);
    row->addLayout(heat, 1);

    auto* ncl = new QGroupBox(QStringLiteral("    Net Computed Load"));
    auto* grid = new QGridLayout(ncl);
    grid->setHorizontalSpacing(8);
    auto amount = [&](const QString& name) {
        auto* label = new QLabel;
        label->setObjectName(name);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMargin(2);
        QFont f = label->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.15);
        label->setFont(f);
        label->setMinimumWidth(QFontMetrics(f).horizontalAdvance(QStringLiteral("0000000")) + 10);
        return label;
    };
    lblNclVa = amount(QStringLiteral("lblNclVa"));
    lblNclAmps = amount(QStringLiteral("lblNclAmps"));
    grid->addWidget(lblNclVa, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("VA")), 0, 1);
    grid->addWidget(lblNclAmps, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Amperes")), 1, 1);
    row->addWidget(ncl, 0, Qt::AlignBottom);
    return bottom;
}

void frmOneFam::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuPreview = file->addAction(QStringLiteral("Print Pre&view"));
    mnuPrint = file->addAction(QStringLiteral("&Print..."));
    file->addSeparator();
    mnuPrinterSetup = file->addAction(QStringLiteral("Printer &Setup"));
    mnuPreferences = file->addAction(QStringLiteral("Pre&ferences"));
    file->addSeparator();
    mnuExit = file->addAction(QStringLiteral("&Exit To Main Menu"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpContents = help->addAction(QStringLiteral("&Contents"));
    mnuHelpSearch = help->addAction(QStringLiteral("&Search For Help On..."));
    help->addSeparator();
    mnuAbout = help->addAction(QStringLiteral("&About Ampleton 97"));

    // Not available yet: report output comes with its own part.
    for (QAction* pending : {mnuPreview, mnuPrint})
        pending->setEnabled(false);

    connect(mnuPrinterSetup, &QAction::triggered, this, [this] { host::printerSetup(this); });

    connect(mnuPreferences, &QAction::triggered, this, [this] { showPreferences(this); });
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuHelpContents, &QAction::triggered, this, [] { helpContents(); });
    connect(mnuHelpSearch, &QAction::triggered, this, [] { helpSearch(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { showAbout(this); });
}

int frmOneFam::numericFieldIndex(const QObject* object) const {
    for (int i = 0; i < kEntryCount; ++i)
        if (Text1[i] == object)
            return i;
    return -1;
}

void frmOneFam::numericFieldChanged() {
    // The focused numeric field is checked, whichever field changed.
    const int focused = numericFieldIndex(QApplication::focusWidget());
    if (focused >= 0) {
        QLineEdit* field = Text1[focused];
        const QString t = field->text();
        if (!t.isEmpty() && (!readsAsNumber(t) || t.contains(u'.'))) {
            showError(this, kValidationMessage);
            // The Backspace arrives after this change has been handled, as a change of its own.
            QCoreApplication::postEvent(
                field, new QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier));
            QCoreApplication::postEvent(
                field, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier));
        }
    }
    applyEnablingRule();
    recalculate();
}

void frmOneFam::applyEnablingRule() {
    auto enable = [](bool on, std::initializer_list<QWidget*> widgets) {
        for (QWidget* w : widgets)
            w->setEnabled(on);
    };
    enable(!Text1[OtherAppliance1]->text().isEmpty(),
           {txtOthApp1, nameLabels_[0], optOthApp1Motor[0], optOthApp1Motor[1], optOthApp1Fixed[0],
            optOthApp1Fixed[1]});
    enable(!Text1[OtherAppliance2]->text().isEmpty(),
           {txtOthApp2, nameLabels_[1], optOthApp2Motor[0], optOthApp2Motor[1], optOthApp2Fixed[0],
            optOthApp2Fixed[1]});
    enable(!Text1[OtherLighting]->text().isEmpty(),
           {txtOthLight, nameLabels_[2], optOthLightCont[0], optOthLightCont[1]});
}

DwellingInput frmOneFam::readInput() const {
    DwellingInput in;
    for (int i = 0; i < kEntryCount; ++i)
        in.entryTexts[i] = Text1[i]->text().toStdString();
    for (int i = 0; i < 3; ++i)
        in.methodOptions[i] = optNecMethod[i]->isChecked();
    in.heatType = txtHeatType->currentIndex();
    auto pair = [](const OptionButtons& b) {
        return OptionPair{b[0]->isChecked(), b[1]->isChecked()};
    };
    in.otherApp1 = {txtOthApp1->text().toStdString(), pair(optOthApp1Motor), pair(optOthApp1Fixed)};
    in.otherApp2 = {txtOthApp2->text().toStdString(), pair(optOthApp2Motor), pair(optOthApp2Fixed)};
    in.otherLighting = {txtOthLight->text().toStdString(), pair(optOthLightCont)};
    return in;
}

void frmOneFam::recalculate() {
    resultValid() = false;
    QLineEdit* dryer = Text1[Dryer];
    const auto focus =
        QApplication::focusWidget() == dryer ? DryerFocus::InDryerField : DryerFocus::Elsewhere;
    const LoadCalculation calc = calculateLoad(readInput(), focus);
    // A calculation started while the message is up leaves the field to the one that shows it.
    if (calc.dryerMinimumApplied && !showingDryerMessage_) {
        showingDryerMessage_ = true;
        showError(this, text(kDryerMinimumMessage));
        showingDryerMessage_ = false;
        dryer->setFocus();
        dryer->setText(text(kDryerMinimumText)); // recalculates on its own, inner run first
    }
    lblNclVa->setText(QString::number(roundHalfEven(double(calc.result.netLoad))));
    lblNclAmps->setText(QString::number(calc.result.serviceAmps));
    resultValid() = true;
}

bool frmOneFam::eventFilter(QObject* watched, QEvent* event) {
    const int index = numericFieldIndex(watched);
    if (index < 0)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            Text1[(index + 1) % kEntryCount]->setFocus(Qt::TabFocusReason);
            return true;
        case Qt::Key_Up:
            Text1[(index + kEntryCount - 1) % kEntryCount]->setFocus(Qt::BacktabFocusReason);
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Only a move within the window counts; a message box or another program taking the
        // activation does not.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            recalculate();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmOneFam::setOptionButton(QRadioButton* button, bool on) {
    if (on) {
        button->setChecked(true);
        return;
    }
    if (!button->isChecked())
        return;
    QButtonGroup* group = button->group();
    if (group)
        group->setExclusive(false);
    button->setChecked(false);
    if (group)
        group->setExclusive(true);
}

void frmOneFam::toolbarButtonClicked(int index) {
    switch (index) {
    case 0:
        openDwelling(text(kOpenDwellingTitle));
        break;
    case 1:
        saveDwelling(text(kSaveDwellingTitle));
        break;
    default:
        break; // report commands: not available yet, their buttons are disabled
    }
}

frmOneFam* showDwellingWindow(QWidget* owner) {
    auto* window = new frmOneFam(owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

} // namespace ampleton
