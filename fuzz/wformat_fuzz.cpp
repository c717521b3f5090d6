// libFuzzer target: the portable bounded wide formatter.
//
// Each input becomes one format and its arguments. The format is put together
// from parts the input chooses (literal units; directives with any flags,
// width, precision, size and conversion unit; a directive cut short by the end
// of the format), so the harness knows what every directive reads and passes
// arguments of the right types: integers of each size, wide and narrow text
// (null, terminated, or an array of exactly the precision's length with no
// terminator) and pointers.
//
// For every format: the output buffer holds exactly the count, so that
// AddressSanitizer sees any unit written past it; the bounded form agrees with
// _vscwprintf and with itself given room for the whole text, and terminates the
// text when there is room; and where every part of the format means the same
// to C's snprintf, the text is snprintf's.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fuzz/require.h"
#include "platform/win32.h"
#include "tests/platform/kernel32/wide_format_calls.h"

namespace {

// The types the directives read. Unsigned conversions read the twin of the
// signed type passed, and %p reads a narrow text pointer as void*, both of
// which va_arg allows.
using argument = std::variant<int, long long, long, const WCHAR*, const char*>;

// Each call is made by a function instantiated for its argument types in
// order, so the number of arguments is bounded: 5^4 such functions.
constexpr std::size_t max_arguments = 4;
// Texts are compared up to this many units (a huge width makes a long text).
constexpr std::size_t compared_units = 1 << 16;
// Widths and precisions up to this are compared with snprintf, which produces
// its padding one unit at a time.
constexpr std::int64_t c_comparable = 4096;

struct formatting_call {
  std::u16string format;
  std::string c_format;  // the same format for snprintf
  bool c_alike = true;   // whether c_format means the same as format
  std::vector<argument> arguments;
  std::size_t count = 0;
  // What the text arguments point to.
  std::deque<std::u16string> wide_texts;
  std::deque<std::string> narrow_texts;
  std::vector<std::unique_ptr<WCHAR[]>> wide_arrays;
  std::vector<std::unique_ptr<char[]>> narrow_arrays;
};

// A width or a precision: absent, digits in the format, * with an argument, or
// (a precision only) the point alone, which means zero.
struct count_part {
  enum { none, digits, star, point_alone } kind = none;
  std::int64_t value = 0;

  std::u16string text(bool precision) const {
    std::u16string made = precision && kind != none ? u"." : u"";
    if (kind == star) made += u'*';
    if (kind == digits) {
      const std::string digits_text = std::to_string(value);
      made.append(digits_text.begin(), digits_text.end());
    }
    return made;
  }

  // The precision as a bound on reading a text, or -1 when nothing bounds it.
  std::int64_t text_limit() const {
    if (kind == none || value > 0x7fffffff) return -1;
    return value;  // a negative * counts as no precision
  }
};

struct size_prefix {
  std::u16string_view text;
  std::string_view c_text;  // the prefix reading the same integer in C
  bool narrow;              // h: narrow text
  bool wide;                // l or w: wide text
};

const size_prefix prefixes[] = {
    {u"", "", false, false},    {u"h", "h", true, false},    {u"l", "", false, true},
    {u"w", "", false, true},    {u"ll", "ll", false, false}, {u"I64", "ll", false, false},
    {u"I32", "", false, false}, {u"I", "l", false, false},
};

// Units that would continue a directive rather than end it.
bool continues_directive(char16_t unit) {
  return unit == 0 || std::u16string_view(u"-+ #0123456789.*hlwI").find(unit) != std::u16string_view::npos;
}

class format_builder {
 public:
  format_builder(FuzzedDataProvider& input, formatting_call& call) : input(input), call(call) {}

  void build() {
    call.count = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    const int parts = input.ConsumeIntegralInRange(1, 8);
    for (int part = 0; part < parts; ++part) {
      if (input.ConsumeBool()) {
        add_literal();
      } else if (!add_directive()) {
        return;  // cut short: nothing can follow
      }
    }
  }

 private:
  void append(std::u16string_view wide, std::string_view narrow) {
    call.format += wide;
    call.c_format += narrow;
  }

  void add_literal() {
    const int length = input.ConsumeIntegralInRange(1, 8);
    for (int i = 0; i < length; ++i) {
      char16_t unit = input.ConsumeBool() ? input.ConsumeIntegralInRange<char16_t>(0x20, 0x7e)
                                          : input.ConsumeIntegral<char16_t>();
      if (unit == 0 || unit == u'%') unit = u'.';
      call.format += unit;
      call.c_format += static_cast<char>(unit);
      call.c_alike = call.c_alike && unit < 0x80;
    }
  }

