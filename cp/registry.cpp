// Compiled into each program rather than kept in the library: nothing refers
// to it, and a static library would leave it out, so the registry would never
// be filled.
#include "cp/registry.h"

#include "cp/encodings.h"

namespace cp {

// Constructed in this order, so destroyed at exit in the reverse order, after
// the registration below has run.
std::map<std::int32_t, const encoding*> encodings_by_id;
std::map<const char*, const encoding*, name_order> encodings_by_name;

namespace {

template <class E>
void register_encoding() {
  const E& encoding = E::instance();
  encodings_by_id[encoding.id()] = &encoding;
  encodings_by_name[encoding.name()] = &encoding;
  registered<E> = 1;
}

struct start_up_registration {
  start_up_registration() {
    register_encoding<utf8_e>();
    register_encoding<utf16_e>();
    register_encoding<utf32_e>();
  }
} const registration;

}  // namespace
}  // namespace cp
