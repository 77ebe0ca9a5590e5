#pragma once
// The About window of the main window and the dwelling window.

#include <QDialog>

class QPushButton;

namespace ampleton {

inline constexpr const char* kAboutLine = "Ampleton 97  ver1.0";

class frmAboutAmpleton : public QDialog {
    Q_OBJECT
public:
    explicit frmAboutAmpleton(QWidget* owner = nullptr);
    QPushButton* cmdAccept;
};

// Opens the window modally over `owner` without blocking the caller; it deletes itself on closing.
frmAboutAmpleton* showAbout(QWidget* owner);

} // namespace ampleton
