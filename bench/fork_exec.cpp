// fork_exec COMMAND [ARG...]: runs the command as zorvane runs its GTK
// helper, from a small dynamically linked parent that forks, execs it in
// the child and waits. A bare GtkDialog behind it is the floor of a tool
// whose box is a program of its own.
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const pid_t child = fork();
  if (child == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // ends with the parent, as zorvane's helper does
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  return 0;
}
