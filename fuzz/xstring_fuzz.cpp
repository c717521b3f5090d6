// libFuzzer target: the text string, with std::u16string as its model.
//
// Each input is a sequence of operations over four strings: construction,
// copying and assignment, replacement by fresh text or by a piece of the
// string's own or another string's text, removal at either end, c_str,
// formatting with another string's text, appending with the string's own text
// or another's (sometimes wide enough to need retries), borrowing storage that
// the harness lends (read-only or writable, with or without a zero after the
// text) and adopting text. After every operation each string holds its model's
// text, read-only lent storage is as it was lent, and no two strings may write
// the same lent storage. Lent storage is exactly as large as the string is
// told, so AddressSanitizer sees any access past it.
//
// A string that borrows read-only storage takes the text of a whole
// replacement by pointer, unless the descriptor's hint is 0: the harness keeps
// fresh texts alive for the whole input, and passes pieces of another string's
// text, which that string may change, with hint 0.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cp/address_ranges.h"
#include "cp/xstring.h"
#include "fuzz/require.h"
#include "tests/cp/format_into.h"

namespace {

using text = cp::xstring<WCHAR>;
using source = cp::text_source<WCHAR>;

constexpr std::size_t string_count = 4;
// A text longer than this only shrinks, so that repeated appending stays fast.
constexpr std::size_t longest_model = 4096;

// Storage the harness lends to a string.
struct lent_storage {
  std::unique_ptr<WCHAR[]> units;
  std::uint32_t capacity;
  bool writable;
  std::u16string as_lent;  // all `capacity` units
};

enum operation : int {
  construct,
  copy_construct,
  assign,
  replace_by_fresh_text,
  replace_by_piece,
  remove_front,
  remove_back,
  terminate,
  format,
  append,
  borrow,
  adopt_own_text,
  adopt_string,
  last = adopt_string
};

std::u16string widened(const std::string& narrow) { return std::u16string(narrow.begin(), narrow.end()); }

class session {
 public:
  explicit session(FuzzedDataProvider& input) : input(input) {
    for (auto& s : strings) s = std::make_unique<text>();
  }

  void run() {
    while (input.remaining_bytes() > 0) {
      step();
      check();
    }
  }

 private:
  std::size_t pick() { return input.ConsumeIntegralInRange<std::size_t>(0, string_count - 1); }

  // Text without zero units: mostly letters, sometimes any unit.
  std::u16string fresh(std::size_t longest) {
    std::u16string units(input.ConsumeIntegralInRange<std::size_t>(0, longest), u'a');
    const bool any_unit = input.ConsumeBool();
    for (char16_t& unit : units) {
      unit = any_unit ? input.ConsumeIntegralInRange<char16_t>(1, 0xffff)
                      : input.ConsumeIntegralInRange<char16_t>(u'a', u'z');
    }
    return units;
  }

  void step() {
    const std::size_t target = pick();
    const std::size_t other = pick();
    text& s = *strings[target];
    std::u16string& model = models[target];
    const std::uint32_t length = s.length();
    const std::uint32_t pos = input.ConsumeIntegralInRange<std::uint32_t>(0, length);
    const std::uint32_t n = input.ConsumeIntegralInRange<std::uint32_t>(0, length - pos);
    int op = input.ConsumeIntegralInRange<int>(0, last);
    if (model.size() > longest_model) op = remove_back;

    switch (op) {
      case construct: {
        const std::u16string units = fresh(40);
        strings[target] = std::make_unique<text>(units.c_str());
        model = units;
        break;
      }
      case copy_construct:
        // Built before the old string goes, so a string may be copied onto itself.
        strings[target] = std::make_unique<text>(*strings[other]);
        model = models[other];
        break;
      case assign:
        s = *strings[other];
        model = models[other];
        break;
      case replace_by_fresh_text: {
        const std::u16string& units = sources.emplace_back(fresh(40));
        s.replace(pos, n, source(units.c_str(), static_cast<std::uint32_t>(units.size())));
        model.replace(pos, n, units);
        break;
      }
      case replace_by_piece: {
        const text& from = *strings[other];
        const std::uint32_t offset = input.ConsumeIntegralInRange<std::uint32_t>(0, from.length());
        const std::uint32_t count = input.ConsumeIntegralInRange<std::uint32_t>(0, from.length() - offset);
        const std::u16string piece = models[other].substr(offset, count);
        const std::int32_t hint = other == target ? -1 : 0;
        s.replace(pos, n, source(from.data() + offset, count, from.capacity() - offset, hint));
        model.replace(pos, n, piece);
        break;
      }
      case remove_front:
        s.replace(0, n, source(u""));
        model.erase(0, n);
        break;
      case remove_back:
        s.replace(pos, length - pos, source(u""));
        model.erase(pos);
        break;
      case terminate: {
        const WCHAR* terminated = s.c_str();
        require(terminated == s.data(), "c_str returns the string's data");
        require(std::u16string_view(terminated) == model, "c_str gives the text, terminated");
        break;
      }
      case format:
      case append:
        format_with_text(target, other, op == append);
        break;
      case borrow:
        model = lend(s);
        break;
      case adopt_own_text:
        // The units that may be read from the piece on run to the end of the storage.
        if (s.try_adopt(source(s.data() + pos, n, s.capacity() - pos, -1))) {
          model = model.substr(pos, n);
        }
        break;
      case adopt_string:
        if (s.try_adopt(text::string_source(*strings[other]))) model = models[other];
        break;
    }
  }

