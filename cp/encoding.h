// cp::encoding: a text encoding the library knows, with the traits of the code
// unit its text is made of. Every encoding is a stateless singleton that lives
// for the whole run.
#pragma once

#include <cstdint>

#include "cp/code_unit_traits.h"

namespace cp {

class encoding {
 public:
  // The short name under which the encoding is registered.
  virtual const char* name() const = 0;
  virtual std::int32_t id() const = 0;
  virtual const code_unit_traits& traits() const = 0;
  // The standard name of the encoding.
  virtual const char* canonical_name() const = 0;

 protected:
  // Singletons are never destroyed through this interface.
  ~encoding() = default;
};

}  // namespace cp
