// Windows on the scripted host: what the native windows are told, and what the
// program receives when the user moves, resizes, minimises, restores or closes
// them; the frame arithmetic with a Windows-like frame; a machine without a
// display.
#include <gtest/gtest.h>

#include <vector>

#include "platform/portable/user32/program_icon.h"
#include "platform/win32.h"
#include "tests/conformance/recording_window.h"
#include "tests/conformance/rectangles.h"
#include "tests/support/scripted_host.h"

namespace {

constexpr DWORD framed_style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

class Windows : public ::testing::Test {
 protected:
  // A framed window with a 400 x 300 client area whose corner is at 100, 50.
  HWND shown_framed_window() {
    HWND w = recorder.create(framed_style, 100, 50, 416, 339);
    ShowWindow(w, SW_SHOWNORMAL);
    recorder.dispatch_all();
    recorder.log.clear();
    return w;
  }
  RECT window_rect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
  }
  RECT client_rect(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return r;
  }

  scripted::host host;
  conformance::recording_class recorder;
};

TEST_F(Windows, TheFrameIsTheHostsAndTheNativeWindowGetsTheClientArea) {
  RECT outer{0, 0, 500, 400};
  AdjustWindowRectEx(&outer, framed_style, FALSE, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
  EXPECT_EQ(outer, (RECT{-8, -31, 508, 408}));

  HWND framed = recorder.create(framed_style, 100, 50, 516, 439);
  const scripted::native_window_record& native = host.window(host.newest_window());
  EXPECT_TRUE(native.framed);
  EXPECT_TRUE(native.position_known);
  EXPECT_EQ(native.title, "conformance");
  EXPECT_EQ((RECT{native.x, native.y, native.x + native.width, native.y + native.height}),
            (RECT{108, 81, 608, 481}));
  EXPECT_FALSE(native.visible);
  ShowWindow(framed, SW_SHOWNORMAL);
  EXPECT_TRUE(native.visible);
  SetWindowTextW(framed, TEXT("Warblet \u266A"));
  EXPECT_EQ(native.title, "Warblet \xE2\x99\xAA");

  recorder.create(WS_POPUP, 10, 20, 30, 40);
  EXPECT_FALSE(host.window(host.newest_window()).framed);
}

TEST_F(Windows, TheStyleDecidesWhetherTheNativeWindowIsFramedWhateverTheFrameMeasures) {
  struct style_case {
    const char* name;
    DWORD style;
    portable::screen_rect frame;
    bool framed;
  };
  const style_case cases[] = {
      {"overlapped, frame known", framed_style, {8, 31, 8, 8}, true},
      {"overlapped, frame not known yet", framed_style, {0, 0, 0, 0}, true},
      {"sizing border only, frame not known yet", WS_POPUP | WS_THICKFRAME, {0, 0, 0, 0}, true},
      {"bare popup, frame known", WS_POPUP, {8, 31, 8, 8}, false},
      {"bare popup, frame not known yet", WS_POPUP, {0, 0, 0, 0}, false},
  };
  for (const style_case& c : cases) {
    SCOPED_TRACE(c.name);
    host.frame = c.frame;
    recorder.create(c.style, 10, 20, 300, 200);
    EXPECT_EQ(host.window(host.newest_window()).framed, c.framed);
  }
}

TEST_F(Windows, ADefaultPlacementIsLeftToTheHost) {
  HWND w = recorder.create(framed_style, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0);
  const scripted::native_window_record& native = host.window(host.newest_window());
  EXPECT_FALSE(native.position_known);
  // Until the host says otherwise: the work area's corner, three quarters of its size.
  EXPECT_EQ(window_rect(w), (RECT{0, 0, 1440, 780}));
  host.event_now(scripted::moved(host.newest_window(), 208, 131));
  recorder.dispatch_all();
  EXPECT_EQ(window_rect(w), (RECT{200, 100, 1640, 880}));
}

TEST_F(Windows, TheUsersResizeSendsSizeOnlyWhenTheClientSizeChanges) {
  HWND w = shown_framed_window();
  const portable::native_window native = host.newest_window();
  HDC dc = GetDC(w);
  const RECT corner{390, 290, 400, 300};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &corner, red);
  DeleteObject(red);

  host.event_now(scripted::resized(native, 400, 300));
  recorder.dispatch_all();
  EXPECT_TRUE(recorder.messages_among({WM_SIZE, WM_MOVE}).empty());

  host.event_now(scripted::resized(native, 450, 310));
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the host's events are taken in
  EXPECT_EQ(recorder.messages_among({WM_SIZING, WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_SIZING, WM_SIZE}));
  EXPECT_EQ(LOWORD(recorder.last(WM_SIZE)->lparam), 450);
  EXPECT_EQ(HIWORD(recorder.last(WM_SIZE)->lparam), 310);
  EXPECT_EQ(client_rect(w), (RECT{0, 0, 450, 310}));
  EXPECT_EQ(window_rect(w), (RECT{100, 50, 566, 399}));
  EXPECT_EQ(GetPixel(dc, 395, 295), RGB(255, 0, 0));  // the pixels stay
  // What growing uncovered is to be painted, and nothing else.
  EXPECT_EQ(conformance::update_rectangles(w), (std::vector<RECT>{{400, 0, 450, 300}, {0, 300, 450, 310}}));
  ReleaseDC(w, dc);
}

