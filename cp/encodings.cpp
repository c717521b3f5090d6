#include "cp/encodings.h"

#include "cp/code_unit_traits_for.h"

namespace cp {

// Each name() returns its one literal, so the pointer is the same on every
// call: the registry keys its name map by it.

const invalid_e& invalid_e::instance() {
  static const invalid_e encoding{};
  return encoding;
}
const char* invalid_e::name() const { return "invalid"; }
std::int32_t invalid_e::id() const { return 0; }
const code_unit_traits& invalid_e::traits() const { return code_unit_traits_for<double>::instance(); }
const char* invalid_e::canonical_name() const { return "invalid"; }

const utf8_e& utf8_e::instance() {
  static const utf8_e encoding{};
  return encoding;
}
const char* utf8_e::name() const { return "utf8"; }
std::int32_t utf8_e::id() const { return 1; }
const code_unit_traits& utf8_e::traits() const { return code_unit_traits_for<char>::instance(); }
const char* utf8_e::canonical_name() const { return "UTF-8"; }

const utf16_e& utf16_e::instance() {
  static const utf16_e encoding{};
  return encoding;
}
const char* utf16_e::name() const { return "utf16"; }
std::int32_t utf16_e::id() const { return 2; }
const code_unit_traits& utf16_e::traits() const { return code_unit_traits_for<WCHAR>::instance(); }
const char* utf16_e::canonical_name() const { return "UTF-16LE"; }

const utf32_e& utf32_e::instance() {
  static const utf32_e encoding{};
  return encoding;
}
const char* utf32_e::name() const { return "utf32"; }
std::int32_t utf32_e::id() const { return 3; }
const code_unit_traits& utf32_e::traits() const {
  return code_unit_traits_for<unsigned int>::instance();
}
const char* utf32_e::canonical_name() const { return "UTF-32LE"; }

}  // namespace cp
