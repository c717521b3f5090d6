// The host's events become what a Windows program receives: input messages in
// the queue, placement changes with their WM_MOVE and WM_SIZE, WM_CLOSE.
#pragma once

#include "platform/portable/seam/host.h"

namespace portable {

void deliver_host_event(const host_event& event);

}  // namespace portable
