// The encodings the library knows: UTF-8, UTF-16 and UTF-32 (little-endian),
// and invalid_e, which stands for the absence of a valid encoding and is never
// registered.
#pragma once

#include "cp/encoding.h"

namespace cp {

class invalid_e final : public encoding {
 public:
  static const invalid_e& instance();
  const char* name() const override;
  std::int32_t id() const override;
  const code_unit_traits& traits() const override;
  const char* canonical_name() const override;
};

class utf8_e final : public encoding {
 public:
  static const utf8_e& instance();
  const char* name() const override;
  std::int32_t id() const override;
  const code_unit_traits& traits() const override;
  const char* canonical_name() const override;
};

class utf16_e final : public encoding {
 public:
  static const utf16_e& instance();
  const char* name() const override;
  std::int32_t id() const override;
  const code_unit_traits& traits() const override;
  const char* canonical_name() const override;
};

class utf32_e final : public encoding {
 public:
  static const utf32_e& instance();
  const char* name() const override;
  std::int32_t id() const override;
  const code_unit_traits& traits() const override;
  const char* canonical_name() const override;
};

}  // namespace cp
