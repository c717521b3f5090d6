// The registered window classes.
#pragma once

#include <string>
#include <vector>

#include "platform/portable/user32/user.h"

namespace portable {

struct window_class {
  ATOM atom;
  std::u16string name;
  WNDPROC procedure;
  int window_extra;  // cbWndExtra
  HINSTANCE instance;
  HBRUSH background;
  HICON icon;
  int windows = 0;  // that exist
};

class class_table {
 public:
  // By MAKEINTATOM(atom) or by name, ignoring the case of ASCII letters; null
  // when there is none.
  window_class* find(LPCWSTR name_or_atom);
  window_class* find(ATOM atom);
  window_class& add(window_class registered);
  void remove(ATOM atom);

 private:
  std::vector<window_class> classes;
  ATOM next_atom = 0xC000;  // where Windows' string atoms begin
};

}  // namespace portable
