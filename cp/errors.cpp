#include "cp/errors.h"

#include <stdexcept>

namespace cp {

const char* bad_allocation::what() const noexcept { return "bad allocation"; }

void throw_length_error() { throw std::length_error("xstring"); }

void throw_bad_allocation() { throw bad_allocation(); }

void throw_range_error() { throw std::out_of_range("xstring"); }

void throw_format_error() {
  throw std::invalid_argument("xstring: the wide formatter rejected the format text");
}

}  // namespace cp
