#pragma once

// Background work that must never hold up the sound or the window.
namespace ThreadPriority {
// Lowers the calling thread's scheduling priority (a nice value of 10 where threads have their own).
void lowerCurrent();
} // namespace ThreadPriority
