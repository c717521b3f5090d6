// The standard icons and cursors. The host draws its own default cursor and has
// no window icons, so a handle here only stands for the resource: the system's
// resources exist (one shared handle per identifier, never released), and the
// program's module has none on this side.
#include "platform/portable/kernel.h"
#include "platform/portable/window.h"

namespace {

// Above the GDI objects' and device contexts' handles, so none is mistaken
// for another; icons and cursors apart from each other.
constexpr ULONG_PTR first_icon_handle = 0x40000000;
constexpr ULONG_PTR first_cursor_handle = 0x40010000;

ULONG_PTR system_resource(HINSTANCE instance, LPCWSTR name, ULONG_PTR first_handle) {
  if (instance || !IS_INTRESOURCE(name)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return first_handle + reinterpret_cast<ULONG_PTR>(name);
}

}  // namespace

HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) {
  return reinterpret_cast<HICON>(system_resource(instance, name, first_icon_handle));
}

HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  return reinterpret_cast<HCURSOR>(system_resource(instance, name, first_cursor_handle));
}
