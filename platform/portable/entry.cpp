// main() for systems without Windows: the runtime start-up that Windows does
// before wWinMain, then the program itself.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/portable/kernel32/entry.h"
#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/seam/utf.h"
#include "platform/portable/user32/window.h"

int main(int argc, char** argv) {
  std::vector<std::u16string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int i = 0; i < argc; ++i) arguments.push_back(portable::utf16_from_utf8(argv[i]));
  std::vector<WCHAR*> vector;
  vector.reserve(arguments.size() + 1);
  for (auto& argument : arguments) vector.push_back(argument.data());
  vector.push_back(nullptr);
  __argc = argc;
  __wargv = vector.data();

  // The command line after the program's name, as wWinMain receives it.
  std::u16string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += u' ';
    command_line += arguments[i];
  }

  std::string error;
  std::unique_ptr<portable::host> host = portable::open_default_host(error);
  if (!host) {
    std::fprintf(stderr, "warblet: %s\n", error.c_str());
    return 1;
  }
  portable::install_host(host.get());
  const int result = wWinMain(GetModuleHandleW(nullptr), nullptr, command_line.data(), SW_SHOWDEFAULT);
  portable::install_host(nullptr);
  return result;
}
