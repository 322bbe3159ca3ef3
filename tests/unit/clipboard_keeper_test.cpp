#include "platform/posix/desktop/gtk/clipboard_keeper.h"

#include <gtest/gtest.h>

namespace zorvane::posix {
namespace {

// A keeper on a forwarded display would hold the ssh session open.
TEST(IsLocalDisplay, OnlyThisMachinesOwnServer) {
  for (const char* local : {":0", ":0.0", ":10", "unix:0", "unix:1.0"})
    EXPECT_TRUE(IsLocalDisplay(local)) << local;
  for (const char* remote : {"localhost:10.0", "127.0.0.1:0", "host:0", "[::1]:0", "", "0"})
    EXPECT_FALSE(IsLocalDisplay(remote)) << remote;
}

}  // namespace
}  // namespace zorvane::posix
