// MessageBoxW's title and its copy on stderr. This is not a conformance test: on
// Windows the box is modal, and no call of the program's subset can read its
// title or dismiss it (a pending quit message dismisses it unseen), so only the
// portable side is checked here, against what Windows shows: a box with no
// caption is titled "Error".
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "tests/support/scripted_host.h"

namespace {

TEST(MessageBox, IsTitledErrorWithoutACaptionAndCopiedToStderr) {
  struct box_case {
    LPCWSTR caption;
    LPCWSTR text;
    const char* title;
    const char* shown_text;
  };
  const box_case cases[] = {
      {nullptr, u"No microphone", "Error", "No microphone"},
      {u"Warblet", u"Sorry \u00e9", "Warblet", "Sorry \xc3\xa9"},
      {nullptr, nullptr, "Error", ""},
  };
  for (const box_case& c : cases) {
    SCOPED_TRACE(c.title);
    scripted::host host;
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxW(nullptr, c.text, c.caption, MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(c.title) + ": " + c.shown_text + "\n");
    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(host.message_boxes()[0].title, c.title);
    EXPECT_EQ(host.message_boxes()[0].text, c.shown_text);
  }
}

}  // namespace
