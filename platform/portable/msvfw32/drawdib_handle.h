// An open DrawDib handle. Drawing needs nothing kept between calls; the table
// tells open handles from anything else passed in.
#pragma once

#include "platform/portable/msvfw32/vfw.h"
#include "platform/portable/seam/handle_table.h"
#include "platform/portable/seam/process_state.h"

namespace portable {

struct drawdib_handle {};

using drawdib_table = handle_table<drawdib_handle, HDRAWDIB>;

// msvfw32's part of the process state.
struct drawdib_handles : process_part {
  drawdib_table open;
};

}  // namespace portable
