// X11 protocol errors. Xlib's default handler ends the process (exit code 1)
// on any error, and SDL leaves it in place; a request that names a window the
// server has just destroyed (SDL answering the window manager, say, as a window
// goes away) is such an error and harmless. Once video runs on X11 the host
// replaces the handler with one that reports the error and carries on.
#pragma once

namespace portable {

// Does nothing unless SDL's video driver is x11.
void tolerate_x11_errors();

}  // namespace portable
