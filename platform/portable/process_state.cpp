#include "platform/portable/process_state.h"

#include <memory>

namespace portable {
namespace {
std::unique_ptr<process_state> state;
}

process_state& process() {
  if (!state) state = std::make_unique<process_state>();
  return *state;
}

void reset_process_state() { state.reset(); }

}  // namespace portable
