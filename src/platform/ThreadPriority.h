#pragma once

// Scheduling of the desk's threads: the sound output runs real-time where the system grants it, so that a
// busy machine never makes it late; background work stays at normal priority, below it.
namespace ThreadPriority {

// The calling thread's id as the kernel knows it (what the functions below take).
long currentThread();
// True when the thread runs under a real-time policy (FIFO or round robin).
bool isRealtime(long thread);
// The calling thread does background work: it gets its fair share of the processor (a busy machine does not
// starve it), but waking up it never pushes in front of the threads that wait for it (batch scheduling).
void makeBackground();
// Makes the thread real-time (FIFO, at a priority just below a sound server's usual one) where the desk has
// the right (a real-time limit or the capability); false when the system refuses.
bool makeRealtime(long thread);

} // namespace ThreadPriority
