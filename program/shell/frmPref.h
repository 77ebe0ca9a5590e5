#pragma once
// The preferences dialog: report header lines, the print-header flag and the default data
// directory, stored in "Ampleton.ini" by "Save".

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ampleton {

class frmPref : public QDialog {
    Q_OBJECT
public:
    explicit frmPref(QWidget* owner = nullptr);

    QLineEdit* txtName;
    QLineEdit* txtCompany;
    QLineEdit* txtAddress;
    QLineEdit* txtCityState;
    QCheckBox* chkPrintHeader;
    QLabel* lblDefaultDataDir;
    QLabel* lblDrive;
    QPushButton* cmdChooseFolder; // stands in for the drive and directory lists
    QPushButton* cmdPrefOk;
    QPushButton* cmdPrefCancel;

    // The folder the directory list shows.
    QString directory() const { return directory_; }

private:
    void chooseFolder();
    void showDirectory(const QString& path);
    void save();

    QString directory_;
};

// Opens the dialog modally over `owner` without blocking the caller; it deletes itself on closing.
frmPref* showPreferences(QWidget* owner);

} // namespace ampleton
