#include "platform/portable/host.h"

#include <cstdio>
#include <cstdlib>

namespace portable {
namespace {
host* installed = nullptr;
}

host& current_host() {
  if (!installed) {
    std::fputs("warblet: the platform was used before a host was installed\n", stderr);
    std::abort();
  }
  return *installed;
}

void install_host(host* h) { installed = h; }

}  // namespace portable
