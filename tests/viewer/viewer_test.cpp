// The whole viewer on the scripted host: sound goes in through the virtual
// microphone, keys and window changes are scheduled on the virtual clock, and
// the checks read the pixels the program presented and the message boxes it
// showed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/settings.h"
#include "tests/viewer/viewer_run.h"

namespace {

using namespace viewer_test;

TEST(Viewer, SilenceIsBlackAndASteadyToneIsALineInItsRowScrollingLeft) {
  viewer_run v;
  screenshot silent, first, later, wrapped;
  v.shoot_at(1 * second, silent);
  v.tone_at(1 * second, 1000.0, half_scale);
  v.shoot_at(2 * second, first);
  v.shoot_at(3 * second, later);
  // By then the ring has wrapped around more than once.
  v.shoot_at(20 * second, wrapped);
  EXPECT_EQ(v.run(20 * second + 10 * ms), 0);

  ASSERT_EQ(silent.screen_width, 500);
  ASSERT_EQ(silent.screen_height, 400);
  EXPECT_EQ(first_lit_column(silent), 500) << "all black";
  // Everything before the tone stays black; the onset moves left at 62.5
  // columns a second.
  const std::int32_t onset_first = first_lit_column(first), onset_later = first_lit_column(later);
  EXPECT_NEAR(onset_first, 500 - 62.5, 4.0);
  EXPECT_NEAR(onset_first - onset_later, 62.5, 1.0);
  expect_tone_at_right_edge(first, 1000.0);
  expect_tone_at_right_edge(later, 1000.0);
  expect_tone_at_right_edge(wrapped, 1000.0, 0);
  EXPECT_TRUE(v.host.message_boxes().empty());
}

TEST(Viewer, CharactersFlipTheirSwitchesAndUpperCaseOnesNothing) {
  struct char_case {
    std::vector<scripted::key_press> keys;
    char16_t typed;
    bool paused, log_amplitude, meter;
  };
  const char_case cases[] = {
      {{space}, u' ', true, true, false},         {{key_a}, u'a', false, false, false},
      {{key_l}, u'l', false, true, true},         {{shift, key_a}, u'A', false, true, false},
      {{shift, key_l}, u'L', false, true, false},
  };
  for (const char_case& c : cases) {
    SCOPED_TRACE(static_cast<char>(c.typed));
    viewer_run v;
    v.keys_at(1 * second, c.keys, std::u16string(1, c.typed));
    bool paused = false, log_amplitude = false, meter = false;
    v.host.at(1 * second + 100 * ms, [&] {
      paused = settings.paused, log_amplitude = settings.log_amplitude, meter = settings.show_level_meter;
    });
    EXPECT_EQ(v.run(2 * second), 0);
    EXPECT_EQ(paused, c.paused);
    EXPECT_EQ(log_amplitude, c.log_amplitude);
    EXPECT_EQ(meter, c.meter);
  }
  EXPECT_FALSE(settings.paused);
}

TEST(Viewer, SpaceFreezesThePictureUnderAPausedLabelAndResumesIt) {
  viewer_run v;
  v.tone_at(0, 1000.0, half_scale);
  screenshot paused, still_paused, resumed;
  v.keys_at(1 * second, {space}, u" ");
  v.shoot_at(1 * second + 500 * ms, paused);
  v.shoot_at(2 * second + 500 * ms, still_paused);
  v.keys_at(3 * second, {space}, u" ");
  v.shoot_at(3 * second + 500 * ms, resumed);
  EXPECT_EQ(v.run(4 * second), 0);

  EXPECT_EQ(still_paused.screen, paused.screen) << "no columns and no scrolling while paused";
  // The label stands on the row above its baseline, 10 pixels above the
  // bottom edge, and starts 10 pixels from the left.
  const std::int32_t baseline = 400 - 10;
  std::int32_t left = 500, right = -1, top = 400, bottom = -1, whites = 0;
  for (std::int32_t y = 0; y < 400; ++y) {
    for (std::int32_t x = 0; x < 500; ++x) {
      if (!is_grey(at(paused, x, y))) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
      whites += at(paused, x, y) == 0xFFFFFF;
    }
  }
  EXPECT_GT(whites, 20);
  EXPECT_GE(left, 10);
  EXPECT_LE(left, 12);
  EXPECT_GT(right, left + 40) << "eight characters";
  EXPECT_GE(top, baseline - 16);
  EXPECT_GE(bottom, baseline) << "parentheses and p reach below the baseline";
  EXPECT_LT(bottom, baseline + 6);
  // Only the parentheses and the p reach past the row above the baseline.
  int standing = 0, past = 0;
  for (std::int32_t x = left; x <= right; ++x) {
    standing += is_grey(at(paused, x, baseline - 1));
    past += is_grey(at(paused, x, baseline));
  }
  EXPECT_GT(standing, 3 * past);

  for (std::int32_t y = top; y <= bottom; ++y)
    for (std::int32_t x = left; x <= right; ++x) ASSERT_FALSE(is_grey(at(resumed, x, y))) << x << ", " << y;
  EXPECT_NE(resumed.screen, paused.screen);
  expect_tone_at_right_edge(resumed, 1000.0);
}

TEST(Viewer, TheAmplitudeKeyChangesOnlyNewColumns) {
  viewer_run v;
  v.tone_at(0, 1000.0, 1000.0);  // quiet enough not to saturate either scale
  screenshot before, after;
  std::int32_t scrolled_before = 0, scrolled_after = 0;
  v.host.at(2 * second, [&] {
    before = v.host.window(1);
    scrolled_before = v.app.scrolled_column;
  });
  v.keys_at(2 * second, {key_a}, u"a");
  v.host.at(3 * second, [&] {
    after = v.host.window(1);
    scrolled_after = v.app.scrolled_column;
  });
  EXPECT_EQ(v.run(3 * second + 10 * ms), 0);

  const std::int32_t moved = (500 + scrolled_after - scrolled_before) % 500;
  ASSERT_NEAR(moved, 62.5, 2.0);
  for (std::int32_t y = 0; y < 400; ++y)
    for (std::int32_t x = 0; x + moved < 500; ++x)
      ASSERT_EQ(at(after, x, y), at(before, x + moved, y)) << "old column " << x + moved << ", row " << y;
  // The same steady tone, now on the linear scale, which is darker than the
  // logarithmic one everywhere between the ends.
  const auto column_heat = [](const screenshot& shot) {
    int sum = 0;
    for (std::int32_t y = 0; y < 400; ++y) sum += heat(at(shot, 499, y));
    return sum;
  };
  EXPECT_LT(column_heat(after), column_heat(before));
  EXPECT_GT(column_heat(after), 0);
}

TEST(Viewer, TheLevelMeterFramesABlackBarWithADiamondAtThePeak) {
  struct meter_case {
    double amplitude;
    std::int32_t centre;
    std::uint32_t marker;
  };
  for (const meter_case& c : {meter_case{full_scale, 389, 0xFF0000}, meter_case{half_scale, 199, 0xFFFFFF}}) {
    SCOPED_TRACE(c.amplitude);
    viewer_run v;
    v.tone_at(0, 997.0, c.amplitude);  // its samples come close to every phase
    screenshot shot;
    v.keys_at(1 * second, {key_l}, u"l");
    v.shoot_at(2 * second, shot);
    EXPECT_EQ(v.run(2 * second + 10 * ms), 0);

    for (const auto& [x, y] : {std::pair{9, 9}, {389, 9}, {9, 20}, {389, 20}, {200, 9}, {300, 20}, {9, 15}})
      EXPECT_EQ(at(shot, x, y), 0xFFFFFFu) << "outline at " << x << ", " << y;
    for (const auto& [x, y] : {std::pair{8, 15}, {390, 15}, {200, 8}, {200, 21}})
      EXPECT_FALSE(is_grey(at(shot, x, y))) << "outside at " << x << ", " << y;
    for (const auto& [x, y] : {std::pair{10, 10}, {100, 15}, {300, 19}, {388, 10}})
      if (std::abs(x - c.centre) > 5) {
        EXPECT_EQ(at(shot, x, y), 0u) << "bar at " << x << ", " << y;
      }
    // The tallest marker column is the centre; each column away is one pixel
    // shorter at both ends.
    std::int32_t centre = 0, tallest = 0;
    for (std::int32_t x = c.centre - 6; x <= c.centre + 6; ++x) {
      std::int32_t height = 0;
      for (std::int32_t y = 10; y < 20; ++y) height += at(shot, x, y) == c.marker;
      if (height > tallest) tallest = height, centre = x;
    }
    EXPECT_EQ(tallest, 10);
    EXPECT_NEAR(centre, c.centre, 1);
    for (std::int32_t k = 1; k <= 4; ++k) {
      EXPECT_EQ(at(shot, centre + k, 10 + k), c.marker) << k;
      EXPECT_EQ(at(shot, centre - k, 19 - k), c.marker) << k;
      EXPECT_NE(at(shot, centre + k, 9 + k), c.marker) << k;
    }
  }
}

TEST(Viewer, F1SwitchesToTheMonitorsSizeAndBackWhileRepeatsAreIgnored) {
  viewer_run v;
  v.host.set_monitors(
      {portable::monitor_info{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true, "\\\\.\\DISPLAY1"}});
  v.tone_at(0, 1000.0, half_scale);
  scripted::key_press held_f1 = f1;
  held_f1.repeat = true;
  screenshot entered, full, left;
  v.keys_at(1 * second, {f1});
  v.shoot_at(1 * second + 50 * ms, entered);
  v.keys_at(1 * second + 100 * ms, {held_f1});
  v.shoot_at(3 * second, full);
  v.keys_at(3 * second, {f1});
  v.keys_at(3 * second + 100 * ms, {held_f1});
  v.shoot_at(3 * second + 200 * ms, left);
  EXPECT_EQ(v.run(3 * second + 300 * ms), 0);

  EXPECT_EQ(v.host.newest_window(), 3u) << "one re-creation per press, none per repeat";
  EXPECT_TRUE(entered.full_screen);
  EXPECT_FALSE(entered.framed);
  EXPECT_EQ(entered.screen_width, 1280);
  EXPECT_EQ(entered.screen_height, 1024);
  // A new, black picture: at most the columns of the last 50 ms are lit.
  EXPECT_GE(first_lit_column(entered), 1280 - 5);
  EXPECT_TRUE(full.full_screen);
  expect_tone_at_right_edge(full, 1000.0);
  EXPECT_FALSE(left.full_screen);
  EXPECT_TRUE(left.framed);
  EXPECT_EQ(left.width, 500);
  EXPECT_EQ(left.height, 400);
  EXPECT_EQ(left.screen_width, 500);
  EXPECT_EQ(left.screen_height, 400);
  EXPECT_GE(first_lit_column(left), 500 - 15);
}

TEST(Viewer, QAndEscapeQuitAtOnceButTheirRepeatsDoNot) {
  scripted::key_press held_q = key_q, held_escape = escape;
  held_q.repeat = held_escape.repeat = true;
  struct quit_case {
    const char* name;
    std::vector<scripted::key_press> keys;
    std::u16string text;
    bool quits;
  };
  const quit_case cases[] = {
      {"Q", {key_q}, u"q", true},
      {"Shift+Q", {shift, key_q}, u"Q", true},
      {"Escape", {escape}, u"\x1b", true},
      {"Q held down", {key_q, held_q, held_q}, u"q", true},
      {"a repeat of Q alone", {held_q}, u"q", false},
      {"a repeat of Escape alone", {held_escape}, u"", false},
  };
  for (const quit_case& c : cases) {
    SCOPED_TRACE(c.name);
    viewer_run v;
    v.keys_at(1 * second, c.keys, c.text);
    EXPECT_EQ(v.run(3 * second), 0);
    if (c.quits)
      EXPECT_LT(v.host.now(), 1 * second + 20 * ms);
    else
      EXPECT_GE(v.host.now(), 3 * second);
    EXPECT_TRUE(v.host.message_boxes().empty());
    EXPECT_EQ(v.host.newest_window(), 1u);
  }
}

TEST(Viewer, WithoutAMicrophoneOrDrawDibTheFirstPaintApologisesAndQuits) {
  for (const bool no_microphone : {true, false}) {
    SCOPED_TRACE(no_microphone ? "no microphone" : "no DrawDib");
    viewer_run v;
    if (no_microphone)
      v.host.microphone().refuse("no capture device");
    else
      v.host.fail_drawdib = true;
    EXPECT_EQ(v.run(5 * second), 0);
    ASSERT_EQ(v.host.message_boxes().size(), 1u);
    EXPECT_EQ(v.host.message_boxes()[0].text, failure_text);
    EXPECT_LT(v.host.now(), 100 * ms) << "the program ends after the message";
    EXPECT_EQ(v.host.microphone().open_captures(), 0);
  }
}

TEST(Viewer, AResizeStartsABlackPictureOfTheNewSize) {
  struct size_case {
    std::int32_t width, height;
  };
  for (const size_case c : {size_case{300, 200}, size_case{640, 480}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    viewer_run v;
    v.tone_at(0, 1000.0, half_scale);
    // By 9 s the tone's line crosses the whole window.
    screenshot full, resized, settled;
    v.shoot_at(9 * second, full);
    v.resize_at(9 * second, c.width, c.height);
    v.shoot_at(9 * second + 50 * ms, resized);
    v.shoot_at(11 * second, settled);
    EXPECT_EQ(v.run(11 * second + 10 * ms), 0);

    ASSERT_EQ(first_lit_column(full), 0);
    EXPECT_EQ(resized.screen_width, c.width);
    EXPECT_EQ(resized.screen_height, c.height);
    EXPECT_GE(first_lit_column(resized), c.width - 5);
    expect_tone_at_right_edge(settled, 1000.0);
    EXPECT_NEAR(first_lit_column(settled), c.width - 2 * 62.5, 4.0) << "lit since the resize";
  }
}

// The microphone refuses from the minimising on: a reconfiguration would fail
// and apologise, so the message box tells when one happened.
TEST(Viewer, MinimisingKeepsThePipelineAndRestoringRebuildsIt) {
  viewer_run v;
  v.tone_at(0, 1000.0, half_scale);
  v.host.at(1 * second, [&v] { v.host.microphone().refuse("unplugged"); });
  v.event_at(1 * second, scripted::minimized);
  std::int32_t columns_before = 0, columns_while_minimised = 0;
  v.host.at(1 * second, [&] { columns_before = v.app.write_column; });
  v.host.at(2 * second, [&] { columns_while_minimised = v.app.ready ? v.app.write_column : -1; });
  v.event_at(3 * second, scripted::restored);
  EXPECT_EQ(v.run(5 * second), 0);

  EXPECT_NEAR(columns_while_minimised - columns_before, 62.5, 2.0) << "columns go on while minimised";
  ASSERT_EQ(v.host.message_boxes().size(), 1u);
  EXPECT_EQ(v.host.message_boxes()[0].text, failure_text);
  EXPECT_LT(v.host.now(), 3 * second + 100 * ms);
}

// A client area without pixels leaves the pipeline idle, not failed: nothing
// is captured, drawn or reported until the window has an area again.
TEST(Viewer, AClientAreaWithoutPixelsIdlesUntilItHasAnAreaAgain) {
  struct empty_case {
    std::int32_t width, height;
  };
  for (const empty_case c : {empty_case{0, 300}, empty_case{400, 0}, empty_case{0, 0}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    viewer_run v;
    v.tone_at(0, 1000.0, half_scale);
    v.resize_at(1 * second, c.width, c.height);
    std::size_t presents_when_emptied = 0, presents_when_regrown = 0;
    bool idle = false;
    v.host.at(1 * second + 10 * ms, [&] { presents_when_emptied = v.host.presents().size(); });
    v.host.at(2 * second - 10 * ms, [&] {
      idle = !v.app.ready && v.app.write_column == -1 && v.host.microphone().open_captures() == 0;
      presents_when_regrown = v.host.presents().size();
    });
    v.resize_at(2 * second, 400, 300);
    screenshot regrown;
    v.shoot_at(4 * second, regrown);
    EXPECT_EQ(v.run(4 * second + 10 * ms), 0);

    EXPECT_TRUE(idle);
    EXPECT_EQ(presents_when_regrown, presents_when_emptied) << "nothing scrolled or blitted";
    EXPECT_TRUE(v.host.message_boxes().empty());
    EXPECT_EQ(regrown.screen_width, 400);
    EXPECT_EQ(regrown.screen_height, 300);
    expect_tone_at_right_edge(regrown, 1000.0);
  }
}

}  // namespace
