// What reaches the screen: pixels presented in batches, the access to a
// context's pixels for other drawing services, text, full screen, several
// monitors, and the message box with an owner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/portable/gdi32/device_context.h"
#include "platform/portable/user32/user_state.h"
#include "platform/win32.h"
#include "tests/conformance/recording_window.h"
#include "tests/conformance/rectangles.h"
#include "tests/support/scripted_host.h"

namespace {

constexpr std::uint32_t red_pixel = 0xFF0000;

class Screen : public ::testing::Test {
 protected:
  Screen() {
    window = recorder.create_shown_popup(100, 100, 200, 100);
    native = host.newest_window();
    dc = GetDC(window);
  }
  ~Screen() override { ReleaseDC(window, dc); }

  void fill(const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  std::size_t presents_so_far() const { return host.presents().size(); }

  // The box around the pixels that differ from `ground`.
  RECT drawn_box(COLORREF ground) {
    RECT box{200, 100, -1, -1};
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x)
        if (GetPixel(dc, x, y) != ground)
          box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                     std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    return box;
  }

  scripted::host host;
  conformance::recording_class recorder;
  HWND window = nullptr;
  portable::native_window native = 0;
  HDC dc = nullptr;
};

TEST_F(Screen, DrawingIsPresentedWhenTheProgramNextWaitsOrReadsMessages) {
  struct batch_case {
    const char* name;
    void (*end_of_batch)();
  };
  const batch_case cases[] = {
      {"reading messages",
       [] {
         MSG m;
         PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
       }},
      {"waiting for messages", [] { MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT); }},
      {"sleeping", [] { Sleep(1); }},
  };
  int x = 0;
  for (const batch_case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = presents_so_far();
    fill(RECT{x, 0, x + 10, 10}, RGB(255, 0, 0));
    fill(RECT{x, 10, x + 10, 20}, RGB(255, 0, 0));
    EXPECT_EQ(presents_so_far(), before);
    EXPECT_NE(host.pixel(native, x, 0), red_pixel);
    c.end_of_batch();
    ASSERT_EQ(presents_so_far(), before + 1);  // the two fills make one rectangle
    EXPECT_EQ(host.presents().back().window, native);
    const portable::screen_rect r = host.presents().back().rect;
    EXPECT_EQ((RECT{r.left, r.top, r.right, r.bottom}), (RECT{x, 0, x + 10, 20}));
    EXPECT_EQ(host.pixel(native, x + 9, 19), red_pixel);
    x += 20;
  }
}

TEST_F(Screen, AHiddenWindowPresentsNothingUntilShownOrExposed) {
  ShowWindow(window, SW_HIDE);
  fill(RECT{0, 0, 10, 10}, RGB(255, 0, 0));
  const std::size_t before = presents_so_far();
  recorder.dispatch_all();
  EXPECT_EQ(presents_so_far(), before);

  ShowWindow(window, SW_SHOWNORMAL);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  ASSERT_EQ(presents_so_far(), before + 1);
  EXPECT_EQ(host.presents().back().rect.right, 200);
  EXPECT_EQ(host.presents().back().rect.bottom, 100);
  EXPECT_EQ(host.pixel(native, 5, 5), red_pixel);
  recorder.dispatch_all();

  host.event_now(scripted::exposed(native));
  const std::size_t exposed_before = presents_so_far();
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_EQ(presents_so_far(), exposed_before + 1);
}

