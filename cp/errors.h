// The exceptions of the text library: the standard kinds, with fixed messages.
#pragma once

#include <new>

namespace cp {

// The standard bad_alloc, reporting "bad allocation" as its message.
class bad_allocation : public std::bad_alloc {
 public:
  const char* what() const noexcept override;
};

// length_error "xstring": a text would grow past the longest a string holds.
[[noreturn]] void throw_length_error();
// bad_allocation: a buffer of more units than a string may allocate.
[[noreturn]] void throw_bad_allocation();
// out_of_range "xstring": a replaced range that does not lie within the text.
[[noreturn]] void throw_range_error();
// invalid_argument: the wide formatter rejected a format (it did not merely run
// out of room).
[[noreturn]] void throw_format_error();

}  // namespace cp
