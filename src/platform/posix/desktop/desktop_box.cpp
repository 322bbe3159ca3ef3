#include "platform/posix/desktop/desktop_box.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
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

// A pipe with both ends at 3 or above; false where none could be had.
bool AbovePipe(int ends[2]) {
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  ends[0] = AboveStreams(ends[0]);
  ends[1] = AboveStreams(ends[1]);
  if (ends[0] >= 0 && ends[1] >= 0) return true;
  for (int i = 0; i < 2; ++i) {
    if (ends[i] >= 0) close(ends[i]);
    ends[i] = -1;
  }
  return false;
}

// The child's standard streams lead nowhere, whatever the caller's were,
// so the toolkit and any descriptor it opens stay off them; but standard
// error where it is already the pipe to the parent. Where /dev/null
// cannot be opened, a pipe whose other end is closed does as well: reads
// find its end, writes fail.
void QuietStreams(bool errorsToParent) {
  int quiet = open("/dev/null", O_RDWR | O_CLOEXEC);
  int ends[2] = {-1, -1};
  if (quiet < 0 && pipe2(ends, O_CLOEXEC) == 0) {
    std::signal(SIGPIPE, SIG_IGN);
  }
  for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (stream == STDERR_FILENO && errorsToParent) continue;
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
// hands back its answer through the channel at ReplyDescriptor and says on
// its standard error, the `errors` pipe, why it could not start.
[[noreturn]] void ShowInChild(int channel, int errors, pid_t parent, const SignalWatch& watch,
                              const std::string& helper,
                              const std::vector<std::string>& arguments) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);  // kept across the exec
  if (getppid() != parent) _exit(0);
  sigprocmask(SIG_SETMASK, &watch.savedMask, nullptr);
  if (errors >= 0) dup2(errors, STDERR_FILENO);
  // The channel goes where the helper writes, open across the exec;
  // nothing else of the caller's reaches the toolkit. Closed first, so
  // that the quiet streams find a descriptor free under a tight limit.
  if (channel == ReplyDescriptor) {
    fcntl(channel, F_SETFD, 0);
  } else {
    dup2(channel, ReplyDescriptor);
  }
  close_range(ReplyDescriptor + 1, ~0U, 0);
  QuietStreams(errors >= 0);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(helper.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(helper.c_str(), argv.data());
  const std::string why = std::string(GtkHelperName) + ": " + std::strerror(errno) + "\n";
  [[maybe_unused]] const ssize_t said = write(STDERR_FILENO, why.data(), why.size());
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
  std::string said;           // the start of what it wrote on its standard error
};

// Keeps the first line of what the child writes on its standard error, and
// reads the rest away so that it never waits on a full pipe.
void TakeWords(int errors, std::string& said) {
  char bytes[512];
  const ssize_t length = read(errors, bytes, sizeof bytes);
  if (length <= 0) return;
  if (said.size() < sizeof bytes) said.append(bytes, static_cast<std::size_t>(length));
}

std::string FirstLine(const std::string& said) {
  return said.substr(0, std::min(said.find('\n'), std::size_t{240}));
}

// Waits for the child's words. A signal to the caller closes the box first
// and then ends the process by that signal; it is looked at before the
// pipe, because a Ctrl-C reaches the child at the same moment.
Reply AwaitReply(int channel, int errors, pid_t child, const SignalWatch& watch) {
  Reply reply;
  for (;;) {
    pollfd watched[3] = {{watch.fd, POLLIN, 0}, {channel, POLLIN, 0}, {errors, POLLIN, 0}};
    const int ready = poll(watched, 3, -1);
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
    if (watched[2].revents & POLLIN) TakeWords(errors, reply.said);
    if (watched[2].revents & (POLLHUP | POLLERR)) errors = -1;  // poll passes it by
    if (!watched[1].revents) continue;
    reply.answer = ReadReply(channel);
    if (reply.answer != ZorvaneBoxShown) return reply;
    reply.shown = true;
  }
}

std::string HowItEnded(int status) {
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return "exit status " + std::to_string(WEXITSTATUS(status));
}

std::string DisplayName() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return {};
}

// A button's code; else why none came: before a box was shown (the
// helper could not start, as where GTK is missing, or could not open the
// display: the terminal box is tried), or after (it went away: 0).
DesktopOutcome AnswerOf(const Reply& reply, int status) {
  if (reply.answer && *reply.answer >= 0) return {reply.answer, {}};
  const std::string said = FirstLine(reply.said);
  switch (reply.answer.value_or(ZorvaneBoxShown)) {
    case ZorvaneDisplayRefused: return {std::nullopt, {Unanswered::DisplayRefused, DisplayName()}};
    case ZorvaneWindowClosed: return {std::nullopt, {Unanswered::WindowClosed, {}, true}};
    case ZorvaneDisplayLost: return {std::nullopt, {Unanswered::DisplayLost, {}, true}};
    case ZorvaneBoxDeclined: return {std::nullopt, {Unanswered::CouldNotStart, said}};
    default: break;
  }
  if (reply.shown) return {std::nullopt, {Unanswered::Ended, HowItEnded(status), true}};
  return {std::nullopt,
          {said.empty() ? Unanswered::Ended : Unanswered::CouldNotStart,
           said.empty() ? HowItEnded(status) : said}};
}

}  // namespace

DesktopOutcome ShowDesktopBox(const std::string& text, const std::string& title,
                              const BoxStyle& style) {
  if (!HasDisplay()) return {std::nullopt, {Unanswered::NoDisplay}};
  const std::string helper = FindHelper();
  if (helper.empty()) return {std::nullopt, {Unanswered::NotInstalled}};
  const std::vector<std::string> arguments = HelperArguments({text, title, style});
  const auto noProcess = [] {
    return DesktopOutcome{std::nullopt, {Unanswered::CouldNotStart, "no process could be made"}};
  };
  // With a standard stream closed, a pipe could be handed that number, and
  // the child's quiet streams would then cover it.
  int channel[2] = {-1, -1};
  if (!AbovePipe(channel)) return noProcess();
  // The helper's standard error, which says why it could not start, where
  // descriptors are left for it; without, how it ended says what it can.
  int errors[2] = {-1, -1};
  if (AbovePipe(errors)) fcntl(errors[0], F_SETFL, O_NONBLOCK);
  const SignalWatch watch = WatchSignals({});
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child == 0) ShowInChild(channel[1], errors[1], parent, watch, helper, arguments);
  close(channel[1]);
  if (errors[1] >= 0) close(errors[1]);
  Reply reply;
  int status = 0;
  if (child > 0) {
    reply = AwaitReply(channel[0], errors[0], child, watch);
    waitpid(child, &status, 0);
    if (errors[0] >= 0) TakeWords(errors[0], reply.said);  // what came just before its end
  }
  close(channel[0]);
  if (errors[0] >= 0) close(errors[0]);
  StopWatching(watch);
  if (child < 0) return noProcess();
  return AnswerOf(reply, status);
}

}  // namespace zorvane::posix
