// An open DrawDib handle. Drawing needs nothing kept between calls; the table
// tells open handles from anything else passed in.
#pragma once

#include "platform/portable/handle_table.h"
#include "platform/portable/vfw.h"

namespace portable {

struct drawdib_handle {};

using drawdib_table = handle_table<drawdib_handle, HDRAWDIB>;

}  // namespace portable
