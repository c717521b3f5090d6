#include <cstdio>
#include <string>

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/seam/utf.h"
#include "platform/portable/user32/user.h"
#include "platform/portable/user32/window_registry.h"

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (owner && !portable::find_window(owner)) return 0;
  const std::string title = portable::utf8_from_utf16(caption ? caption : u"Error");
  const std::string body = portable::utf8_from_utf16(text ? text : u"");
  std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
  portable::current_host().message_box(title, body);
  return IDOK;
}
