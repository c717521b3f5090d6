// UTF-8 <-> UTF-16 for the edges of the portable library (arguments, host texts).
// Malformed input becomes U+FFFD rather than being dropped.
#pragma once

#include <string>
#include <string_view>

namespace portable {

std::u16string utf16_from_utf8(std::string_view text);
std::string utf8_from_utf16(std::u16string_view text);

}  // namespace portable
