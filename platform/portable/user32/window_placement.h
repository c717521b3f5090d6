// Changes of a window's placement, whether the program asks for them
// (MoveWindow) or the host reports them (the user moved, resized, minimised or
// restored the window). As on Windows, WM_MOVE comes when the client area moved
// and WM_SIZE when its size changed, and neither otherwise.
#pragma once

#include "platform/portable/user32/window_registry.h"

namespace portable {

// Gives the window the outer rectangle `outer`. With `repaint`, the area that
// growing uncovers joins the update region; with `tell_host`, the native window
// follows.
void set_outer_rect(HWND handle, const RECT& outer, bool repaint, bool tell_host);
// The user resized the client area to width x height; the window procedure may
// adjust the size through WM_SIZING, and the native window then follows.
void client_resized(HWND handle, std::int32_t width, std::int32_t height);
// The user moved the client area's top-left corner to x, y.
void client_moved(HWND handle, std::int32_t x, std::int32_t y);
// Minimising empties the client area (WM_SIZE with SIZE_MINIMIZED); restoring
// gives it back, to be repainted whole (WM_SIZE with SIZE_RESTORED).
void set_minimized(HWND handle, bool minimized);

// WM_SIZE and then WM_MOVE with the current placement, as a window gets them
// when it is first placed.
void send_size_and_move(HWND handle);
// Sets the client size and sizes the pixels to match; the update region and
// the drawn pixels are clipped to it.
void resize_client(window& w, std::int32_t width, std::int32_t height);

}  // namespace portable
