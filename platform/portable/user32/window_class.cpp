// Window classes: RegisterClassExW and UnregisterClassW.
#include "platform/portable/user32/window_class.h"

#include <algorithm>

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/user32/user_state.h"
#include "platform/portable/user32/window.h"

namespace portable {
namespace {

char16_t folded(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool same_name(const std::u16string& a, LPCWSTR b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (folded(a[i]) != folded(b[i])) return false;
  return i == a.size() && !b[i];
}

}  // namespace

window_class* class_table::find(LPCWSTR name_or_atom) {
  if (IS_INTRESOURCE(name_or_atom)) return find(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name_or_atom)));
  for (window_class& c : classes)
    if (same_name(c.name, name_or_atom)) return &c;
  return nullptr;
}

window_class* class_table::find(ATOM atom) {
  for (window_class& c : classes)
    if (c.atom == atom) return &c;
  return nullptr;
}

window_class& class_table::add(window_class registered) {
  registered.atom = next_atom++;
  classes.push_back(std::move(registered));
  return classes.back();
}

void class_table::remove(ATOM atom) {
  classes.erase(std::remove_if(classes.begin(), classes.end(),
                               [atom](const window_class& c) { return c.atom == atom; }),
                classes.end());
}

}  // namespace portable

using namespace portable;

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) ||
      wc->cbWndExtra < 0 || wc->cbClsExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  class_table& classes = user_process().classes;
  if (classes.find(wc->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  return classes
      .add(window_class{0, wc->lpszClassName, wc->lpfnWndProc, wc->cbWndExtra, wc->hInstance,
                        wc->hbrBackground, wc->hIcon})
      .atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR class_name, HINSTANCE instance) {
  window_class* found = user_process().classes.find(class_name);
  if (!found || found->instance != instance) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (found->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  user_process().classes.remove(found->atom);
  return TRUE;
}
