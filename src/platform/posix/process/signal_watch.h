#pragma once

#include <signal.h>

#include <initializer_list>

namespace zorvane::posix {

// Signals taken through a descriptor while a box is open, so that the box
// is closed in ordinary code before the signal takes effect.
struct SignalWatch {
  int fd;  // a signalfd, -1 where none could be made
  sigset_t savedMask;
};

// Blocks every signal whose default action ends the process and that can
// come from outside, and `extra`, except those the caller left ignored or
// blocked (they stay so), and reads them all from one descriptor, which
// never blocks. Where none can be made, nothing is blocked.
SignalWatch WatchSignals(std::initializer_list<int> extra);

// The process's own signal mask back; the descriptor closed.
void StopWatching(const SignalWatch& watch);

// Whether the caller left `signal` ignored.
bool Ignored(int signal);

// The next signal from the watch, 0 when none is pending.
int TakeSignal(const SignalWatch& watch);

// Unblocks `signal` for a moment, so that one pending takes its action
// here and now (ends or stops the process), then blocks it again.
void LetThrough(int signal);

// Drops a pending `signal` (blocked, as the watch's are), so that the
// watch does not deliver it again later.
void DiscardPending(int signal);

// Ends the process by `signal` itself, so the caller sees it as killed by
// it, once the box is gone and the watch stopped.
[[noreturn]] void EndBySignal(int signal);

}  // namespace zorvane::posix