  count_part consume_count(bool precision) {
    count_part part;
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0:
        break;
      case 1:
        part.kind = count_part::digits;
        part.value = input.ConsumeIntegralInRange<std::int64_t>(0, 300);
        break;
      case 2:
        part.kind = count_part::digits;  // past INT_MAX the format is rejected
        part.value = input.ConsumeIntegralInRange<std::int64_t>(0, 99999999999);
        break;
      case 3:
        part.kind = count_part::star;
        part.value =
            input.ConsumeBool() ? input.ConsumeIntegralInRange(-300, 300) : input.ConsumeIntegral<int>();
        break;
      default:
        if (precision) part.kind = count_part::point_alone;
        break;
    }
    return part;
  }

  // Adds one directive; false when it was cut short by the end of the format.
  bool add_directive() {
    std::u16string flags;
    for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i) {
      flags += u"-+ #0"[input.ConsumeIntegralInRange(0, 4)];
    }
    count_part width = consume_count(false);
    count_part precision = consume_count(true);
    const size_prefix& size = prefixes[input.ConsumeIntegralInRange<std::size_t>(0, 7)];
    const bool cut = input.ConsumeIntegralInRange(0, 15) == 0;
    char16_t conversion = input.ConsumeBool() ? u"diuoxXpsScC%"[input.ConsumeIntegralInRange(0, 11)]
                                              : input.ConsumeIntegral<char16_t>();
    if (continues_directive(conversion)) conversion = u'y';

    // Stars and the conversion's own argument must fit in the budget.
    const bool reads_argument =
        !cut && std::u16string_view(u"diuoxXpsScC").find(conversion) != std::u16string_view::npos;
    std::size_t needed =
        (width.kind == count_part::star) + (precision.kind == count_part::star) + reads_argument;
    if (call.arguments.size() + needed > max_arguments) {
      width = precision = count_part();
      if (call.arguments.size() + reads_argument > max_arguments) conversion = u'%';
    }

    const std::u16string wide_head = u"%" + flags + width.text(false) + precision.text(true);
    if (width.kind == count_part::star) call.arguments.push_back(static_cast<int>(width.value));
    if (precision.kind == count_part::star) call.arguments.push_back(static_cast<int>(precision.value));
    const std::string head(wide_head.begin(), wide_head.end());
    append(wide_head, head);

    if (cut) {
      append(size.text, "");
      call.c_alike = false;
      return false;
    }
    call.c_alike = call.c_alike && counts_comparable(width) && counts_comparable(precision);

    const std::u16string wide_tail = std::u16string(size.text) + conversion;
    const std::string_view c_size = size.c_text;
    switch (conversion) {
      case u'd':
      case u'i':
      case u'u':
        call.c_alike = call.c_alike && flags.find(u'#') == std::u16string::npos;
        [[fallthrough]];
      case u'o':
      case u'x':
      case u'X':
        add_integer(size);
        append(wide_tail, std::string(c_size) + static_cast<char>(conversion));
        break;
      case u'c':
      case u'C': {
        const int value =
            input.ConsumeBool() ? input.ConsumeIntegralInRange(0, 0x7f) : input.ConsumeIntegral<int>();
        call.arguments.push_back(value);
        call.c_alike = call.c_alike && value >= 0 && value < 0x80 && size.text.empty() &&
                       precision.kind == count_part::none && only_left_flag(flags);
        append(wide_tail, "c");
        break;
      }
      case u's':
      case u'S': {
        const bool narrow = size.narrow || (!size.wide && conversion == u'S');
        if (narrow)
          add_narrow_text(precision.text_limit());
        else
          add_wide_text(precision.text_limit());
        // AddressSanitizer's snprintf interceptor reads a %.0s argument as if it
        // had no precision (past the end of an empty array), so a precision of
        // zero is left out of the comparison.
        call.c_alike = call.c_alike && narrow && only_left_flag(flags) && size.text.empty() &&
                       std::get<const char*>(call.arguments.back()) != nullptr &&
                       is_ascii(call.narrow_texts.back()) && precision.text_limit() != 0;
        append(wide_tail, "s");
        break;
      }
      case u'p':
        call.narrow_texts.emplace_back("somewhere");
        call.arguments.push_back(call.narrow_texts.back().c_str());
        call.c_alike = false;
        append(wide_tail, "p");
        break;
      case u'%':
        call.c_alike = call.c_alike && wide_head == u"%" && size.text.empty();
        append(wide_tail, "%");
        break;
      default:
        call.c_alike = false;  // rejected: nothing is read
        append(wide_tail, "");
        break;
    }
    return true;
  }

  static bool counts_comparable(const count_part& part) {
    return part.value >= -c_comparable && part.value <= c_comparable;
  }
  static bool only_left_flag(const std::u16string& flags) {
    return flags.find_first_not_of(u'-') == std::u16string::npos;
  }
  static bool is_ascii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0; });
  }

  void add_integer(const size_prefix& size) {
    if (size.c_text == "ll")
      call.arguments.push_back(input.ConsumeIntegral<long long>());
    else if (size.c_text == "l")
      call.arguments.push_back(input.ConsumeIntegral<long>());
    else
      call.arguments.push_back(input.ConsumeIntegral<int>());
  }

  // A null pointer, a terminated text, or (when a precision bounds the
  // reading) an array of exactly that many units with no terminator.
  enum class text_kind { null, terminated, exact_array };
  text_kind consume_text_kind(std::int64_t limit) {
    const int choice = input.ConsumeIntegralInRange(0, 7);
    if (choice == 0) return text_kind::null;
    if (choice >= 4 && limit >= 0 && limit <= 1024) return text_kind::exact_array;
    return text_kind::terminated;
  }

  void add_wide_text(std::int64_t limit) {
    const text_kind kind = consume_text_kind(limit);
    if (kind == text_kind::null) {
      call.arguments.push_back(static_cast<const WCHAR*>(nullptr));
      return;
    }
    const std::size_t length =
        kind == text_kind::exact_array ? limit : input.ConsumeIntegralInRange<std::size_t>(0, 24);
    std::u16string units(length, u' ');
    for (char16_t& unit : units) unit = input.ConsumeIntegral<char16_t>();
    if (kind == text_kind::exact_array) {
      call.wide_arrays.emplace_back(new WCHAR[length]);
      std::copy(units.begin(), units.end(), call.wide_arrays.back().get());
      call.arguments.push_back(call.wide_arrays.back().get());
    } else {
      call.wide_texts.push_back(units);
      call.arguments.push_back(call.wide_texts.back().c_str());
    }
  }

  void add_narrow_text(std::int64_t limit) {
    const text_kind kind = consume_text_kind(limit);
    if (kind == text_kind::null) {
      call.arguments.push_back(static_cast<const char*>(nullptr));
      return;
    }
    const std::size_t length =
        kind == text_kind::exact_array ? limit : input.ConsumeIntegralInRange<std::size_t>(0, 24);
    std::string bytes = input.ConsumeBytesAsString(length);
    bytes.resize(length, 'z');
    call.narrow_texts.push_back(bytes);  // kept for the ASCII test of the C comparison
    if (kind == text_kind::exact_array) {
      call.narrow_arrays.emplace_back(new char[length]);
      std::copy(bytes.begin(), bytes.end(), call.narrow_arrays.back().get());
      call.arguments.push_back(static_cast<const char*>(call.narrow_arrays.back().get()));
    } else {
      call.arguments.push_back(call.narrow_texts.back().c_str());
    }
  }

  FuzzedDataProvider& input;
  formatting_call& call;
};

