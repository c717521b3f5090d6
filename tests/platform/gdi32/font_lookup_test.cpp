#include "platform/portable/gdi32/font_lookup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char* dejavu_directory = "/usr/share/fonts/truetype/dejavu";

// Points fontconfig at a configuration of the test's own while it lives.
class fontconfig_file {
 public:
  explicit fontconfig_file(const std::string& body)
      : path(fs::path(testing::TempDir()) / "warblet-fonts.conf") {
    std::ofstream(path) << "<?xml version=\"1.0\"?>\n<fontconfig>" << body << "</fontconfig>\n";
    setenv("FONTCONFIG_FILE", path.c_str(), 1);
  }
  ~fontconfig_file() {
    unsetenv("FONTCONFIG_FILE");
    fs::remove(path);
  }

 private:
  fs::path path;
};

TEST(FontLookup, DejaVuSansFirstThenWhateverTheSystemHasThenNothing) {
  // A directory holding one font that is not DejaVu Sans.
  const fs::path other = fs::path(testing::TempDir()) / "warblet-other-font";
  fs::create_directories(other);
  fs::copy_file(fs::path(dejavu_directory) / "DejaVuSerif.ttf", other / "DejaVuSerif.ttf",
                fs::copy_options::overwrite_existing);
  struct lookup_case {
    const char* name;
    bool own_config;     // else the system's
    std::string config;  // what the own configuration holds
    std::string expected_file;
  };
  const lookup_case cases[] = {
      {"the system's configuration", false, "", std::string(dejavu_directory) + "/DejaVuSans.ttf"},
      {"only a serif font installed", true, "<dir>" + other.string() + "</dir>",
       (other / "DejaVuSerif.ttf").string()},
      {"no font at all", true, "", ""},
  };
  for (const lookup_case& c : cases) {
    std::optional<fontconfig_file> config;
    if (c.own_config) config.emplace(c.config);
    const std::string found = portable::sans_serif_font_file();
    EXPECT_EQ(found, c.expected_file) << c.name;
    if (!found.empty()) {
      EXPECT_TRUE(fs::exists(found)) << c.name;
    }
  }
  fs::remove_all(other);
}

}  // namespace
