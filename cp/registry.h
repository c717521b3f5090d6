// The registry of encodings: utf8, utf16 and utf32 register themselves during
// static initialisation, in that order, and the maps are emptied at exit.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>

#include "cp/encoding.h"

namespace cp {

// Names order by content (unsigned bytes up to the terminator), not by address.
struct name_order {
  bool operator()(const char* left, const char* right) const { return std::strcmp(left, right) < 0; }
};

extern std::map<std::int32_t, const encoding*> encodings_by_id;
// Keyed by the encoding's own name text.
extern std::map<const char*, const encoding*, name_order> encodings_by_name;

// 1 once the registration of encoding class E has run.
template <class E>
inline std::int32_t registered = 0;

}  // namespace cp
