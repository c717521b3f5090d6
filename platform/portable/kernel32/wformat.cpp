#include "platform/portable/kernel32/wformat.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/portable/seam/utf.h"

namespace {

// Receives the formatted units: stores those that fit in the buffer and counts
// them all, so that one pass both fills a buffer and measures the whole text.
// Padding is counted without being generated, so a huge width costs nothing
// when the buffer is small.
class unit_sink {
 public:
  unit_sink(WCHAR* buffer, std::uint64_t room) : buffer(buffer), room(room) {}

  void put(WCHAR unit, std::uint64_t times = 1) {
    const std::uint64_t stored = std::min(times, free_room());
    if (stored != 0) std::fill_n(buffer + total_units, stored, unit);
    total_units += times;
  }

  void put(std::u16string_view text) {
    const std::uint64_t stored = std::min<std::uint64_t>(text.size(), free_room());
    if (stored != 0) std::copy_n(text.data(), stored, buffer + total_units);
    total_units += text.size();
  }

  std::uint64_t total() const { return total_units; }

 private:
  std::uint64_t free_room() const { return total_units < room ? room - total_units : 0; }

  WCHAR* buffer;
  std::uint64_t room;
  std::uint64_t total_units = 0;
};

// The variable arguments in a struct, so that helpers can take them from the
// one list by reference whatever type va_list is on this machine.
struct argument_list {
  va_list list;
};

// The size prefix of a directive. wide is l or w: wide text, or for integers a
// long, which is 32 bits as on Windows.
enum class argument_size { standard, half, wide, quad, pointer };

struct directive {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  bool zero = false;
  std::uint64_t width = 0;
  bool has_precision = false;
  std::uint64_t precision = 0;
  argument_size size = argument_size::standard;
  WCHAR conversion = 0;
};

bool is_digit(WCHAR unit) { return unit >= u'0' && unit <= u'9'; }

// A decimal count of a width or precision; false when it exceeds INT_MAX.
bool parse_count(const WCHAR*& p, std::uint64_t& count) {
  count = 0;
  for (; is_digit(*p); ++p) {
    count = count * 10 + (*p - u'0');
    if (count > INT_MAX) return false;
  }
  return true;
}

void parse_flags(const WCHAR*& p, directive& d) {
  for (;; ++p) {
    switch (*p) {
      case u'-':
        d.left = true;
        break;
      case u'+':
        d.plus = true;
        break;
      case u' ':
        d.space = true;
        break;
      case u'#':
        d.alternate = true;
        break;
      case u'0':
        d.zero = true;
        break;
      default:
        return;
    }
  }
}

bool parse_width(const WCHAR*& p, argument_list& args, directive& d) {
  if (*p != u'*') return parse_count(p, d.width);
  ++p;
  const int width = va_arg(args.list, int);
  // A negative width from the arguments means left alignment.
  if (width < 0) d.left = true;
  d.width = width < 0 ? -static_cast<std::int64_t>(width) : width;
  return true;
}

bool parse_precision(const WCHAR*& p, argument_list& args, directive& d) {
  if (*p != u'.') return true;
  ++p;
  if (*p != u'*') {
    d.has_precision = true;
    return parse_count(p, d.precision);
  }
  ++p;
  const int precision = va_arg(args.list, int);
  // A negative precision from the arguments counts as none.
  d.has_precision = precision >= 0;
  d.precision = d.has_precision ? precision : 0;
  return true;
}

// Whether the format continues with `prefix` (a mismatch at the format's
// terminator ends the comparison, so nothing past it is read).
bool starts_with(const WCHAR* p, std::u16string_view prefix) {
  for (char16_t unit : prefix) {
    if (*p++ != unit) return false;
  }
  return true;
}

void parse_size(const WCHAR*& p, directive& d) {
  const struct {
    std::u16string_view prefix;
    argument_size size;
  } prefixes[] = {
      {u"I64", argument_size::quad},  {u"ll", argument_size::quad}, {u"I32", argument_size::standard},
      {u"I", argument_size::pointer}, {u"h", argument_size::half},  {u"l", argument_size::wide},
      {u"w", argument_size::wide},
  };
  for (const auto& candidate : prefixes) {
    if (starts_with(p, candidate.prefix)) {
      d.size = candidate.size;
      p += candidate.prefix.size();
      return;
    }
  }
}

bool parse_directive(const WCHAR*& p, argument_list& args, directive& d) {
  parse_flags(p, d);
  if (!parse_width(p, args, d) || !parse_precision(p, args, d)) return false;
  parse_size(p, d);
  d.conversion = *p;
  if (d.conversion == 0) return false;  // the format ends inside a directive
  ++p;
  return true;
}

void put_padded(unit_sink& out, const directive& d, std::u16string_view text) {
  if (d.has_precision) text = text.substr(0, d.precision);
  const std::uint64_t pad = d.width > text.size() ? d.width - text.size() : 0;
  if (!d.left) out.put(u' ', pad);
  out.put(text);
  if (d.left) out.put(u' ', pad);
}

// Whether a text or character directive takes narrow text: an explicit h says
// narrow, l or w says wide, and otherwise the upper-case letter is the narrow one.
bool takes_narrow(const directive& d, WCHAR narrow_letter) {
  if (d.size == argument_size::half) return true;
  if (d.size == argument_size::wide) return false;
  return d.conversion == narrow_letter;
}

// A text argument up to its terminator, but never past the precision: an array
// of exactly `precision` units (bytes for narrow text) need not be terminated.
template <class Unit>
std::basic_string_view<Unit> text_argument(const Unit* text, const directive& d) {
  if (!d.has_precision) return text;
  const Unit* terminator = std::char_traits<Unit>::find(text, d.precision, Unit(0));
  return {text, terminator ? static_cast<std::size_t>(terminator - text) : d.precision};
}

void put_text(unit_sink& out, const directive& d, argument_list& args) {
  static const std::u16string_view null_text = u"(null)";
  if (takes_narrow(d, u'S')) {
    const char* text = va_arg(args.list, const char*);
    put_padded(out, d, text ? portable::utf16_from_utf8(text_argument(text, d)) : null_text);
  } else {
    const WCHAR* text = va_arg(args.list, const WCHAR*);
    put_padded(out, d, text ? text_argument(text, d) : null_text);
  }
}

void put_character(unit_sink& out, directive d, argument_list& args) {
  const int value = va_arg(args.list, int);
  d.has_precision = false;  // a precision does not cut a character
  if (takes_narrow(d, u'C')) {
    const char narrow = static_cast<char>(value);
    put_padded(out, d, portable::utf16_from_utf8(std::string_view(&narrow, 1)));
  } else {
    const WCHAR unit = static_cast<WCHAR>(value);
    put_padded(out, d, std::u16string_view(&unit, 1));
  }
}

std::int64_t signed_argument(const directive& d, argument_list& args) {
  switch (d.size) {
    case argument_size::quad:
      return va_arg(args.list, long long);
    case argument_size::pointer:
      return va_arg(args.list, std::intptr_t);
    case argument_size::half:
      return static_cast<short>(va_arg(args.list, int));
    default:
      return va_arg(args.list, int);
  }
}

std::uint64_t unsigned_argument(const directive& d, argument_list& args) {
  switch (d.size) {
    case argument_size::quad:
      return va_arg(args.list, unsigned long long);
    case argument_size::pointer:
      return va_arg(args.list, std::uintptr_t);
    case argument_size::half:
      return static_cast<unsigned short>(va_arg(args.list, unsigned));
    default:
      return va_arg(args.list, unsigned);
  }
}

void put_number(unit_sink& out, const directive& d, std::uint64_t magnitude, bool negative) {
  const bool upper = d.conversion == u'X' || d.conversion == u'p';
  const int base = d.conversion == u'o' ? 8 : (d.conversion == u'x' || upper) ? 16 : 10;
  char digit_buffer[64];
  const char* digits_end =
      std::to_chars(digit_buffer, digit_buffer + sizeof digit_buffer, magnitude, base).ptr;
  std::u16string digits(static_cast<const char*>(digit_buffer), digits_end);
  if (upper) {
    for (char16_t& digit : digits) {
      if (digit >= u'a' && digit <= u'f') digit = static_cast<char16_t>(digit - u'a' + u'A');
    }
  }
  if (d.has_precision && d.precision == 0 && magnitude == 0) digits.clear();

  const bool is_signed = d.conversion == u'd' || d.conversion == u'i';
  std::u16string prefix;
  if (negative)
    prefix = u"-";
  else if (is_signed && d.plus)
    prefix = u"+";
  else if (is_signed && d.space)
    prefix = u" ";
  if (d.alternate && base == 16 && magnitude != 0) prefix += upper ? u"0X" : u"0x";

  std::uint64_t min_digits = d.has_precision ? d.precision : 1;
  if (d.alternate && base == 8 && (digits.empty() || digits[0] != u'0')) {
    min_digits = std::max<std::uint64_t>(min_digits, digits.size() + 1);
  }
  std::uint64_t zeros = min_digits > digits.size() ? min_digits - digits.size() : 0;
  const std::uint64_t body = prefix.size() + zeros + digits.size();
  std::uint64_t pad = d.width > body ? d.width - body : 0;
  if (d.zero && !d.left && !d.has_precision) {
    zeros += pad;
    pad = 0;
  }
  if (!d.left) out.put(u' ', pad);
  out.put(prefix);
  out.put(u'0', zeros);
  out.put(digits);
  if (d.left) out.put(u' ', pad);
}

// Writes one directive's text; false when the directive is not one the
// formatter knows (%n included: writing through an argument is refused).
bool put_conversion(unit_sink& out, directive d, argument_list& args) {
  switch (d.conversion) {
    case u'%':
      out.put(u'%');
      return true;
    case u's':
    case u'S':
      put_text(out, d, args);
      return true;
    case u'c':
    case u'C':
      put_character(out, d, args);
      return true;
    case u'd':
    case u'i': {
      const std::int64_t value = signed_argument(d, args);
      const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
      put_number(out, d, magnitude, value < 0);
      return true;
    }
    case u'u':
    case u'o':
    case u'x':
    case u'X':
      put_number(out, d, unsigned_argument(d, args), false);
      return true;
    case u'p': {
      const auto address = reinterpret_cast<std::uintptr_t>(va_arg(args.list, void*));
      d.has_precision = true;
      d.precision = 2 * sizeof(void*);
      put_number(out, d, address, false);
      return true;
    }
    default:
      return false;
  }
}

// Formats into `out`; false when the format is rejected.
bool format_into(unit_sink& out, const WCHAR* format, va_list arguments) {
  if (format == nullptr) return false;
  argument_list args;
  va_copy(args.list, arguments);
  bool accepted = true;
  for (const WCHAR* p = format; *p != 0 && accepted;) {
    if (*p != u'%') {
      out.put(*p++);
      continue;
    }
    ++p;
    directive d;
    accepted = parse_directive(p, args, d) && put_conversion(out, d, args);
  }
  va_end(args.list);
  return accepted;
}

}  // namespace

int _vsnwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, va_list args) {
  if (buffer == nullptr && count != 0) return -1;
  unit_sink out(buffer, count);
  if (!format_into(out, format, args) || out.total() > count || out.total() > INT_MAX) return -1;
  if (out.total() < count) buffer[out.total()] = 0;
  return static_cast<int>(out.total());
}

int _vscwprintf(const WCHAR* format, va_list args) {
  unit_sink out(nullptr, 0);
  if (!format_into(out, format, args) || out.total() > INT_MAX) return -1;
  return static_cast<int>(out.total());
}
