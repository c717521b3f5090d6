#include "tests/e2e/picture_checks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "analysis/column_colouring.h"
#include "analysis/row_edges.h"
#include "analysis/settings.h"

namespace {

std::uint32_t packed(const rgb& p) { return static_cast<std::uint32_t>(p.red) << 16 | p.green << 8 | p.blue; }

// Every colour the ramp shows, with the lowest of the 1024 steps that shows it.
const std::map<std::uint32_t, std::int32_t>& ramp_steps() {
  static const std::map<std::uint32_t, std::int32_t> steps = [] {
    std::map<std::uint32_t, std::int32_t> found;
    for (std::int32_t k = 1023; k >= 0; --k) {
      // The middle of step k, so that the truncation to a step gives k back.
      const std::uint32_t pixel = pixel_of((k + 0.5) / 1023.0, true);
      unsigned char bytes[4];  // blue, green, red, 0xFF in memory
      std::memcpy(bytes, &pixel, sizeof bytes);
      found[packed(rgb{bytes[2], bytes[1], bytes[0]})] = k;
    }
    return found;
  }();
  return steps;
}

bool near_white(const rgb& p) { return p.red >= 192 && p.green >= 192 && p.blue >= 192; }

}  // namespace

double ramp_level(const rgb& pixel) {
  const auto& steps = ramp_steps();
  const auto found = steps.find(packed(pixel));
  return found == steps.end() ? -1.0 : found->second / 1023.0;
}

std::int32_t predicted_row(double hz, std::int32_t height) {
  const double bin = hz * settings.fft_size / settings.sample_rate;
  const std::uint32_t whole = static_cast<std::uint32_t>(std::lround(bin));
  if (std::fabs(bin - whole) > 1e-9 || whole == 0 || whole >= shown_band_bins() || height <= 0) return -1;
  const double position = log_row_edges(height)[whole];
  if (position < 0.0) return -1;  // below the lowest shown frequency
  // Image row r, counted from the bottom, spans positions r ... r + 1.
  return height - 1 - static_cast<std::int32_t>(position);
}

tone_findings trace_tones(const screen_image& shot, const screen_rect& client, const std::vector<double>& hz,
                          std::int32_t tolerance, double bright_level) {
  tone_findings findings;
  std::vector<std::vector<std::int32_t>> matched(hz.size());
  for (double f : hz) {
    tone_trace t;
    t.hz = f;
    t.row = predicted_row(f, client.height);
    findings.tones.push_back(t);
  }
  for (std::int32_t x = 0; x < client.width; ++x) {
    double best = -1.0;
    std::vector<std::int32_t> best_rows;
    for (std::int32_t y = 0; y < client.height; ++y) {
      const double level = ramp_level(shot.at(client.left + x, client.top + y));
      if (level > best) {
        best = level;
        best_rows.clear();
      }
      if (level == best) best_rows.push_back(y);
    }
    if (best < bright_level) continue;
    ++findings.bright_columns;
    const std::int32_t row = best_rows[best_rows.size() / 2];
    bool in_a_tone = false;
    for (std::size_t i = 0; i < hz.size(); ++i) {
      tone_trace& t = findings.tones[i];
      if (t.row < 0 || std::abs(row - t.row) > tolerance) continue;
      in_a_tone = true;
      matched[i].push_back(x);
      t.mean_level += best;
    }
    if (!in_a_tone) ++findings.unmatched_columns;
  }
  for (std::size_t i = 0; i < hz.size(); ++i) {
    tone_trace& t = findings.tones[i];
    t.columns = static_cast<std::int32_t>(matched[i].size());
    if (t.columns == 0) continue;
    t.mean_level /= t.columns;
    t.centre_column = matched[i][matched[i].size() / 2];
  }
  return findings;
}

pixel_count meter_outline_white(const screen_image& shot, const screen_rect& client) {
  const std::int32_t left = 9, top = 9, bottom = 20;
  const std::int32_t right = left + static_cast<std::int32_t>(settings.level_meter_width);
  pixel_count count;
  const auto look = [&](std::int32_t x, std::int32_t y) {
    ++count.total;
    if (x < client.width && y < client.height &&
        shot.at(client.left + x, client.top + y) == rgb{255, 255, 255})
      ++count.matching;
  };
  for (std::int32_t x = left; x <= right; ++x) {
    look(x, top);
    look(x, bottom);
  }
  for (std::int32_t y = top + 1; y < bottom; ++y) {
    look(left, y);
    look(right, y);
  }
  return count;
}

pixel_count paused_label_white(const screen_image& shot, const screen_rect& client) {
  // Room for the label in any likely font: 120 pixels wide, 24 above the
  // baseline and 6 below it for the parentheses' tails.
  const std::int32_t baseline = client.height - 10;
  pixel_count count;
  for (std::int32_t y = std::max(baseline - 24, 0); y < std::min(baseline + 6, client.height); ++y)
    for (std::int32_t x = 10; x < std::min(130, client.width); ++x) {
      ++count.total;
      if (near_white(shot.at(client.left + x, client.top + y))) ++count.matching;
    }
  return count;
}

pixel_count changed_pixels(const screen_image& before, const screen_image& after, const screen_rect& client) {
  pixel_count count;
  for (std::int32_t y = client.top; y < client.top + client.height; ++y)
    for (std::int32_t x = client.left; x < client.left + client.width; ++x) {
      ++count.total;
      if (!(before.at(x, y) == after.at(x, y))) ++count.matching;
    }
  return count;
}

namespace {

// The first and last of `count` lines that are at least half black; false when
// none is.
template <typename BlackIn>
bool black_span(std::int32_t count, std::int32_t length, BlackIn black_in, std::int32_t& first,
                std::int32_t& last) {
  first = last = -1;
  for (std::int32_t i = 0; i < count; ++i)
    if (2 * black_in(i) >= length) {
      if (first < 0) first = i;
      last = i;
    }
  return first >= 0;
}

}  // namespace

bool find_client_area(const screen_image& shot, std::int32_t width, std::int32_t height,
                      screen_rect& client) {
  const rgb black{};
  std::int32_t top = 0, bottom = 0, left = 0, right = 0;
  const auto black_in_row = [&](std::int32_t y) {
    std::int32_t n = 0;
    for (std::int32_t x = 0; x < shot.width; ++x) n += shot.at(x, y) == black;
    return n;
  };
  if (!black_span(shot.height, width, black_in_row, top, bottom) || bottom - top + 1 != height) return false;
  const auto black_in_column = [&](std::int32_t x) {
    std::int32_t n = 0;
    for (std::int32_t y = top; y <= bottom; ++y) n += shot.at(x, y) == black;
    return n;
  };
  if (!black_span(shot.width, height, black_in_column, left, right) || right - left + 1 != width)
    return false;
  client = screen_rect{left, top, width, height};
  return true;
}
