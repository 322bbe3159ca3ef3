#pragma once

#include <sys/types.h>
#include <termios.h>

#include <optional>
#include <string>

#include "platform/posix/process/signal_watch.h"
#include "platform/posix/terminal/box_reducer.h"
#include "platform/posix/terminal/frame.h"
#include "platform/posix/terminal/key_reader.h"

namespace zorvane::posix {

// The box's lease on the controlling terminal. The box never takes the
// terminal from another process group: outside the foreground it waits,
// stopped, as any job that reads the terminal does, until `fg`; and it
// writes nothing to the terminal while it is not in the foreground.
struct Terminal {
  int fd;                         // the controlling terminal, never stdout or stderr
  SignalWatch signals;            // read beside the keys
  termios saved;                  // the caller's mode, restored exactly
  int lock = -1;                  // holds the terminal against other boxes until closed
  bool held = false;              // in the box's mode and on its screen now
  long queriedAt = -1;            // when the attributes query went out (monotonic ms); -1 before
  bool replied = false;           // the terminal answered it
  bool keyboardProtocol = false;  // the protocol that sends Escape unambiguously is on
  bool below = false;             // no alternate screen: the box is drawn below the output
  KeyTable keys{};                // what its keys send, from its terminfo entry
  int room = 0;                   // below: the bottom rows made free for the box
  int roomTop = 0;                // below: the screen row where they start
  int scrolled = 0;               // below: rows scrolled since the next line's place was saved
};

// Opens /dev/tty once this process is in the terminal's foreground and no
// other box holds it, and takes the signals that must restore the
// terminal. Outside it, the process stops until brought there; an ending
// signal meanwhile ends it with the terminal untouched. No value without
// a terminal, or where stopping cannot help (an orphaned group, SIGTTOU
// ignored or blocked).
std::optional<Terminal> OpenTerminal();

// Raw keys, the box's own screen (or, without one, the room below the
// output that PlaceBox makes), no cursor, bracketed paste, the keyboard
// protocol where the terminal has it, nothing typed before the box could
// be seen; the first time, the queries for the terminal's keyboard
// protocol and attributes.
void TakeTerminal(Terminal& terminal);

// The screen row where a box of `rows` rows starts: 0 on the alternate
// screen; below the output, the bottom rows, made free by scrolling the
// output up where they are not yet.
int PlaceBox(Terminal& terminal, Screen screen, int rows);

// What the terminal reported: the keyboard protocol turned on where it
// has it, the replies marked in.
void TakeReport(Terminal& terminal, Report report);

// The caller's mode, cursor and screen back, once the terminal has
// answered the attributes query or a second has passed since it was sent
// (the answer, read through `reader`, must not reach the next program);
// the terminal closed and left to the next box.
void CloseTerminal(Terminal& terminal, KeyReader& reader);

enum class LeaseOutcome { Unchanged, Redraw, Lost };

// Acts on a signal taken from `terminal.signals`: a window change needs a
// redraw; a stop from outside gives the terminal back, stops, and takes
// it again once continued in the foreground; a continue alone puts the
// box's mode back; an ending signal restores the terminal and ends the
// process by that signal. Lost when the terminal cannot be had again.
LeaseOutcome HandleSignal(Terminal& terminal, int signal, KeyReader& reader);

// The caller's interrupt, quit and suspend characters, where its mode
// has the line discipline act on them.
LineKeys LineKeysOf(const Terminal& terminal);

// Carries out what the reducer asked for: interrupt and quit raised for
// the job, or, for suspend (which the box's mode leaves to the box), the
// terminal given back, the job stopped and the terminal taken again once
// continued in the foreground.
LeaseOutcome CarryOut(Terminal& terminal, KeyReader& reader, Effect effect);

Screen MeasureScreen(int fd);

}  // namespace zorvane::posix
