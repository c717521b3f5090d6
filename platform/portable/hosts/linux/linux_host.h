// The host the Linux program runs on: the SDL2 host with the X11 output, its
// threads' waits allowed timer slack, and windows' pictures in huge pages.
#pragma once

#include <memory>
#include <string>

#include "platform/portable/hosts/sdl/sdl_host.h"

namespace portable {

// Null with a sentence in `error` when SDL cannot start.
std::unique_ptr<sdl_host> open_linux_host(std::string& error);

}  // namespace portable
