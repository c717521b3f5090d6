// The standard icons and cursors, and the program's own icons. The host draws
// its own default cursor, so a handle here only stands for the resource: the
// system's resources exist (one shared handle per identifier, never released);
// the program's module has the icons its build registered.
#include <map>

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/user32/program_icon.h"
#include "platform/portable/user32/window.h"

namespace {

// Above the GDI objects' and device contexts' handles, so none is mistaken
// for another; icons and cursors apart from each other.
constexpr ULONG_PTR first_icon_handle = 0x40000000;
constexpr ULONG_PTR first_cursor_handle = 0x40010000;
constexpr ULONG_PTR first_program_icon_handle = 0x40020000;

// Filled during static initialisation, before any host exists, so it lives
// apart from the process state that installing a host resets.
std::map<WORD, portable::icon_picture>& program_icons() {
  static std::map<WORD, portable::icon_picture> icons;
  return icons;
}

ULONG_PTR system_resource(HINSTANCE instance, LPCWSTR name, ULONG_PTR first_handle) {
  if (instance || !IS_INTRESOURCE(name)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return first_handle + reinterpret_cast<ULONG_PTR>(name);
}

}  // namespace

namespace portable {

bool register_program_icon(WORD id, const icon_picture& picture) {
  program_icons()[id] = picture;
  return true;
}

const icon_picture* program_icon(HICON icon) {
  const ULONG_PTR handle = reinterpret_cast<ULONG_PTR>(icon);
  if (handle <= first_program_icon_handle || handle > first_program_icon_handle + 0xFFFF) return nullptr;
  const auto found = program_icons().find(static_cast<WORD>(handle - first_program_icon_handle));
  return found == program_icons().end() ? nullptr : &found->second;
}

}  // namespace portable

HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) {
  if (instance && instance == GetModuleHandleW(nullptr) && IS_INTRESOURCE(name)) {
    const WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    if (program_icons().count(id)) return reinterpret_cast<HICON>(first_program_icon_handle + id);
  }
  return reinterpret_cast<HICON>(system_resource(instance, name, first_icon_handle));
}

HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  return reinterpret_cast<HCURSOR>(system_resource(instance, name, first_cursor_handle));
}
