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
  // No window can be created yet: the run ends at once, saying so, with code 1.
  EXPECT_EQ(wWinMain(GetModuleHandleW(nullptr), nullptr, name + 7, SW_SHOWDEFAULT), 1);
  ASSERT_EQ(host.message_boxes().size(), 1u);
  EXPECT_TRUE(host.waits().empty());
}

}  // namespace
