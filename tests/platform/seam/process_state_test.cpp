// The process state: each library's part made on first use and dropped, the
// newest first, when a host is installed, so that each host starts a fresh
// process without the windows, objects, devices and handles the last one had
// open; and the parts' work done whenever the program enters a wait.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/portable/seam/process_state.h"
#include "platform/win32.h"
#include "tests/support/scripted_host.h"

namespace {

std::vector<std::string> lifetimes;

// A part that notes when it is made and dropped, and counts its work.
template <char Name>
struct noted_part : portable::process_part {
  noted_part() { lifetimes.push_back(std::string("made ") + Name); }
  ~noted_part() override { lifetimes.push_back(std::string("dropped ") + Name); }
  void on_platform_entered() override { ++entries; }
  int entries = 0;
};
using part_a = noted_part<'a'>;
using part_b = noted_part<'b'>;

TEST(ProcessParts, AreMadeOnFirstUseAndDroppedNewestFirstWithTheirHost) {
  lifetimes.clear();
  {
    scripted::host first;
    part_b& b = portable::process_part_of<part_b>();
    part_a& a = portable::process_part_of<part_a>();
    EXPECT_EQ(&portable::process_part_of<part_b>(), &b);
    EXPECT_EQ(&portable::process_part_of<part_a>(), &a);
    EXPECT_EQ(lifetimes, (std::vector<std::string>{"made b", "made a"}));
  }
  scripted::host second;
  EXPECT_EQ(lifetimes, (std::vector<std::string>{"made b", "made a", "dropped a", "dropped b"}));
  EXPECT_EQ(portable::process_part_of<part_a>().entries, 0) << "a fresh part, not the last host's";
}

// Every call that waits or reads messages does each part's work once before
// it returns; calls that neither wait nor read do none.
TEST(ProcessParts, TheirWorkIsDoneWheneverTheProgramEntersAWait) {
  struct entry_case {
    const char* name;
    std::function<void()> call;
    int entries;
  };
  const entry_case cases[] = {
      {"Sleep", [] { Sleep(5); }, 1},
      {"PeekMessageW",
       [] {
         MSG msg;
         PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
       },
       1},
      {"GetMessageW with a message waiting",
       [] {
         PostMessageW(nullptr, WM_USER, 0, 0);
         MSG msg;
         GetMessageW(&msg, nullptr, 0, 0);
       },
       1},
      {"MsgWaitForMultipleObjects", [] { MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT); }, 1},
      {"QueryPerformanceCounter",
       [] {
         LARGE_INTEGER counter;
         QueryPerformanceCounter(&counter);
       },
       0},
      {"PostMessageW", [] { PostMessageW(nullptr, WM_USER, 0, 0); }, 0},
  };
  for (const entry_case& c : cases) {
    scripted::host host;
    part_a& part = portable::process_part_of<part_a>();
    c.call();
    EXPECT_EQ(part.entries, c.entries) << c.name;
  }
}

TEST(ProcessState, EachHostStartsAFreshProcess) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = TEXT("left_behind");
  HWND old_window;
  HRGN old_region;
  {
    scripted::host first;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    old_window = CreateWindowExW(0, wc.lpszClassName, TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    old_region = CreateRectRgn(0, 0, 1, 1);
    first.event_now(scripted::key_down(first.newest_window(), {VK_SHIFT, 0x2A}));
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
    ASSERT_LT(GetKeyState(VK_SHIFT), 0);
    PostQuitMessage(0);
  }
  scripted::host second;
  RECT r;
  EXPECT_FALSE(GetWindowRect(old_window, &r));
  EXPECT_FALSE(DeleteObject(old_region));
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_NE(RegisterClassExW(&wc), 0);  // the name is free again
}

// A wave input device and a DrawDib handle opened on one host are closed when
// another is installed: their handles are refused, and the first host's capture
// is not left open behind the program's back.
TEST(ProcessState, OpenDevicesAndDrawingHandlesGoWithTheirHost) {
  scripted::host first;
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 8000;
  format.nAvgBytesPerSec = 16000;
  format.nBlockAlign = 2;
  format.wBitsPerSample = 16;
  HWAVEIN old_wave = nullptr;
  ASSERT_EQ(waveInOpen(&old_wave, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  ASSERT_EQ(waveInStart(old_wave), MMSYSERR_NOERROR);
  ASSERT_EQ(first.microphone().open_captures(), 1);
  const HDRAWDIB old_drawdib = DrawDibOpen();
  ASSERT_NE(old_drawdib, nullptr);

  scripted::host second;
  EXPECT_EQ(first.microphone().open_captures(), 0);
  EXPECT_EQ(waveInStop(old_wave), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
  EXPECT_EQ(waveInClose(old_wave), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
  EXPECT_FALSE(DrawDibClose(old_drawdib));

  // The new host's own handles work as before.
  HWAVEIN new_wave = nullptr;
  ASSERT_EQ(waveInOpen(&new_wave, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_EQ(second.microphone().open_captures(), 1);
  EXPECT_EQ(waveInClose(new_wave), static_cast<MMRESULT>(MMSYSERR_NOERROR));
  const HDRAWDIB new_drawdib = DrawDibOpen();
  ASSERT_NE(new_drawdib, nullptr);
  EXPECT_TRUE(DrawDibClose(new_drawdib));
}

}  // namespace
