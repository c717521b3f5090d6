#include "platform/portable/gdi32/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace portable {
namespace {

struct config_deleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct pattern_deleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using pattern_pointer = std::unique_ptr<FcPattern, pattern_deleter>;

}  // namespace

std::string sans_serif_font_file() {
  const std::unique_ptr<FcConfig, config_deleter> config(FcInitLoadConfigAndFonts());
  if (!config) return {};
  // Families in order of preference: the configuration's sans-serif alias
  // stands for whatever the system has in its place.
  const pattern_pointer wanted(FcPatternCreate());
  if (!wanted) return {};
  FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
  FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddBool(wanted.get(), FC_OUTLINE, FcTrue);
  if (!FcConfigSubstitute(config.get(), wanted.get(), FcMatchPattern)) return {};
  FcDefaultSubstitute(wanted.get());
  FcResult result = FcResultNoMatch;
  const pattern_pointer found(FcFontMatch(config.get(), wanted.get(), &result));
  FcChar8* file = nullptr;
  if (!found || FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return {};
  return reinterpret_cast<const char*>(file);
}

}  // namespace portable
