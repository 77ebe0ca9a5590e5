#pragma once
// The toolbar strip of the dwelling window: four image buttons at the left, the hint panel at the
// right end. The strip keeps which button is highlighted and draws each one flat, raised, sunken or
// grey as the mouse moves over it.

#include "program/dwelling/ToolbarPicture.h"

#include <QFrame>

#include <array>
#include <optional>

class QLabel;

namespace ampleton {

class IconBar : public QFrame {
    Q_OBJECT
public:
    explicit IconBar(QWidget* parent = nullptr);

    QLabel* StatusPanel;

    void setButtonEnabled(int index, bool enabled);
    bool isButtonEnabled(int index) const { return enabled_[index]; }
    ButtonState buttonState(int index) const { return states_[index]; }
    std::optional<int> highlighted() const { return highlighted_; }
    QRect buttonRect(int index) const;

    // The mouse is over the strip outside the buttons or over the window: no hint, no highlight.
    void clearHighlight();

signals:
    void buttonClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::optional<int> enabledButtonAt(const QPoint& pos) const;
    void showHighlight(int index);
    void setState(int index, ButtonState state);
    ButtonState restingState(int index) const;

    std::array<ButtonState, kToolbarButtonCount> states_{};
    std::array<bool, kToolbarButtonCount> enabled_{true, true, true, true};
    std::optional<int> highlighted_;
    std::optional<int> pressed_;
};

// The hints shown in the status panel, by button.
inline constexpr std::array<const char*, kToolbarButtonCount> kToolbarHints = {
    "Load file", "Save file", "Preview report", "Print report"};

} // namespace ampleton
