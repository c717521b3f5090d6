#include "platform/portable/user32/window_registry.h"

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/user32/user_state.h"

namespace portable {

window& window_table::add(WNDPROC procedure) {
  auto created = std::make_unique<window>();
  created->handle = reinterpret_cast<HWND>(++last_handle);
  created->procedure = procedure;
  window& result = *created;
  windows.emplace(last_handle, std::move(created));
  return result;
}

void window_table::remove(HWND handle) { windows.erase(reinterpret_cast<std::uintptr_t>(handle)); }

window* window_table::find(HWND handle) {
  auto found = windows.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == windows.end() ? nullptr : found->second.get();
}

window* window_table::find_native(native_window native) {
  if (native == 0) return nullptr;
  for (auto& entry : windows)
    if (entry.second->native == native) return entry.second.get();
  return nullptr;
}

std::vector<HWND> window_table::handles() const {
  std::vector<HWND> result;
  for (const auto& entry : windows) result.push_back(entry.second->handle);
  return result;
}

std::vector<window*> window_table::all() {
  std::vector<window*> result;
  for (auto& entry : windows) result.push_back(entry.second.get());
  return result;
}

window* find_window(HWND handle) {
  window* found = user_process().windows.find(handle);
  if (!found) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return found;
}

HWND register_window(WNDPROC procedure) { return user_process().windows.add(procedure).handle; }

void unregister_window(HWND handle) { user_process().windows.remove(handle); }

WNDPROC procedure_of(HWND handle) {
  window* found = user_process().windows.find(handle);
  return found ? found->procedure : nullptr;
}

drawing_surface* window_surface(HWND handle) { return user_process().windows.find(handle); }

std::vector<HWND> all_windows() { return user_process().windows.handles(); }

}  // namespace portable
