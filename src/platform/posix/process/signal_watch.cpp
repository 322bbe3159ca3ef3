#include "platform/posix/process/signal_watch.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>

namespace zorvane::posix {
namespace {

constexpr int EndingSignals[] = {SIGHUP,    SIGINT,  SIGQUIT, SIGPIPE,   SIGALRM,
                                 SIGTERM,   SIGUSR1, SIGUSR2, SIGPOLL,   SIGPROF,
                                 SIGVTALRM, SIGXCPU, SIGXFSZ, SIGSTKFLT, SIGPWR};

// A signal the caller ignored stays ignored, and one it blocked stays
// blocked: neither is the box's to act on.
void AddUnlessLeftAlone(sigset_t& mask, const sigset_t& callerMask, int signal) {
  if (!Ignored(signal) && sigismember(&callerMask, signal) != 1) sigaddset(&mask, signal);
}

}  // namespace

bool Ignored(int signal) {
  struct sigaction action {};
  return sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

SignalWatch WatchSignals(std::initializer_list<int> extra) {
  SignalWatch watch{-1, {}};
  sigprocmask(SIG_BLOCK, nullptr, &watch.savedMask);
  sigset_t mask;
  sigemptyset(&mask);
  for (int signal : EndingSignals) AddUnlessLeftAlone(mask, watch.savedMask, signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
    AddUnlessLeftAlone(mask, watch.savedMask, signal);
  for (int signal : extra) {
    if (sigismember(&watch.savedMask, signal) != 1) sigaddset(&mask, signal);
  }
  sigprocmask(SIG_BLOCK, &mask, nullptr);
  watch.fd = signalfd(-1, &mask, SFD_CLOEXEC | SFD_NONBLOCK);
  // Without the descriptor nobody would read them: they keep their
  // default actions rather than wait blocked for ever.
  if (watch.fd < 0) sigprocmask(SIG_SETMASK, &watch.savedMask, nullptr);
  return watch;
}

void StopWatching(const SignalWatch& watch) {
  if (watch.fd >= 0) close(watch.fd);
  sigprocmask(SIG_SETMASK, &watch.savedMask, nullptr);
}

int TakeSignal(const SignalWatch& watch) {
  signalfd_siginfo info{};
  if (watch.fd < 0 || read(watch.fd, &info, sizeof info) != sizeof info) return 0;
  return static_cast<int>(info.ssi_signo);
}

void LetThrough(int signal) {
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  sigprocmask(SIG_BLOCK, &only, nullptr);
}

void DiscardPending(int signal) {
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  const timespec now{};
  while (sigtimedwait(&only, nullptr, &now) == signal) {
  }
}

void EndBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  raise(signal);
  LetThrough(signal);
  _exit(128 + signal);
}

}  // namespace zorvane::posix
