#include "platform/posix/desktop/desktop_box.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/box/helper_request.h"
#include "platform/posix/process/executable_directory.h"
#include "platform/posix/process/signal_watch.h"

namespace zorvane::posix {
namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

// A descriptor at 3 or above, so that it can never be a standard stream
// the caller left closed; -1 where none could be had.
int AboveStreams(int fd) {
  if (fd < 0 || fd > STDERR_FILENO) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  close(fd);
  return moved;
}

// The child's standard streams lead nowhere, whatever the caller's were,
// so the toolkit's own messages and any descriptor it opens stay off
// them. Where /dev/null cannot be opened, a pipe whose other end is
// closed does as well: reads find its end, writes fail.
void QuietStreams() {
  int quiet = open("/dev/null", O_RDWR | O_CLOEXEC);
  int ends[2] = {-1, -1};
  if (quiet < 0 && pipe2(ends, O_CLOEXEC) == 0) {
    std::signal(SIGPIPE, SIG_IGN);
  }
  for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    int from = quiet;
    if (quiet < 0) from = stream == STDIN_FILENO ? ends[0] : ends[1];
    if (from != stream) dup2(from, stream);
  }
}

// Where the GTK helper is: installed beside the other libraries, or
// beside the binary in a build tree; "" where there is none.
std::string FindHelper() {
  const std::string name = GtkHelperName;
  return BesideExecutable({"/../lib/zorvane/" + name, "/" + name}, X_OK);
}

// The child: dies with its parent, keeps the toolkit away from the
// caller's streams and descriptors, and becomes the GTK helper, which
// hands back its answer through the channel at ReplyDescriptor.
[[noreturn]] void ShowInChild(int channel, pid_t parent, const SignalWatch& watch,
                              const std::string& helper,
                              const std::vector<std::string>& arguments) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);  // kept across the exec
  if (getppid() != parent) _exit(0);
  sigprocmask(SIG_SETMASK, &watch.savedMask, nullptr);
  // The channel goes where the helper writes, open across the exec;
  // nothing else of the caller's reaches the toolkit. Closed first, so
  // that the quiet streams find a descriptor free under a tight limit.
  if (channel == ReplyDescriptor) {
    fcntl(channel, F_SETFD, 0);
  } else {
    dup2(channel, ReplyDescriptor);
  }
  close_range(ReplyDescriptor + 1, ~0U, 0);
  QuietStreams();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(helper.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(helper.c_str(), argv.data());
  const int declined = ZorvaneBoxDeclined;  // no helper could be run
  if (write(ReplyDescriptor, &declined, sizeof declined) != sizeof declined) _exit(1);
  _exit(0);
}

// What the child handed back; no value when it ended without a word.
std::optional<int> ReadReply(int channel) {
  int code = 0;
  std::size_t got = 0;
  auto* bytes = reinterpret_cast<char*>(&code);
  while (got < sizeof code) {
    const ssize_t length = read(channel, bytes + got, sizeof code - got);
    if (length <= 0) return std::nullopt;
    got += static_cast<std::size_t>(length);
  }
  return code;
}

struct Reply {
  bool shown = false;         // the helper said its box was on the screen
  std::optional<int> answer;  // none when it ended without one
};

// Waits for the child's words. A signal to the caller closes the box first
// and then ends the process by that signal; it is looked at before the
// pipe, because a Ctrl-C reaches the child at the same moment.
Reply AwaitReply(int channel, pid_t child, const SignalWatch& watch) {
  Reply reply;
  for (;;) {
    pollfd watched[2] = {{watch.fd, POLLIN, 0}, {channel, POLLIN, 0}};
    const int ready = poll(watched, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) {
      // Nothing can be waited for: the box goes, and what it said stands.
      kill(child, SIGKILL);
      return reply;
    }
    if (watched[0].revents & POLLIN) {
      const int signal = TakeSignal(watch);
      if (signal == 0) continue;
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      StopWatching(watch);
      EndBySignal(signal);
    }
    if (!watched[1].revents) continue;
    reply.answer = ReadReply(channel);
    if (reply.answer != ZorvaneBoxShown) return reply;
    reply.shown = true;
  }
}

// Declined, or ended before a box was shown (the helper could not start,
// as where GTK is missing): none, so that the terminal box is shown.
std::optional<int> AnswerOf(const Reply& reply) {
  if (reply.answer == ZorvaneBoxDeclined) return std::nullopt;
  if (reply.answer) return reply.answer;
  if (reply.shown) return 0;  // shown, then gone without an answer
  return std::nullopt;
}

}  // namespace

std::optional<int> ShowDesktopBox(const std::string& text, const std::string& title,
                                  const BoxStyle& style) {
  if (!HasDisplay()) return std::nullopt;
  const std::string helper = FindHelper();
  if (helper.empty()) return std::nullopt;
  const std::vector<std::string> arguments = HelperArguments({text, title, style});
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) return std::nullopt;
  // With a standard stream closed, the pipe could be handed that number,
  // and the child's quiet streams would then cover the answer.
  channel[0] = AboveStreams(channel[0]);
  channel[1] = AboveStreams(channel[1]);
  if (channel[0] < 0 || channel[1] < 0) {
    for (int end : channel) {
      if (end >= 0) close(end);
    }
    return std::nullopt;
  }
  const SignalWatch watch = WatchSignals({});
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child == 0) ShowInChild(channel[1], parent, watch, helper, arguments);
  close(channel[1]);
  Reply reply;
  if (child > 0) {
    reply = AwaitReply(channel[0], child, watch);
    waitpid(child, nullptr, 0);
  }
  close(channel[0]);
  StopWatching(watch);
  if (child < 0) return std::nullopt;
  return AnswerOf(reply);
}

}  // namespace zorvane::posix