int c_formatted(char* buffer, std::size_t count, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = std::vsnprintf(buffer, count, format, args);
  va_end(args);
  return result;
}

template <class... Arguments>
void check(const formatting_call& call, Arguments... arguments) {
  const WCHAR* format = call.format.c_str();
  const int length = measured(format, arguments...);
  // Exactly `count` units, so that a unit written past them is caught.
  const std::unique_ptr<WCHAR[]> output(new WCHAR[call.count]);
  const int result = bounded(output.get(), call.count, format, arguments...);
  if (length < 0) {
    require(result == -1, "a rejected format is rejected by the bounded form too");
    return;
  }

  // The whole text and its terminator, or (too long to compare) its beginning.
  const bool all_shown = std::size_t(length) <= compared_units;
  const std::size_t whole_room = all_shown ? std::size_t(length) + 1 : compared_units;
  const std::unique_ptr<WCHAR[]> whole(new WCHAR[whole_room]);
  const int whole_result = bounded(whole.get(), whole_room, format, arguments...);
  require(whole_result == (all_shown ? length : -1),
          "given room for the whole text, the bounded form writes the measured length");
  if (std::size_t(length) <= call.count) {
    require(result == length, "a text that fits reports its measured length");
    require(std::equal(output.get(), output.get() + length, whole.get()),
            "a text that fits is the whole text");
    require(std::size_t(length) == call.count || output[length] == 0,
            "a text that fits is terminated when there is room");
  } else {
    require(result == -1, "a text that does not fit reports -1");
    require(std::equal(output.get(), output.get() + call.count, whole.get()),
            "a text that does not fit fills the buffer with its beginning");
  }

  if (!call.c_alike || !all_shown) return;
  std::vector<char> narrow(whole_room);
  const int c_length = c_formatted(narrow.data(), narrow.size(), call.c_format.c_str(), arguments...);
  require(c_length == length, "the length is snprintf's");
  require(std::equal(whole.get(), whole.get() + length, narrow.begin(),
                     [](WCHAR unit, char byte) { return unit == static_cast<unsigned char>(byte); }),
          "the text is snprintf's");
}

// Calls check with the call's arguments as real arguments of their own types.
template <class... Given>
void check_with_arguments(const formatting_call& call, std::size_t next, Given... given) {
  if constexpr (sizeof...(Given) < max_arguments) {
    if (next < call.arguments.size()) {
      std::visit([&](auto value) { check_with_arguments(call, next + 1, given..., value); },
                 call.arguments[next]);
      return;
    }
  }
  check(call, given...);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  formatting_call call;
  format_builder(input, call).build();
  check_with_arguments(call, 0);
  return 0;
}
