// A monitor of the desktop, and rectangles in desktop coordinates (y upward
// from the bottom of the virtual screen; x1 and y1 exclusive).
#pragma once

#include "cp/xstring.h"
#include "platform/win32.h"

class desktop;

struct desktop_rect {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

class monitor {
 public:
  // The platform's name for the monitor, e.g. \\.\DISPLAY1.
  cp::xstring<WCHAR> device_name() const;
  // The whole monitor, and the part of it that windows should use (without
  // task bars). A failed query is dropped and gives an empty rectangle.
  desktop_rect area() const;
  desktop_rect work_area() const;

  HMONITOR handle = nullptr;
  desktop* owner = nullptr;
};
