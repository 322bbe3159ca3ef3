// What the box learns of its terminal: which device file locks it, and
// whether it has an alternate screen.
#include <gtest/gtest.h>

#include "platform/posix/terminal/alternate_screen.h"
#include "platform/posix/terminal/terminal_device.h"

namespace zorvane::posix {
namespace {

TEST(TerminalDevicePath, PseudoTerminalsConsolesAndSerialLines) {
  EXPECT_EQ(TerminalDevicePath(136, 3, ""), "/dev/pts/3");
  EXPECT_EQ(TerminalDevicePath(137, 1, ""), "/dev/pts/257");
  EXPECT_EQ(TerminalDevicePath(4, 1, "MAJOR=4\nMINOR=1\nDEVNAME=tty1\n"), "/dev/tty1");
  EXPECT_EQ(TerminalDevicePath(4, 64, "MAJOR=4\nMINOR=64\nDEVNAME=ttyS0\n"), "/dev/ttyS0");
  EXPECT_EQ(TerminalDevicePath(188, 0, "MAJOR=188\nMINOR=0\nDEVNAME=ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(TerminalDevicePath(166, 0, "DEVNAME=ttyACM0\n"), "/dev/ttyACM0");
  EXPECT_EQ(TerminalDevicePath(4, 64, ""), "");
  EXPECT_EQ(TerminalDevicePath(4, 64, "DEVNAME=../etc/passwd\n"), "");
  EXPECT_EQ(TerminalDevicePath(4, 64, "DEVNAME=/etc/passwd\n"), "");
}

TEST(HasAlternateScreen, UnlessTheEntryLacksOneOrTheMultiplexerTurnedItOff) {
  const TerminfoEntry xterm{true, true, {}}, linux{true, false, {}}, unknown{};
  EXPECT_TRUE(HasAlternateScreen({xterm, false, false}));
  EXPECT_TRUE(HasAlternateScreen({unknown, false, false}));
  EXPECT_FALSE(HasAlternateScreen({linux, false, false}));
  EXPECT_FALSE(HasAlternateScreen({xterm, true, false}));  // GNU screen
  EXPECT_FALSE(HasAlternateScreen({xterm, false, true}));  // tmux's option off
}

}  // namespace
}  // namespace zorvane::posix
