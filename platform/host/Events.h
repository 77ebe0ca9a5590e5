#pragma once
// A beep and letting pending window events run.

namespace host {

void beep();
// How many beeps the process has sounded; tests read it back.
int beepCount();

// Runs the window events that are waiting, then returns.
void doEvents();

} // namespace host