// A window procedure that keeps the window's size refuses the user's drag
// through WM_SIZING, and the native window is put back.
LRESULT CALLBACK fixed_size(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZING) GetWindowRect(window, reinterpret_cast<RECT*>(lparam));
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(Windows, SizingCanRefuseTheUsersResize) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = fixed_size;
  wc.lpszClassName = TEXT("fixed");
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, TEXT("fixed"), TEXT(""), framed_style, 100, 50, 416, 339, nullptr, nullptr,
                           nullptr, nullptr);
  ShowWindow(w, SW_SHOWNORMAL);
  const portable::native_window native = host.newest_window();
  host.event_now(scripted::resized(native, 600, 500));
  recorder.dispatch_all();
  EXPECT_EQ(client_rect(w), (RECT{0, 0, 400, 300}));
  EXPECT_EQ(host.window(native).width, 400);
  EXPECT_EQ(host.window(native).height, 300);
}

TEST_F(Windows, MovesMinimisingAndRestoring) {
  HWND w = shown_framed_window();
  const portable::native_window native = host.newest_window();
  struct placement_case {
    const char* name;
    portable::host_event event;
    std::vector<UINT> messages;
    WPARAM size_type;
    RECT client;
  };
  const placement_case cases[] = {
      {"moved", scripted::moved(native, 300, 200), {WM_MOVE}, 0, {0, 0, 400, 300}},
      {"minimised", scripted::minimized(native), {WM_SIZE}, SIZE_MINIMIZED, {0, 0, 0, 0}},
      {"minimised again", scripted::minimized(native), {}, 0, {0, 0, 0, 0}},
      {"restored", scripted::restored(native), {WM_SIZE}, SIZE_RESTORED, {0, 0, 400, 300}},
  };
  for (const placement_case& c : cases) {
    SCOPED_TRACE(c.name);
    recorder.log.clear();
    host.event_now(c.event);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(recorder.messages_among({WM_SIZE, WM_MOVE}), c.messages);
    if (const conformance::received* size = recorder.last(WM_SIZE)) {
      EXPECT_EQ(size->wparam, c.size_type);
      EXPECT_EQ(LOWORD(size->lparam), c.client.right);
      EXPECT_EQ(HIWORD(size->lparam), c.client.bottom);
    }
    EXPECT_EQ(client_rect(w), c.client);
    EXPECT_EQ(window_rect(w), (RECT{292, 169, 708, 508}));
    recorder.dispatch_all();
  }
  EXPECT_EQ(recorder.messages_among({WM_PAINT}), std::vector<UINT>{WM_PAINT});  // restoring repaints
}

TEST_F(Windows, ACloseRequestGoesToItsWindowOnly) {
  HWND first = shown_framed_window();
  HWND second = shown_framed_window();
  portable::host_event close;
  close.type = portable::host_event::kind::close_requested;
  close.window = host.newest_window();
  host.event_now(close);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(msg.hwnd, second);
  EXPECT_FALSE(PeekMessageW(&msg, first, 0, 0, PM_REMOVE));
}

TEST_F(Windows, WithoutADisplayNoWindowIsMadeAndNoMessageSent) {
  host.fail_window_creation = true;
  SetLastError(0);
  EXPECT_EQ(recorder.create(framed_style, 0, 0, 100, 100), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
  EXPECT_TRUE(recorder.log.empty());
  EXPECT_EQ(host.newest_window(), 0u);
}

TEST_F(Windows, DestroyingTellsTheHost) {
  HWND w = shown_framed_window();
  DestroyWindow(w);
  EXPECT_TRUE(host.window(host.newest_window()).destroyed);
}

}  // namespace

namespace {

LRESULT CALLBACK default_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

// The program's icon, registered as its build does, reaches the native window
// through the class; a number the program does not have is not found.
TEST(ProgramIcon, TheClassIconOfTheProgramGoesToTheNativeWindow) {
  scripted::host host;
  static const std::uint8_t pixels[2 * 2 * 4] = {};
  portable::register_program_icon(7, {pixels, 2, 2});
  const HINSTANCE self = GetModuleHandleW(nullptr);
  EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(8)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(LoadCursorW(self, MAKEINTRESOURCEW(7)), nullptr);  // the program has icons, no cursors
  struct icon_case {
    const char* name;
    HICON icon;
    std::int32_t expected_width;
  };
  for (const icon_case& c : {icon_case{"the program's", LoadIconW(self, MAKEINTRESOURCEW(7)), 2},
                             icon_case{"the system's", LoadIconW(nullptr, IDI_APPLICATION), 0}}) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.icon, nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = default_procedure;
    wc.hInstance = self;
    wc.hIcon = c.icon;
    wc.lpszClassName = TEXT("icon_test");
    ASSERT_NE(RegisterClassExW(&wc), 0);
    HWND w = CreateWindowExW(0, TEXT("icon_test"), TEXT("icon"), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             self, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(host.window(host.newest_window()).icon_width, c.expected_width);
    DestroyWindow(w);
    UnregisterClassW(TEXT("icon_test"), self);
  }
}

}  // namespace
