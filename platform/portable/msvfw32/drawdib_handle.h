// An open DrawDib handle: the picture it last asked the host to settle, so
// that drawing the same picture again does not ask every time.
#pragma once

#include <cstddef>

#include "platform/portable/msvfw32/vfw.h"
#include "platform/portable/seam/handle_table.h"
#include "platform/portable/seam/process_state.h"

namespace portable {

struct drawdib_handle {
  const void* last_bits = nullptr;
  std::size_t last_bytes = 0;
  unsigned draws = 0;  // of that picture since it was last settled
};

using drawdib_table = handle_table<drawdib_handle, HDRAWDIB>;

// msvfw32's part of the process state.
struct drawdib_handles : process_part {
  drawdib_table open;
};

}  // namespace portable
