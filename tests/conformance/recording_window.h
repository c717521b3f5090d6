// A window class for the conformance tests whose procedure writes down every
// message it receives, answers WM_NCCREATE and WM_CREATE as a test asks, and
// leaves everything else to DefWindowProcW. One exists at a time; it registers
// its class when made and destroys its windows and unregisters when it goes.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/win32.h"

namespace conformance {

struct received {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

class recording_class {
 public:
  static constexpr const WCHAR* name = TEXT("conformance_recording");

  recording_class() {
    current = this;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    atom = RegisterClassExW(&wc);
  }
  ~recording_class() {
    for (HWND w : created) DestroyWindow(w);
    UnregisterClassW(name, GetModuleHandleW(nullptr));
    current = nullptr;
  }
  recording_class(const recording_class&) = delete;
  recording_class& operator=(const recording_class&) = delete;

  HWND create(DWORD style, int x, int y, int width, int height, DWORD ex_style = 0, void* param = nullptr) {
    HWND w = CreateWindowExW(ex_style, MAKEINTATOM(atom), TEXT("conformance"), style, x, y, width, height,
                             nullptr, nullptr, GetModuleHandleW(nullptr), param);
    if (w) created.push_back(w);
    return w;
  }

  // A visible popup with its first paint done and its queue empty.
  HWND create_shown_popup(int x, int y, int width, int height) {
    HWND w = create(WS_POPUP, x, y, width, height);
    ShowWindow(w, SW_SHOWNORMAL);
    UpdateWindow(w);
    dispatch_all();
    log.clear();
    return w;
  }

  // The received messages that are among `interesting`, in order.
  std::vector<UINT> messages_among(std::initializer_list<UINT> interesting) const {
    std::vector<UINT> result;
    for (const received& r : log)
      if (std::find(interesting.begin(), interesting.end(), r.message) != interesting.end())
        result.push_back(r.message);
    return result;
  }

  // The last received message with this number; null when none came.
  const received* last(UINT message) const {
    for (auto it = log.rbegin(); it != log.rend(); ++it)
      if (it->message == message) return &*it;
    return nullptr;
  }

  // Dispatches what is queued; a queue that never empties (a paint that is
  // never validated) ends after a generous number of messages.
  static void dispatch_all() {
    MSG msg;
    for (int left = 1000; left > 0 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); --left) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  ATOM atom = 0;
  std::vector<received> log;
  // lpCreateParams as WM_NCCREATE and WM_CREATE saw it.
  std::vector<void*> create_params;
  LRESULT nccreate_result = TRUE;
  LRESULT create_result = 0;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    recording_class& self = *current;
    self.log.push_back({window, message, wparam, lparam});
    switch (message) {
      case WM_NCCREATE:
        self.create_params.push_back(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        if (!self.nccreate_result) return FALSE;
        break;
      case WM_CREATE:
        self.create_params.push_back(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        return self.create_result;
      case WM_NCDESTROY:
        self.created.erase(std::remove(self.created.begin(), self.created.end(), window), self.created.end());
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  }

  static inline recording_class* current = nullptr;
  std::vector<HWND> created;
};

}  // namespace conformance
