// gdi32's part of the process state: its objects, the device contexts and the
// fonts it has opened.
#pragma once

#include "platform/portable/gdi32/dc_table.h"
#include "platform/portable/gdi32/font_cache.h"
#include "platform/portable/gdi32/gdi_objects.h"
#include "platform/portable/seam/process_state.h"

namespace portable {

struct gdi_state : process_part {
  gdi_table gdi;
  dc_table dcs;
  font_cache fonts;
};

inline gdi_state& gdi_process() { return process_part_of<gdi_state>(); }

}  // namespace portable
