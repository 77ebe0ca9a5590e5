#include "program/dwelling/IconBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace ampleton {

namespace {
constexpr int kMargin = 4;
constexpr int kGap = 2;
} // namespace

IconBar::IconBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("IconBar"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setMouseTracking(true);

    StatusPanel = new QLabel;
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    StatusPanel->setFrameShape(QFrame::StyledPanel);
    StatusPanel->setFrameShadow(QFrame::Sunken);
    StatusPanel->setMinimumWidth(StatusPanel->fontMetrics().averageCharWidth() * 22);
    StatusPanel->setContentsMargins(6, 0, 6, 0);
    StatusPanel->setMouseTracking(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addSpacing(kToolbarButtonCount * (kToolbarCellWidth + kGap));
    layout->addStretch();
    layout->addWidget(StatusPanel);
    setMinimumHeight(kToolbarCellHeight + 2 * kMargin + 2 * frameWidth());
}

QRect IconBar::buttonRect(int index) const {
    const int top = (height() - kToolbarCellHeight) / 2;
    return {kMargin + frameWidth() + index * (kToolbarCellWidth + kGap), top, kToolbarCellWidth,
            kToolbarCellHeight};
}

void IconBar::setButtonEnabled(int index, bool enabled) {
    enabled_[index] = enabled;
    if (!enabled && highlighted_ == index)
        clearHighlight();
    setState(index, restingState(index));
}

ButtonState IconBar::restingState(int index) const {
    return enabled_[index] ? ButtonState::Flat : ButtonState::Grey;
}

void IconBar::setState(int index, ButtonState state) {
    if (states_[index] == state)
        return;
    states_[index] = state;
    update(buttonRect(index));
}

std::optional<int> IconBar::enabledButtonAt(const QPoint& pos) const {
    for (int i = 0; i < kToolbarButtonCount; ++i)
        if (enabled_[i] && buttonRect(i).contains(pos))
            return i;
    return std::nullopt;
}

void IconBar::showHighlight(int index) {
    StatusPanel->setText(QString::fromLatin1(kToolbarHints[index]));
    if (highlighted_ == index)
        return;
    highlighted_ = index;
    for (int i = 0; i < kToolbarButtonCount; ++i)
        setState(i, i == index ? ButtonState::Raised : restingState(i));
}

void IconBar::clearHighlight() {
    StatusPanel->clear();
    if (highlighted_) {
        setState(*highlighted_, restingState(*highlighted_));
        highlighted_.reset();
    }
}

void IconBar::mouseMoveEvent(QMouseEvent* event) {
    if (const auto i = enabledButtonAt(event->position().toPoint())) {
        if (!pressed_)
            showHighlight(*i);
    } else if (!pressed_) {
        clearHighlight();
    }
    QFrame::mouseMoveEvent(event);
}

void IconBar::mousePressEvent(QMouseEvent* event) {
    const auto i = enabledButtonAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !i)
        return QFrame::mousePressEvent(event);
    pressed_ = i;
    showHighlight(*i);
    setState(*i, ButtonState::Sunken);
}

void IconBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return QFrame::mouseReleaseEvent(event);
    const int index = *pressed_;
    pressed_.reset();
    setState(index, ButtonState::Raised);
    if (enabledButtonAt(event->position().toPoint()) != index) {
        clearHighlight();
        return;
    }
    // A click: flat while the action runs, then no highlight.
    setState(index, ButtonState::Flat);
    emit buttonClicked(index);
    clearHighlight();
}

void IconBar::leaveEvent(QEvent* event) {
    if (!pressed_)
        clearHighlight();
    QFrame::leaveEvent(event);
}

void IconBar::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const qreal dpr = devicePixelRatioF();
    for (int i = 0; i < kToolbarButtonCount; ++i)
        p.drawPixmap(buttonRect(i).topLeft(), toolbarCell(ToolbarImage(i), states_[i], dpr));
}

} // namespace ampleton
