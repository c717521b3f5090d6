// Scrolling and painting. The window scrolls left by the columns written since
// the last pass; the platform invalidates the uncovered strip, and the paint
// copies just that strip from the ring image. Overlays are drawn whole on
// every paint, over the image.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "analysis/settings.h"
#include "framework/last_error.h"
#include "framework/truncation.h"
#include "viewer/myapp.h"

namespace {

constexpr WCHAR failure_message[] =
    TEXT("Sorry, looks like your audio system is not compatible with Warblet.");
constexpr WCHAR paused_label[] = TEXT("(paused)");

// A meter end's pixel offset for a magnitude on the meter's fixed scale.
std::int32_t meter_offset(double magnitude, std::uint32_t width) {
  const std::int32_t offset =
      truncated(width * (magnitude - settings.meter_floor) / (settings.meter_ceiling - settings.meter_floor));
  return std::clamp<std::int32_t>(offset, 0, static_cast<std::int32_t>(width) - 1);
}

}  // namespace

std::int32_t myapp::on_iteration() {
  if (image_size[0] <= 0) return handled;  // no ring to wrap around
  const std::uint32_t width = static_cast<std::uint32_t>(image_size[0]);
  const std::uint32_t written = (width + write_column - scrolled_column) % width;
  if (unscrolled_columns >= width) {
    // Every column on screen has been written over since the last scroll, and
    // the count modulo W says nothing: the whole picture comes from the ring.
    window.invalidate();
  } else if (written && !ScrollWindowEx(window.handle, -static_cast<int>(written), 0, nullptr, nullptr,
                                        nullptr, nullptr, SW_INVALIDATE)) {
    discard_last_error();
  }
  scrolled_column = write_column;
  unscrolled_columns = 0;
  return handled;
}

// Client column x shows ring column (write_column + x) mod W: the ring wraps at
// client column W - write_column, so a rectangle is copied in at most two
// pieces, each one-to-one.
void myapp::blit_rect(const RECT& r) {
  const std::int32_t width = image.width, height = image.height;
  if (width <= 0 || height <= 0) return;
  const std::int32_t wrap = (width - write_column) % width;
  const RECT pieces[2] = {{0, 0, wrap, height}, {wrap, 0, width, height}};
  for (const RECT& piece : pieces) {
    RECT part;
    IntersectRect(&part, &r, &piece);
    if (IsRectEmpty(&part)) continue;
    const std::int32_t w = part.right - part.left, h = part.bottom - part.top;
    if (!DrawDibDraw(drawdib, window.device_context, part.left, part.top, w, h, &bitmap_header, image.pixels,
                     (write_column + part.left) % width, part.top, w, h, 0)) {
      discard_last_error();
    }
  }
}

std::int32_t myapp::on_paint() {
  if (!ready) {
    // Nothing to report while the window has no area: the pipeline is idle,
    // not failed, and configures again when the window is given an area.
    if (!has_area()) return handled;
    // The message box's modal loop may paint the window again; that paint
    // shows no second box.
    if (failure_shown) return 1;
    failure_shown = true;
    MessageBoxW(window.handle, failure_message, nullptr, MB_OK);
    PostQuitMessage(0);
    return 1;
  }
  const std::int32_t left = meter_offset(settings.min_magnitude, settings.level_meter_width);
  const std::int32_t right = meter_offset(settings.max_magnitude, settings.level_meter_width);
  if (settings.show_level_meter) {
    // The strip left of the meter is blitted too, which wipes the copies of
    // the meter's end that scrolling moved there.
    HRGN left_of_meter = CreateRectRgn(0, 9, left + 9, right + 11);
    CombineRgn(window.update_region, window.update_region, left_of_meter, RGN_OR);
    DeleteObject(left_of_meter);
  }
  // If the region cannot be read, nothing is blitted.
  const DWORD size = GetRegionData(window.update_region, 0, nullptr);
  if (size >= sizeof(RGNDATAHEADER)) {
    std::vector<unsigned char> buffer(size);
    RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(window.update_region, size, data) == size) {
      const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
      for (DWORD i = 0; i < data->rdh.nCount; ++i) blit_rect(rects[i]);
    }
  }
  if (settings.show_level_meter) draw_level_meter(left, right);
  if (settings.paused) draw_paused_label();
  return handled;
}

void myapp::draw_level_meter(std::int32_t left, std::int32_t right) {
  HDC dc = window.device_context;
  const RECT bar{left + 10, 10, right + 10, 20};
  FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const RECT outline{left + 9, 9, right + 11, 21};
  FrameRect(dc, &outline, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // A diamond around the peak, red from 0.95 of full scale on.
  const std::int32_t centre = truncated((right - left) * peak_level) + left + 10;
  for (std::int32_t x = centre - 5; x < centre + 5; ++x) {
    const std::int32_t k = std::abs(x - centre);
    HBRUSH brush = peak_level >= 0.95 ? CreateSolidBrush(RGB(255, 0, 0))
                                      : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT column{x, 10 + k, x + 1, 20 - k};
    FrameRect(dc, &column, brush);
    DeleteObject(brush);  // a stock brush ignores this
  }
}

void myapp::draw_paused_label() {
  HDC dc = window.device_context;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  TextOutW(dc, 10, image_size[1] - 10, paused_label, 8);
}
