// What the end-to-end runs check on a screenshot of the live program: tones as
// lines in the rows the frequency axis predicts, the level meter's outline, the
// "(paused)" label, and whether the picture moved between two shots. Rows and
// colours come from the analysis library, so the checks follow its axis and
// colour ramp rather than restating them.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/e2e/screen_image.h"

// The level (0 ... 1) at which the colour ramp shows this pixel; -1 for a colour
// the ramp never shows (text, outlines, window frames). Black is level 0.
double ramp_level(const rgb& pixel);

// The client row (0 at the top) in which a steady tone of hz shows on a client
// area of the given height: the row whose span holds the tone's position on the
// logarithmic axis. Only a tone at the centre of a spectrum bin has one row; for
// any other frequency, and for one outside the shown band, -1.
std::int32_t predicted_row(double hz, std::int32_t height);

struct tone_trace {
  double hz = 0.0;
  std::int32_t row = -1;            // predicted client row
  std::int32_t columns = 0;         // bright columns whose brightest row lies within the tolerance of row
  std::int32_t centre_column = -1;  // the middle one of those columns; -1 when there are none
  double mean_level = 0.0;          // of the brightest pixel in those columns
};

struct tone_findings {
  std::vector<tone_trace> tones;
  std::int32_t bright_columns = 0;     // columns whose brightest pixel reaches the bright level
  std::int32_t unmatched_columns = 0;  // bright columns in no tone's row
};

// Finds each column's brightest row in the client area (the middle of the rows
// sharing the highest level) and counts, per tone, the bright columns in which
// it lies at most tolerance rows from the tone's predicted row.
tone_findings trace_tones(const screen_image& shot, const screen_rect& client, const std::vector<double>& hz,
                          std::int32_t tolerance, double bright_level);

struct pixel_count {
  std::int32_t matching = 0;
  std::int32_t total = 0;
};

// The level meter's outline: white pixels on the rectangle from client (9, 9)
// to (9 + meter width, 20), inclusive.
pixel_count meter_outline_white(const screen_image& shot, const screen_rect& client);

// Near-white pixels in the box of the "(paused)" label, which is drawn from 10
// pixels right of the left edge on a baseline 10 pixels above the bottom edge.
// The colour ramp has no near-white colour, so the picture behind adds none.
pixel_count paused_label_white(const screen_image& shot, const screen_rect& client);

// Pixels of the client area that differ between two shots of the same screen.
pixel_count changed_pixels(const screen_image& before, const screen_image& after, const screen_rect& client);

// Where a client area of width x height lies on a screen whose other windows
// and background have no pure black: the span of rows at least half black,
// then within them the span of columns at least half black, when these spans
// have exactly that size. For a window whose place the script cannot ask for
// (a Wayland compositor's). False when no such area is found.
bool find_client_area(const screen_image& shot, std::int32_t width, std::int32_t height, screen_rect& client);
