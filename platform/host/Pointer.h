#pragma once
// The screen's mouse pointer. Long operations show the hourglass and put the previous pointer back.

namespace host {

// Values as the host environment numbers them.
enum class MousePointer { Default = 0, Arrow = 1, Hourglass = 11 };

void setMousePointer(MousePointer pointer);
MousePointer mousePointer();

// Shows the hourglass for its lifetime.
class HourglassPointer {
public:
    HourglassPointer();
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;

private:
    MousePointer previous_;
};

} // namespace host
