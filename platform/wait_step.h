#pragma once
// Waiting for something another process holds: in short steps that let the program's events
// run, and given up as soon as the program is asked to end.
#include <chrono>

namespace win {

// Notes that the program is to end; safe in a signal handler. Waits give up from now on.
void NoteEndRequested() noexcept;
bool EndRequested() noexcept;

// Rests for `step`, then lets the program's pending events run.
void WaitStep(std::chrono::milliseconds step);

}  // namespace win
