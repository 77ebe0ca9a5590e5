#include "program/shell/frmAboutAmpleton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ampleton {

frmAboutAmpleton::frmAboutAmpleton(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAboutAmpleton"));
    setWindowTitle(QStringLiteral("About Ampleton 97"));

    auto* title = new QLabel(QString::fromLatin1(kAboutLine));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* what = new QLabel(QStringLiteral("Electrical service load of a one-family dwelling\n"
                                           "by the NEC load-calculation methods."));
    what->setAlignment(Qt::AlignCenter);

    cmdAccept = new QPushButton(QStringLiteral("Accept"));
    cmdAccept->setDefault(true);
    connect(cmdAccept, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdAccept);
    row->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(title);
    layout->addWidget(what);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmAboutAmpleton* showAbout(QWidget* owner) {
    auto* about = new frmAboutAmpleton(owner);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
    return about;
}

} // namespace ampleton
