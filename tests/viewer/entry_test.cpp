// The program's entry point on the scripted host.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "tests/support/scripted_host.h"

namespace {

TEST(Entry, RunsTheApplicationAndReturnsItsExitCode) {
  scripted::host host;
  WCHAR name[] = u"warblet";
  WCHAR* argv[] = {name, nullptr};
  __argc = 1;
  __wargv = argv;
  // The window opens; closing it a second later ends the run with code 0.
  host.close_request_at(1000000000);
  EXPECT_EQ(wWinMain(GetModuleHandleW(nullptr), nullptr, name + 7, SW_SHOWDEFAULT), 0);
  EXPECT_TRUE(host.message_boxes().empty());
  EXPECT_GE(host.now(), 1000000000);
}

}  // namespace
