// Checks a screenshot of the live program, for the end-to-end runs
// (tools/e2e.sh). The client area is given as X geometry, WIDTHxHEIGHT+LEFT+TOP.
//
//   row_check AREA tones SHOT.ppm HZ...
//       each tone is a bright line in the row the frequency axis predicts for
//       it, within two rows, over at least 30 columns (about half a second of
//       scrolling), and the tones lie left to right in the order given
//   row_check AREA meter SHOT.ppm shown|hidden
//       the level meter's white outline is there, or not
//   row_check AREA paused SHOT.ppm shown|hidden
//       the "(paused)" label is there, or not
//   row_check AREA moved BEFORE.ppm AFTER.ppm yes|no
//       the picture changed between the two shots, or stood still
//   row_check WIDTHxHEIGHT find SHOT.ppm
//       prints where on the shot a client area of that size lies, as AREA, for
//       a window whose place nothing else tells (see find_client_area)
//
// Prints what it found; the exit status is 0 when the check holds, 1 when it
// does not, 2 for a usage error or an unreadable file.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/picture_checks.h"

namespace {

constexpr std::int32_t row_tolerance = 2;
constexpr std::int32_t min_tone_columns = 30;
// Green and upwards on the ramp: the middle of a half-scale tone's line is red,
// while its skirts and the spectral leakage around it stay blue and cyan.
constexpr double bright_level = 0.65;

int usage() {
  std::fprintf(stderr,
               "usage: row_check WIDTHxHEIGHT+LEFT+TOP tones SHOT.ppm HZ...\n"
               "       row_check WIDTHxHEIGHT+LEFT+TOP meter|paused SHOT.ppm shown|hidden\n"
               "       row_check WIDTHxHEIGHT+LEFT+TOP moved BEFORE.ppm AFTER.ppm yes|no\n"
               "       row_check WIDTHxHEIGHT find SHOT.ppm\n");
  return 2;
}

bool parse_area(const char* text, screen_rect& area) {
  char end = 0;
  return std::sscanf(text, "%dx%d+%d+%d%c", &area.width, &area.height, &area.left, &area.top, &end) == 4;
}

bool load(const char* path, const screen_rect& area, screen_image& image) {
  std::string error;
  image = read_ppm(path, error);
  if (!error.empty()) {
    std::fprintf(stderr, "row_check: %s\n", error.c_str());
    return false;
  }
  if (!image.contains(area)) {
    std::fprintf(stderr, "row_check: the area %dx%d+%d+%d is not inside %s (%dx%d)\n", area.width,
                 area.height, area.left, area.top, path, image.width, image.height);
    return false;
  }
  return true;
}

int check_tones(const screen_image& shot, const screen_rect& area, const std::vector<double>& hz) {
  const tone_findings found = trace_tones(shot, area, hz, row_tolerance, bright_level);
  bool holds = true;
  std::int32_t previous_centre = -1;
  for (const tone_trace& t : found.tones) {
    if (t.row < 0) {
      std::printf("%g Hz: not at the centre of a shown spectrum bin, so it has no single row\n", t.hz);
      holds = false;
      continue;
    }
    const bool enough = t.columns >= min_tone_columns;
    const bool in_order = t.columns == 0 || t.centre_column > previous_centre;
    std::printf("%g Hz: row %d predicted, %d columns there (mean level %.2f), centred at column %d%s%s\n",
                t.hz, t.row, t.columns, t.mean_level, t.centre_column, enough ? "" : ": too few",
                in_order ? "" : ": out of order");
    holds = holds && enough && in_order;
    previous_centre = t.centre_column;
  }
  std::printf("%d bright columns, %d of them in no tone's row\n", found.bright_columns,
              found.unmatched_columns);
  return holds ? 0 : 1;
}

// shown: every outline pixel is white; hidden: fewer than half are.
int check_meter(const screen_image& shot, const screen_rect& area, bool shown) {
  const pixel_count white = meter_outline_white(shot, area);
  std::printf("level meter outline: %d of %d pixels white\n", white.matching, white.total);
  return (shown ? white.matching == white.total : 2 * white.matching < white.total) ? 0 : 1;
}

// shown: a label's worth of white; hidden: none at all.
int check_paused(const screen_image& shot, const screen_rect& area, bool shown) {
  const pixel_count white = paused_label_white(shot, area);
  std::printf("\"(paused)\" label: %d near-white pixels in its box\n", white.matching);
  return (shown ? white.matching >= 20 : white.matching == 0) ? 0 : 1;
}

int check_moved(const screen_image& before, const screen_image& after, const screen_rect& area, bool moved) {
  if (before.width != after.width || before.height != after.height) {
    std::fprintf(stderr, "row_check: the two shots differ in size\n");
    return 2;
  }
  const pixel_count changed = changed_pixels(before, after, area);
  std::printf("%d of %d client pixels changed\n", changed.matching, changed.total);
  return (moved ? changed.matching > 0 : changed.matching == 0) ? 0 : 1;
}

int find_area(const char* size, const char* path) {
  std::int32_t width = 0, height = 0;
  char end = 0;
  if (std::sscanf(size, "%dx%d%c", &width, &height, &end) != 2 || width <= 0 || height <= 0) return usage();
  std::string error;
  const screen_image shot = read_ppm(path, error);
  if (!error.empty()) {
    std::fprintf(stderr, "row_check: %s\n", error.c_str());
    return 2;
  }
  screen_rect area;
  if (!find_client_area(shot, width, height, area)) {
    std::fprintf(stderr, "row_check: no %dx%d client area on %s\n", width, height, path);
    return 1;
  }
  std::printf("%dx%d+%d+%d\n", area.width, area.height, area.left, area.top);
  return 0;
}

bool parse_switch(const std::string& text, const char* on, const char* off, bool& value) {
  value = text == on;
  return value || text == off;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  if (std::string(argv[2]) == "find") return argc == 4 ? find_area(argv[1], argv[3]) : usage();
  screen_rect area;
  if (!parse_area(argv[1], area)) return usage();
  const std::string check = argv[2];
  screen_image shot;
  if (!load(argv[3], area, shot)) return 2;

  if (check == "tones") {
    if (argc < 5) return usage();
    std::vector<double> hz;
    for (int i = 4; i < argc; ++i) {
      char* end = nullptr;
      hz.push_back(std::strtod(argv[i], &end));
      if (*end || hz.back() <= 0.0) return usage();
    }
    return check_tones(shot, area, hz);
  }
  bool flag = false;
  if (check == "moved" && argc == 6 && parse_switch(argv[5], "yes", "no", flag)) {
    screen_image after;
    if (!load(argv[4], area, after)) return 2;
    return check_moved(shot, after, area, flag);
  }
  if (argc != 5) return usage();
  if (check == "meter" && parse_switch(argv[4], "shown", "hidden", flag))
    return check_meter(shot, area, flag);
  if (check == "paused" && parse_switch(argv[4], "shown", "hidden", flag))
    return check_paused(shot, area, flag);
  return usage();
}
