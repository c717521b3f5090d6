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

}  // namespace
