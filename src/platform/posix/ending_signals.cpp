#include "platform/posix/ending_signals.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>

namespace zorvane::posix {
namespace {

constexpr int EndingSignals[] = {SIGHUP,    SIGINT,  SIGQUIT, SIGPIPE,   SIGALRM,
                                 SIGTERM,   SIGUSR1, SIGUSR2, SIGPOLL,   SIGPROF,
                                 SIGVTALRM, SIGXCPU, SIGXFSZ, SIGSTKFLT, SIGPWR};

void AddUnlessIgnored(sigset_t& mask, int signal) {
  if (!Ignored(signal)) sigaddset(&mask, signal);
}

}  // namespace

bool Ignored(int signal) {
  struct sigaction action {};
  return sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

SignalWatch WatchSignals(std::initializer_list<int> extra) {
  sigset_t mask;
  sigemptyset(&mask);
  for (int signal : EndingSignals) AddUnlessIgnored(mask, signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) AddUnlessIgnored(mask, signal);
  for (int signal : extra) sigaddset(&mask, signal);
  SignalWatch watch{-1, {}};
  sigprocmask(SIG_BLOCK, &mask, &watch.savedMask);
  watch.fd = signalfd(-1, &mask, SFD_CLOEXEC);
  return watch;
}

void StopWatching(const SignalWatch& watch) {
  if (watch.fd >= 0) close(watch.fd);
  sigprocmask(SIG_SETMASK, &watch.savedMask, nullptr);
}

int TakeSignal(const SignalWatch& watch) {
  signalfd_siginfo info{};
  if (read(watch.fd, &info, sizeof info) != sizeof info) return 0;
  return static_cast<int>(info.ssi_signo);
}

void EndBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  raise(signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  _exit(128 + signal);
}

}  // namespace zorvane::posix
