#pragma once
// The dwelling window: the 20 numeric entries, the other loads, the method and heat type, and the
// Net Computed Load that follows every change.

#include "program/dwelling/DwellingInput.h"

#include <QMainWindow>

#include <array>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace ampleton {

class IconBar;

inline constexpr const char* kDwellingWindowTitle = "OneFamily Dwelling";

// An option pair: index 0 the first button ("Motor", "Fixed", "Continuous"), 1 the second.
using OptionButtons = std::array<QRadioButton*, 2>;

class frmOneFam : public QMainWindow {
    Q_OBJECT
public:
    explicit frmOneFam(QWidget* owner = nullptr);

    std::array<QLineEdit*, kEntryCount> Text1;
    std::array<QLabel*, kEntryCount> Label1;
    std::array<QRadioButton*, 3> optNecMethod;
    QComboBox* txtHeatType;
    QLineEdit* txtOthApp1;
    QLineEdit* txtOthApp2;
    QLineEdit* txtOthLight;
    OptionButtons optOthApp1Motor, optOthApp1Fixed;
    OptionButtons optOthApp2Motor, optOthApp2Fixed;
    OptionButtons optOthLightCont;
    QLabel* lblNclVa;
    QLabel* lblNclAmps;
    ampleton::IconBar* IconBar;
    QLabel* StatusPanel;

    QAction* mnuPreview;
    QAction* mnuPrint;
    QAction* mnuPrinterSetup;
    QAction* mnuPreferences;
    QAction* mnuExit;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuAbout;

    // The window's content as the calculation and the dwelling file read it.
    DwellingInput readInput() const;

    // Recalculates with mode "ReportNo" and shows the Net Computed Load.
    void recalculate();

    // The open and save operations of the toolbar's first two buttons.
    void openDwelling(const QString& dialogTitle);
    void saveDwelling(const QString& dialogTitle);

    // Sets or clears one option button; setting selects it within its pair or group.
    static void setOptionButton(QRadioButton* button, bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildEntries();
    QWidget* buildOtherLoads();
    QWidget* buildBottom();
    void buildMenus();
    void numericFieldChanged();
    void applyEnablingRule();
    void toolbarButtonClicked(int index);
    int numericFieldIndex(const QObject* object) const;

    std::array<QWidget*, 3> nameLabels_{};
    bool showingDryerMessage_ = false;
};

// Opens a new, empty dwelling window modally over `owner` without blocking the caller; the window
// deletes itself on closing.
frmOneFam* showDwellingWindow(QWidget* owner);

} // namespace ampleton