  // Formats or appends a string's text (through c_str, or counted through a
  // precision), and sometimes a padded number after it. Formatting over the
  // string's own text is not supported, so only appending takes its own.
  void format_with_text(std::size_t target, std::size_t other, bool appending) {
    text& s = *strings[target];
    std::u16string& model = models[target];
    const int value = input.ConsumeIntegral<int>();
    if (!appending && other == target) {
      format_into(s, false, u"%d", value);
      model = widened(std::to_string(value));
      return;
    }
    text& argument = *strings[other];
    const std::u16string argument_text = models[other];
    std::u16string formatted;
    switch (input.ConsumeIntegralInRange(0, 2)) {
      case 0:
        format_into(s, appending, u"-%s", argument.c_str());
        formatted = u"-" + argument_text;
        break;
      case 1:
        format_into(s, appending, u"%.*s|", static_cast<int>(argument.length()), argument.data());
        formatted = argument_text + u"|";
        break;
      default: {
        const int width = input.ConsumeIntegralInRange(0, 300);
        format_into(s, appending, u"%s%*d", argument.c_str(), width, value);
        std::u16string number = widened(std::to_string(value));
        if (number.size() < std::size_t(width)) number.insert(0, width - number.size(), u' ');
        formatted = argument_text + number;
        break;
      }
    }
    model = appending ? model + formatted : formatted;
  }

  // Lends the string new storage holding fresh text, with room after it that
  // may be missing, zero or not.
  std::u16string lend(text& s) {
    const std::u16string units = fresh(24);
    std::u16string storage = units;
    for (int spare = input.ConsumeIntegralInRange(0, 8); spare > 0; --spare) {
      storage += input.ConsumeBool() ? u'\0' : input.ConsumeIntegral<char16_t>();
    }
    lent_storage lending{std::make_unique<WCHAR[]>(storage.size()),
                         static_cast<std::uint32_t>(storage.size()), input.ConsumeBool(), storage};
    std::copy(storage.begin(), storage.end(), lending.units.get());
    const text::storage_kind kind = lending.writable ? text::borrowed_writable : text::borrowed_readonly;
    require(s.try_adopt(source(lending.units.get(), static_cast<std::uint32_t>(units.size()),
                               lending.capacity, kind)),
            "a string borrows whatever it is lent");
    lent.push_back(std::move(lending));
    return units;
  }

  void check() const {
    for (std::size_t i = 0; i < string_count; ++i) {
      const text& s = *strings[i];
      require(std::u16string_view(s.data(), s.length()) == models[i], "each string holds its model's text");
      require(s.capacity() >= s.length(), "the capacity covers the text");
      for (std::size_t j = 0; j < i; ++j) {
        const text& t = *strings[j];
        require(s.kind() != text::borrowed_writable || t.kind() != text::borrowed_writable ||
                    !cp::ranges_overlap(s.data(), s.capacity() * sizeof(WCHAR), t.data(),
                                        t.capacity() * sizeof(WCHAR)),
                "no two strings write the same storage");
      }
    }
    for (const lent_storage& storage : lent) {
      require(
          storage.writable || std::u16string_view(storage.units.get(), storage.capacity) == storage.as_lent,
          "read-only lent storage is never written");
    }
  }

  FuzzedDataProvider& input;
  // Outlive the strings that borrow them.
  std::vector<lent_storage> lent;
  std::deque<std::u16string> sources;
  std::array<std::unique_ptr<text>, string_count> strings;
  std::array<std::u16string, string_count> models;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  session(input).run();
  return 0;
}
