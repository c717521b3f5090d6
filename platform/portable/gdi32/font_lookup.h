// Finding the file of the face that text is drawn with, through fontconfig.
#pragma once

#include <string>

namespace portable {

// The file fontconfig picks for "DejaVu Sans", or, where that family is not
// installed, for the system's sans-serif; empty when the configuration knows
// no font at all. Reads the configuration afresh (FONTCONFIG_FILE included).
std::string sans_serif_font_file();

}  // namespace portable
