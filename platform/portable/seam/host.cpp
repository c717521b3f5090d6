#include "platform/portable/seam/host.h"

#include <cstdio>
#include <cstdlib>

#include "platform/portable/seam/process_state.h"

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

void install_host(host* h) {
  reset_process_state();
  installed = h;
}

}  // namespace portable
