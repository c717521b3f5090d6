// Windows and their classes as the program relies on them: the messages of
// creation, placement and destruction and their order, the frame that
// AdjustWindowRectEx adds, classes and extra bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win32.h"
#include "tests/conformance/recording_window.h"
#include "tests/conformance/rectangles.h"

namespace {

using conformance::recording_class;

RECT client_rect(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return r;
}

RECT window_rect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

constexpr DWORD framed_style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD framed_ex_style = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

TEST(WindowCreation, APopupIsSizedAndPlacedBeforeCreateWindowExReturns) {
  recording_class recorder;
  int param = 0;
  HWND w = recorder.create(WS_POPUP, 100, 120, 300, 200, 0, &param);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(recorder.messages_among({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}),
            (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
  EXPECT_EQ(recorder.create_params, (std::vector<void*>{&param, &param}));
  for (const conformance::received& r : recorder.log) EXPECT_EQ(r.window, w);
  const conformance::received* size = recorder.last(WM_SIZE);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->wparam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(LOWORD(size->lparam), 300);
  EXPECT_EQ(HIWORD(size->lparam), 200);
  const conformance::received* move = recorder.last(WM_MOVE);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(LOWORD(move->lparam), 100);
  EXPECT_EQ(HIWORD(move->lparam), 120);
}

// An overlapped window learns its size when it is first shown, whether its
// position was given or left to the system.
TEST(WindowCreation, AnOverlappedWindowIsSizedWhenFirstShown) {
  for (const int x : {150, CW_USEDEFAULT}) {
    SCOPED_TRACE(x == CW_USEDEFAULT ? "default position" : "given position");
    recording_class recorder;
    HWND w = recorder.create(framed_style, x, 130, 400, 300, framed_ex_style);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(recorder.messages_among({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
    recorder.log.clear();

    EXPECT_FALSE(ShowWindow(w, SW_SHOWNORMAL));
    EXPECT_EQ(recorder.messages_among({WM_SHOWWINDOW, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_SHOWWINDOW, WM_SIZE, WM_MOVE}));
    const RECT client = client_rect(w);
    const conformance::received* size = recorder.last(WM_SIZE);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->wparam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(LOWORD(size->lparam), client.right);
    EXPECT_EQ(HIWORD(size->lparam), client.bottom);
    POINT origin{0, 0};
    const RECT outer = window_rect(w);
    origin.x = outer.left;
    origin.y = outer.top;
    ScreenToClient(w, &origin);  // the client origin, seen from the client: minus the frame
    const conformance::received* move = recorder.last(WM_MOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(static_cast<short>(LOWORD(move->lparam)), outer.left - origin.x);
    EXPECT_EQ(static_cast<short>(HIWORD(move->lparam)), outer.top - origin.y);

    recorder.log.clear();
    EXPECT_TRUE(ShowWindow(w, SW_SHOWNORMAL));
    EXPECT_TRUE(recorder.messages_among({WM_SIZE, WM_MOVE}).empty());
  }
}

// What happens to the window procedure when it refuses the creation. Windows
// documents only that the window is destroyed; Wine sends no WM_DESTROY for a
// refused WM_CREATE, so the test asks only for WM_NCDESTROY at the end.
TEST(WindowCreation, ARefusedCreationEndsWithNcDestroyAndGivesNoWindow) {
  struct refusal_case {
    const char* name;
    LRESULT nccreate_result;
    LRESULT create_result;
    bool create_sent;
  };
  for (const refusal_case& c : {refusal_case{"WM_NCCREATE returns FALSE", FALSE, 0, false},
                                refusal_case{"WM_CREATE returns -1", TRUE, -1, true}}) {
    SCOPED_TRACE(c.name);
    recording_class recorder;
    recorder.nccreate_result = c.nccreate_result;
    recorder.create_result = c.create_result;
    EXPECT_EQ(recorder.create(WS_POPUP, 10, 10, 100, 100), nullptr);
    ASSERT_FALSE(recorder.log.empty());
    EXPECT_EQ(recorder.log.back().message, static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(recorder.last(WM_CREATE) != nullptr, c.create_sent);
    EXPECT_EQ(recorder.last(WM_SIZE), nullptr);
  }
}

// Each WM_SIZE costs the program an audio device restart, so one must come only
// when the client size really changed.
TEST(WindowPlacement, MoveWindowReportsOnlyWhatChanged) {
  struct move_case {
    const char* name;
    int dx, dy, dw, dh;
    std::vector<UINT> expected;  // sorted
  };
  const move_case cases[] = {
      {"the same rectangle", 0, 0, 0, 0, {}},
      {"moved", 30, 20, 0, 0, {WM_MOVE}},
      {"resized", 0, 0, 40, -10, {WM_SIZE}},
      {"moved and resized", -5, 7, -20, 15, {WM_MOVE, WM_SIZE}},
  };
  recording_class recorder;
  HWND w = recorder.create_shown_popup(100, 100, 300, 200);
  for (const move_case& c : cases) {
    SCOPED_TRACE(c.name);
    const RECT before = window_rect(w);
    const RECT after{before.left + c.dx, before.top + c.dy, before.right + c.dx + c.dw,
                     before.bottom + c.dy + c.dh};
    recorder.log.clear();
    EXPECT_TRUE(
        MoveWindow(w, after.left, after.top, after.right - after.left, after.bottom - after.top, TRUE));
    std::vector<UINT> seen = recorder.messages_among({WM_SIZE, WM_MOVE});
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, c.expected);
    EXPECT_EQ(window_rect(w), after);
    EXPECT_EQ(client_rect(w), (RECT{0, 0, after.right - after.left, after.bottom - after.top}));
    if (const conformance::received* size = recorder.last(WM_SIZE)) {
      EXPECT_EQ(LOWORD(size->lparam), after.right - after.left);
      EXPECT_EQ(HIWORD(size->lparam), after.bottom - after.top);
    }
    recorder.dispatch_all();
  }
}

TEST(WindowFrame, AdjustWindowRectExGivesTheOuterRectangleOfAClientArea) {
  struct frame_case {
    const char* name;
    DWORD style, ex_style;
  };
  for (const frame_case& c : {frame_case{"framed", framed_style, framed_ex_style},
                              frame_case{"popup", WS_POPUP, WS_EX_APPWINDOW}}) {
    SCOPED_TRACE(c.name);
    RECT outer{0, 0, 500, 400};
    ASSERT_TRUE(AdjustWindowRectEx(&outer, c.style, FALSE, c.ex_style));
    if (c.style == WS_POPUP) {
      EXPECT_EQ(outer, (RECT{0, 0, 500, 400}));
    } else {
      // Windows always draws a frame; on a display whose window manager adds
      // none (a bare X server) the frame is empty. Either way it surrounds the
      // client area, and the window below must agree with it.
      EXPECT_LE(outer.left, 0);
      EXPECT_LE(outer.top, 0);
      EXPECT_GE(outer.right, 500);
      EXPECT_GE(outer.bottom, 400);
    }
    recording_class recorder;
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    HWND w = recorder.create(c.style, 200, 150, width, height, c.ex_style);
    ASSERT_NE(w, nullptr);
    ShowWindow(w, SW_SHOWNORMAL);
    EXPECT_EQ(client_rect(w), (RECT{0, 0, 500, 400}));
    EXPECT_EQ(window_rect(w), (RECT{200, 150, 200 + width, 150 + height}));
    POINT corner{200, 150};
    ASSERT_TRUE(ScreenToClient(w, &corner));
    EXPECT_EQ(corner.x, outer.left);
    EXPECT_EQ(corner.y, outer.top);
  }
}

TEST(WindowDestruction, DestroyWindowSendsDestroyThenNcDestroyAndTheHandleDies) {
  recording_class recorder;
  HWND w = recorder.create_shown_popup(50, 50, 200, 100);
  ASSERT_TRUE(PostMessageW(w, WM_USER, 0, 0));
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_EQ(recorder.messages_among({WM_DESTROY, WM_NCDESTROY}),
            (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
  RECT r;
  SetLastError(0);
  EXPECT_FALSE(GetClientRect(w, &r));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(DestroyWindow(w));
  EXPECT_FALSE(PostMessageW(w, WM_USER, 0, 0));
}

TEST(WindowDestruction, TheDefaultForCloseDestroysTheWindow) {
  recording_class recorder;
  HWND w = recorder.create_shown_popup(50, 50, 200, 100);
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_EQ(recorder.messages_among({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
            (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
  RECT r;
  EXPECT_FALSE(GetWindowRect(w, &r));
}

TEST(WindowClasses, RegisteringAndUnregistering) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  recording_class recorder;
  ASSERT_NE(recorder.atom, 0);

  WNDCLASSEXW again{};
  again.cbSize = sizeof again;
  again.lpfnWndProc = DefWindowProcW;
  again.hInstance = instance;
  again.lpszClassName = TEXT("CONFORMANCE_Recording");  // names ignore case
  SetLastError(0);
  EXPECT_EQ(RegisterClassExW(&again), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  again.cbSize = 48;
  again.lpszClassName = TEXT("conformance_other");
  SetLastError(0);
  EXPECT_EQ(RegisterClassExW(&again), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  // Windows reports ERROR_CANNOT_FIND_WND_CLASS here and Wine another code, so
  // only the failure is checked.
  EXPECT_EQ(CreateWindowExW(0, TEXT("conformance_missing"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, instance, nullptr),
            nullptr);

  HWND w = recorder.create(WS_POPUP, 0, 0, 10, 10);
  ASSERT_NE(w, nullptr);
  SetLastError(0);
  EXPECT_FALSE(UnregisterClassW(MAKEINTATOM(recorder.atom), instance));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassW(MAKEINTATOM(recorder.atom), instance));
  EXPECT_FALSE(UnregisterClassW(recording_class::name, instance));
}

TEST(WindowExtraBytes, HoldLongsAndPointersAtIndexZero) {
  recording_class recorder;  // sizeof(LONG_PTR) extra bytes
  HWND w = recorder.create(WS_POPUP, 0, 0, 10, 10);
  EXPECT_EQ(SetWindowLongW(w, 0, 0x12345678), 0);
  EXPECT_EQ(SetWindowLongW(w, 0, 42), 0x12345678);
  EXPECT_EQ(GetWindowLongW(w, 0), 42);

  int target = 0;
  const LONG_PTR pointer = reinterpret_cast<LONG_PTR>(&target);
  SetWindowLongPtrW(w, 0, pointer);
  EXPECT_EQ(GetWindowLongPtrW(w, 0), pointer);

  for (const int index : {static_cast<int>(sizeof(LONG_PTR)), static_cast<int>(sizeof(LONG_PTR)) - 2}) {
    SetLastError(0);
    EXPECT_EQ(SetWindowLongW(w, index, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  }
}

}  // namespace