// The screen shows the moved pixels, whether the host moves what it shows or
// the subset presents them again; pixels drawn but not yet presented when the
// window scrolls are presented where they went. Only a host that cannot move
// what it shows is sent the moved area.
TEST_F(Screen, ScrollingShowsTheMovedPixels) {
  constexpr std::uint32_t blue_pixel = 0x0000FF;
  for (const bool host_scrolls : {true, false}) {
    SCOPED_TRACE(host_scrolls ? "the host moves what it shows" : "the subset presents");
    host.scrolls_shown = host_scrolls;
    fill(RECT{0, 0, 200, 100}, RGB(0, 0, 0));
    fill(RECT{50, 0, 60, 10}, RGB(255, 0, 0));
    recorder.dispatch_all();
    fill(RECT{100, 0, 110, 10}, RGB(0, 0, 255));  // not yet presented
    const std::size_t before = presents_so_far();
    ScrollWindowEx(window, -10, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(host.pixel(native, 40, 5), red_pixel);
    EXPECT_NE(host.pixel(native, 55, 5), red_pixel);
    EXPECT_EQ(host.pixel(native, 90, 5), blue_pixel);
    EXPECT_NE(host.pixel(native, 105, 5), blue_pixel);
    long presented = 0;
    for (std::size_t i = before; i < presents_so_far(); ++i) {
      const portable::screen_rect& r = host.presents()[i].rect;
      presented += static_cast<long>(r.right - r.left) * (r.bottom - r.top);
    }
    EXPECT_EQ(presented, host_scrolls ? 10 * 10 : 190 * 100);
    recorder.dispatch_all();
  }
}

// The access DrawDib has to a context's pixels: a BeginPaint context may draw
// only in the region being painted.
TEST_F(Screen, OtherDrawingReachesTheWindowsPixelsThroughItsContext) {
  portable::pixel_target target;
  EXPECT_FALSE(portable::pixels_of(reinterpret_cast<HDC>(0x1234), target));

  const RECT part{20, 10, 40, 30};
  InvalidateRect(window, &part, FALSE);
  PAINTSTRUCT ps;
  HDC painting = BeginPaint(window, &ps);
  ASSERT_TRUE(portable::pixels_of(painting, target));
  EXPECT_EQ(target.width, 200);
  EXPECT_EQ(target.height, 100);
  EXPECT_EQ(target.stride, 200);
  const RECT whole{-5, -5, 300, 300};
  const std::vector<RECT> parts = portable::visible_parts(painting, whole);
  EXPECT_EQ(parts, std::vector<RECT>{part});
  EXPECT_EQ(portable::visible_parts(dc, whole), (std::vector<RECT>{{0, 0, 200, 100}}));
  for (const RECT& p : parts)
    for (LONG y = p.top; y < p.bottom; ++y)
      std::fill(target.pixels + y * target.stride + p.left, target.pixels + y * target.stride + p.right,
                red_pixel);
  const std::size_t before = presents_so_far();
  portable::mark_drawn(painting, whole);
  EndPaint(window, &ps);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  ASSERT_EQ(presents_so_far(), before + 1);
  const portable::screen_rect r = host.presents().back().rect;
  EXPECT_EQ((RECT{r.left, r.top, r.right, r.bottom}), part);
  EXPECT_EQ(host.pixel(native, 39, 29), red_pixel);
  EXPECT_EQ(GetPixel(dc, 20, 10), RGB(255, 0, 0));
}

// DrawDib tells the host of the picture it draws from, so that the host can
// keep it where a column costs less: once per picture, and again every 256
// draws of the same one.
TEST_F(Screen, DrawDibTellsTheHostOfEachPictureAtItsFirstDrawAndNowAndThen) {
  struct picture {
    std::int32_t width, height;
    std::size_t offset;  // of its first pixel in the pixel store
  };
  const picture pictures[] = {{10, 10, 0}, {10, 10, 400}, {10, 5, 0}};
  struct settle_case {
    const char* name;
    std::vector<int> draws;  // indices into pictures
    std::vector<int> settled;
  };
  const std::vector<int> a_257_times(257, 0);
  std::vector<int> a_then_b = a_257_times;
  a_then_b.push_back(1);
  const settle_case cases[] = {
      {"one draw", {0}, {0}},
      {"the same picture again", {0, 0, 0}, {0}},
      {"another address", {0, 1, 0}, {0, 1, 0}},
      {"the same address, another height", {0, 2}, {0, 2}},
      {"the 256th draw after the first", a_257_times, {0, 0}},
      {"another picture after 256", a_then_b, {0, 0, 1}},
  };
  std::vector<std::uint32_t> store(200, 0xFF0000);  // red: bytes blue, green, red
  for (const settle_case& c : cases) {
    SCOPED_TRACE(c.name);
    host.settled_pictures.clear();
    const HDRAWDIB drawdib = DrawDibOpen();
    ASSERT_NE(drawdib, nullptr);
    for (const int i : c.draws) {
      const picture& p = pictures[i];
      BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), p.width, p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      EXPECT_TRUE(DrawDibDraw(drawdib, dc, 0, 0, 5, 5, &header, store.data() + p.offset / 4, 0, 0, 5, 5, 0));
    }
    std::vector<std::pair<const void*, std::size_t>> expected;
    for (const int i : c.settled)
      expected.emplace_back(store.data() + pictures[i].offset / 4,
                            static_cast<std::size_t>(pictures[i].width) * pictures[i].height * 4);
    EXPECT_EQ(host.settled_pictures, expected);
    EXPECT_TRUE(DrawDibClose(drawdib));
  }
  EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 0, 0));
}

