// The encodings the library knows: UTF-8, UTF-16 and UTF-32 (little-endian),
// and invalid_e, which stands for the absence of a valid encoding and is never
// registered.
#pragma once

#include "cp/code_unit_traits_for.h"
#include "cp/encoding.h"

namespace cp {

// The encodings differ only in their constants, which each class states and
// this template serves through the interface. The names are inline constants,
// so name() gives the same pointer on every call: the registry keys its name
// map by it.
template <class Self, class Unit>
class constant_encoding : public encoding {
 public:
  static const Self& instance() {
    static const Self encoding{};
    return encoding;
  }
  const char* name() const override { return Self::short_name; }
  std::int32_t id() const override { return Self::number; }
  const code_unit_traits& traits() const override { return code_unit_traits_for<Unit>::instance(); }
  const char* canonical_name() const override { return Self::standard_name; }
};

class invalid_e final : public constant_encoding<invalid_e, double> {
 public:
  static constexpr const char* short_name = "invalid";
  static constexpr std::int32_t number = 0;
  static constexpr const char* standard_name = "invalid";
};

class utf8_e final : public constant_encoding<utf8_e, char> {
 public:
  static constexpr const char* short_name = "utf8";
  static constexpr std::int32_t number = 1;
  static constexpr const char* standard_name = "UTF-8";
};

class utf16_e final : public constant_encoding<utf16_e, WCHAR> {
 public:
  static constexpr const char* short_name = "utf16";
  static constexpr std::int32_t number = 2;
  static constexpr const char* standard_name = "UTF-16LE";
};

class utf32_e final : public constant_encoding<utf32_e, unsigned int> {
 public:
  static constexpr const char* short_name = "utf32";
  static constexpr std::int32_t number = 3;
  static constexpr const char* standard_name = "UTF-32LE";
};

}  // namespace cp
