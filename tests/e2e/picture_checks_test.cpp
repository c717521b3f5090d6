#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "analysis/column_colouring.h"
#include "tests/e2e/picture_checks.h"

namespace {

rgb ramp_pixel(double level) {
  const std::uint32_t pixel = pixel_of(level, true);
  unsigned char bytes[4];
  std::memcpy(bytes, &pixel, sizeof bytes);
  return rgb{bytes[2], bytes[1], bytes[0]};
}

screen_image black_screen(std::int32_t width, std::int32_t height) {
  screen_image image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height, rgb{});
  return image;
}

// A line at level 1 with dimmer skirts a row above and below, as a tone draws.
void draw_tone(screen_image& image, const screen_rect& client, std::int32_t row, std::int32_t from,
               std::int32_t to) {
  for (std::int32_t x = from; x < to; ++x)
    for (std::int32_t dy = -2; dy <= 2; ++dy)
      image.pixels[(client.top + row + dy) * image.width + client.left + x] =
          ramp_pixel(1.0 - 0.2 * std::abs(dy));
}

TEST(PredictedRow, FollowsTheLogarithmicAxisFromSixtyToTwoThousandHertz) {
  for (const std::int32_t height : {400, 800, 1080})
    for (const double hz : {250.0, 500.0, 1000.0, 1500.0}) {
      const double position = std::log(hz / 60.0) / std::log(2000.0 / 60.0) * height;
      EXPECT_EQ(predicted_row(hz, height), height - 1 - static_cast<std::int32_t>(position))
          << hz << " " << height;
    }
  EXPECT_EQ(predicted_row(1001.0, 400), -1);  // between bins
  EXPECT_EQ(predicted_row(2000.0, 400), -1);  // above the shown band
  EXPECT_EQ(predicted_row(31.25, 400), -1);   // below 60 Hz
}

TEST(RampLevel, InvertsTheColourRampAndRejectsOtherColours) {
  EXPECT_EQ(ramp_level(rgb{}), 0.0);
  for (const double level : {0.3, 0.5, 0.8, 1.0})
    EXPECT_NEAR(ramp_level(ramp_pixel(level)), level, 0.01) << level;
  EXPECT_LT(ramp_level(rgb{255, 255, 255}), 0.0);
  EXPECT_LT(ramp_level(rgb{128, 128, 128}), 0.0);
}

TEST(TraceTones, CountsColumnsInEachToneRowAndTheirOrder) {
  const screen_rect client{30, 20, 500, 400};
  screen_image shot = black_screen(600, 500);
  const std::vector<double> tones{250.0, 500.0, 1000.0, 1500.0};
  for (std::size_t i = 0; i < tones.size(); ++i)
    draw_tone(shot, client, predicted_row(tones[i], 400), 100 + 60 * i, 160 + 60 * i);

  tone_findings found = trace_tones(shot, client, tones, 2, 0.65);
  EXPECT_EQ(found.bright_columns, 240);
  EXPECT_EQ(found.unmatched_columns, 0);
  for (std::size_t i = 0; i < tones.size(); ++i) {
    EXPECT_EQ(found.tones[i].columns, 60) << tones[i];
    EXPECT_EQ(found.tones[i].centre_column, 130 + 60 * static_cast<std::int32_t>(i)) << tones[i];
    EXPECT_EQ(found.tones[i].mean_level, 1.0) << tones[i];
  }

  // A line three rows off its prediction, or too dim, is not the tone.
  draw_tone(shot, client, predicted_row(500.0, 400) + 3, 160, 220);
  found = trace_tones(shot, client, tones, 2, 0.65);
  EXPECT_EQ(found.tones[1].columns, 0);
  EXPECT_EQ(found.unmatched_columns, 60);
  found = trace_tones(shot, client, tones, 2, 1.01);
  EXPECT_EQ(found.bright_columns, 0);
}

TEST(Overlays, MeterOutlineLabelAndMovement) {
  const screen_rect client{4, 23, 500, 400};
  screen_image shot = black_screen(508, 427);
  EXPECT_EQ(meter_outline_white(shot, client).matching, 0);
  for (std::int32_t x = 9; x <= 389; ++x)
    for (const std::int32_t y : {9, 20})
      shot.pixels[(client.top + y) * shot.width + client.left + x] = {255, 255, 255};
  for (std::int32_t y = 10; y < 20; ++y)
    for (const std::int32_t x : {9, 389})
      shot.pixels[(client.top + y) * shot.width + client.left + x] = {255, 255, 255};
  const pixel_count outline = meter_outline_white(shot, client);
  EXPECT_EQ(outline.total, 2 * 381 + 2 * 10);
  EXPECT_EQ(outline.matching, outline.total);

  const screen_image before = shot;
  EXPECT_EQ(paused_label_white(shot, client).matching, 0);
  shot.pixels[(client.top + 385) * shot.width + client.left + 12] = {230, 230, 230};
  EXPECT_EQ(paused_label_white(shot, client).matching, 1);
  EXPECT_EQ(changed_pixels(before, shot, client).matching, 1);
  EXPECT_EQ(changed_pixels(before, before, client).matching, 0);
}

// A compositor's desktop: a grey pattern, a panel along the top, and the
// program's window drawn on it.
TEST(FindClientArea, FindsTheBlackWindowOnACompositorsDesktop) {
  struct find_case {
    const char* name;
    screen_rect window;          // drawn black; width 0 for no window
    bool tone;                   // a line through the whole width
    bool title_bar;              // dark, with black letters, above the window
    std::int32_t width, height;  // the size looked for
    bool found;
  };
  const find_case cases[] = {
      {"a window", {53, 239, 500, 400}, false, false, 500, 400, true},
      {"a window with a tone across it", {403, 262, 500, 400}, true, false, 500, 400, true},
      {"a window under a title bar", {100, 300, 500, 400}, true, true, 500, 400, true},
      {"a window at the screen's corner", {0, 0, 500, 400}, false, false, 500, 400, true},
      {"no window", {0, 0, 0, 0}, false, false, 500, 400, false},
      {"a window of another size", {53, 239, 300, 200}, false, false, 500, 400, false},
  };
  for (const find_case& c : cases) {
    SCOPED_TRACE(c.name);
    screen_image shot = black_screen(1280, 800);
    for (std::int32_t y = 0; y < shot.height; ++y)
      for (std::int32_t x = 0; x < shot.width; ++x)
        shot.pixels[y * shot.width + x] =
            y < 32 ? rgb{42, 42, 42} : rgb{static_cast<std::uint8_t>(120 + (x * 7 + y * 3) % 20), 118, 115};
    const screen_rect& w = c.window;
    for (std::int32_t y = w.top; y < w.top + w.height; ++y)
      for (std::int32_t x = w.left; x < w.left + w.width; ++x) shot.pixels[y * shot.width + x] = rgb{};
    if (c.tone && w.width > 0) draw_tone(shot, w, predicted_row(1000.0, w.height), 0, w.width);
    if (c.title_bar)
      for (std::int32_t y = w.top - 24; y < w.top; ++y)
        for (std::int32_t x = w.left; x < w.left + w.width; ++x)
          shot.pixels[y * shot.width + x] = x % 9 == 0 ? rgb{} : rgb{8, 7, 6};
    screen_rect client{-1, -1, 0, 0};
    ASSERT_EQ(find_client_area(shot, c.width, c.height, client), c.found);
    if (!c.found) continue;
    EXPECT_EQ(client.left, w.left);
    EXPECT_EQ(client.top, w.top);
    EXPECT_EQ(client.width, c.width);
    EXPECT_EQ(client.height, c.height);
  }
}

}  // namespace
