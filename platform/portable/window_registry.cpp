#include "platform/portable/window_registry.h"

#include <cstdint>
#include <map>

namespace portable {
namespace {
std::map<HWND, WNDPROC> windows;
std::uintptr_t last_handle = 0;
}  // namespace

HWND register_window(WNDPROC procedure) {
  HWND window = reinterpret_cast<HWND>(++last_handle);
  windows[window] = procedure;
  return window;
}

void unregister_window(HWND window) { windows.erase(window); }

WNDPROC procedure_of(HWND window) {
  auto found = windows.find(window);
  return found == windows.end() ? nullptr : found->second;
}

std::vector<HWND> all_windows() {
  std::vector<HWND> result;
  for (const auto& entry : windows) result.push_back(entry.first);
  return result;
}

}  // namespace portable