TEST_F(Screen, TextSitsOnItsReferencePointAndStaysInsideWhatMayBeDrawn) {
  fill(RECT{0, 0, 200, 100}, RGB(0, 0, 0));
  SetTextColor(dc, RGB(0, 0, 0));
  // Opaque: the whole cell is filled white, from the reference point down.
  EXPECT_TRUE(TextOutW(dc, 10, 20, TEXT("Warblet"), 7));
  const RECT cell = drawn_box(RGB(0, 0, 0));
  EXPECT_EQ(cell.left, 10);
  EXPECT_EQ(cell.top, 20);
  EXPECT_GE(cell.bottom - cell.top, 14);  // the system font's line, about 16 pixels
  EXPECT_LE(cell.bottom - cell.top, 16);
  EXPECT_GT(cell.right - cell.left, 40);

  fill(RECT{0, 0, 200, 100}, RGB(0, 0, 0));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextAlign(dc, TA_BOTTOM | TA_RIGHT);
  TextOutW(dc, 190, 90, TEXT("Warblet"), 7);
  const RECT smaller = drawn_box(RGB(0, 0, 0));
  EXPECT_EQ(smaller.right, 190);
  EXPECT_EQ(smaller.bottom, 90);
  EXPECT_LE(smaller.bottom - smaller.top, 13);
  EXPECT_LT(smaller.right - smaller.left, cell.right - cell.left);

  // Half the text outside the client area, or outside the region painted.
  fill(RECT{0, 0, 200, 100}, RGB(0, 0, 0));
  SetTextAlign(dc, TA_TOP | TA_LEFT);
  EXPECT_TRUE(TextOutW(dc, 180, 90, TEXT("Warblet"), 7));
  const RECT painted_part{0, 0, 30, 100};
  InvalidateRect(window, &painted_part, FALSE);
  PAINTSTRUCT ps;
  HDC painting = BeginPaint(window, &ps);
  EXPECT_TRUE(TextOutW(painting, 10, 40, TEXT("Warblet"), 7));
  EndPaint(window, &ps);
  const RECT box = drawn_box(RGB(0, 0, 0));
  EXPECT_EQ(box.right, 200);
  EXPECT_EQ(box.bottom, 100);
  EXPECT_EQ(box.left, 10);
  for (int y = 40; y < 60; ++y) EXPECT_EQ(GetPixel(dc, 30, y), RGB(0, 0, 0)) << y;
  EXPECT_FALSE(TextOutW(reinterpret_cast<HDC>(0x1234), 0, 0, TEXT("x"), 1));
}

TEST_F(Screen, WithoutAFontTextIsLeftOutWithOneLineOnStderrAndDrawingGoesOn) {
  const std::string config = testing::TempDir() + "warblet-no-fonts.conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  setenv("FONTCONFIG_FILE", config.c_str(), 1);
  fill(RECT{0, 0, 200, 100}, RGB(0, 0, 0));
  testing::internal::CaptureStderr();
  EXPECT_TRUE(TextOutW(dc, 10, 20, TEXT("Warblet"), 7));
  EXPECT_TRUE(TextOutW(dc, 10, 50, TEXT("Warblet"), 7));
  const std::string said = testing::internal::GetCapturedStderr();
  unsetenv("FONTCONFIG_FILE");
  std::remove(config.c_str());
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("text cannot be drawn"), std::string::npos) << said;
  const RECT nothing{200, 100, -1, -1};
  EXPECT_EQ(drawn_box(RGB(0, 0, 0)), nothing);
  // The rest of the drawing is unaffected.
  fill(RECT{5, 5, 15, 15}, RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
}

TEST(FullScreen, APopupCoveringAMonitorInTheFullScreenModeIsFullScreen) {
  scripted::host host;
  conformance::recording_class recorder;
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  ASSERT_EQ(ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);

  HWND popup = recorder.create(WS_POPUP, 0, 0, 1920, 1080, WS_EX_APPWINDOW);
  const portable::native_window native = host.newest_window();
  EXPECT_FALSE(host.window(native).full_screen);  // not while hidden
  ShowWindow(popup, SW_SHOWNORMAL);
  EXPECT_TRUE(host.window(native).full_screen);
  MoveWindow(popup, 0, 0, 1000, 1080, TRUE);
  EXPECT_FALSE(host.window(native).full_screen);
  MoveWindow(popup, 0, 0, 1920, 1080, TRUE);
  EXPECT_TRUE(host.window(native).full_screen);
  EXPECT_EQ(ChangeDisplaySettingsW(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(host.window(native).full_screen);

  HWND framed = recorder.create(WS_OVERLAPPEDWINDOW, -8, -31, 1936, 1119);
  ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN);
  ShowWindow(framed, SW_SHOWNORMAL);
  EXPECT_FALSE(host.window(host.newest_window()).full_screen);
  EXPECT_TRUE(host.window(native).full_screen);  // the mode came back
}

TEST(Monitors, ASecondMonitorBesideThePrimary) {
  scripted::host host;
  std::vector<portable::monitor_info> monitors = scripted::host::default_monitors();
  monitors.push_back({{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false, "\\\\.\\DISPLAY2"});
  host.set_monitors(monitors);

  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), 0);
  EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3200);
  EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1080);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);

  HMONITOR second = MonitorFromPoint(POINT{2000, 500}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(second, nullptr);
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoW(second, &info));
  EXPECT_EQ(info.rcMonitor, (RECT{1920, 0, 3200, 1024}));
  EXPECT_EQ(info.dwFlags, 0u);
  EXPECT_EQ(std::u16string(info.szDevice), u"\\\\.\\DISPLAY2");
  EXPECT_EQ(MonitorFromPoint(POINT{2000, 1050}, MONITOR_DEFAULTTONEAREST), second);
  EXPECT_EQ(MonitorFromPoint(POINT{2000, 1050}, MONITOR_DEFAULTTOPRIMARY),
            MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL));

  conformance::recording_class recorder;
  HWND straddling = recorder.create(WS_POPUP, 1800, 100, 400, 300);
  EXPECT_EQ(MonitorFromWindow(straddling, MONITOR_DEFAULTTONULL), second);

  // The subset cannot change resolutions: the second monitor's own mode is
  // accepted there (full screen there keeps its resolution), another size is
  // not, and without the device name the mode is meant for the primary, as on
  // Windows, whatever monitor it was read from.
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode));
  EXPECT_EQ(mode.dmPelsWidth, 1280u);
  EXPECT_EQ(mode.dmPelsHeight, 1024u);
  EXPECT_EQ(ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  EXPECT_EQ(ChangeDisplaySettingsExW(info.szDevice, &mode, nullptr, CDS_FULLSCREEN, nullptr),
            DISP_CHANGE_SUCCESSFUL);
  EXPECT_TRUE(portable::user_process().display.full_screen_mode);
  EXPECT_EQ(ChangeDisplaySettingsExW(info.szDevice, nullptr, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(portable::user_process().display.full_screen_mode);
  EXPECT_EQ(ChangeDisplaySettingsExW(u"\\\\.\\DISPLAY9", &mode, nullptr, CDS_FULLSCREEN, nullptr),
            DISP_CHANGE_BADPARAM);
  mode.dmPelsWidth = 1920;
  EXPECT_EQ(ChangeDisplaySettingsExW(info.szDevice, &mode, nullptr, CDS_FULLSCREEN, nullptr),
            DISP_CHANGE_BADMODE);
  EXPECT_EQ(ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  EXPECT_EQ(ChangeDisplaySettingsW(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(EnumDisplaySettingsW(u"\\\\.\\DISPLAY9", ENUM_CURRENT_SETTINGS, &mode));
}

TEST(MessageBox, AWindowMayOwnIt) {
  scripted::host host;
  conformance::recording_class recorder;
  HWND owner = recorder.create_shown_popup(0, 0, 100, 100);
  EXPECT_EQ(MessageBoxW(owner, TEXT("Sorry."), nullptr, MB_OK), IDOK);
  ASSERT_EQ(host.message_boxes().size(), 1u);
  EXPECT_EQ(host.message_boxes()[0].title, "Error");
  EXPECT_EQ(host.message_boxes()[0].text, "Sorry.");

  DestroyWindow(owner);
  SetLastError(0);
  EXPECT_EQ(MessageBoxW(owner, TEXT("Gone."), nullptr, MB_OK), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(host.message_boxes().size(), 1u);
}

}  // namespace
