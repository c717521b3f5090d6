// Position and key codes of key messages, with the Shift fix-up.
#include <gtest/gtest.h>

#include "framework/key_translation.h"

namespace {

constexpr LPARAM extended = LPARAM{1} << 24;
constexpr LPARAM left_shift_scan = LPARAM{0x2A} << 16, right_shift_scan = LPARAM{0x36} << 16;

struct key_case {
  const char* name;
  WPARAM virtual_key;
  LPARAM lparam;
  std::int32_t modifiers;
  std::int32_t position;
  std::int32_t key;
};

TEST(KeyTranslation, PositionAndKeyCodes) {
  const key_case cases[] = {
      {"right Shift alone", VK_SHIFT, 0, modifier::shift | modifier::right_shift, 0x110021, 0x12000F},
      {"left Shift alone", VK_SHIFT, 0, modifier::shift | modifier::left_shift, 0x110020, 0x12000F},
      {"both Shifts keep the looked-up code", VK_SHIFT, 0,
       modifier::shift | modifier::left_shift | modifier::right_shift, 0x110020, 0x12000F},
      // With the scan code in the message, the flags no longer matter: at a
      // release both are clear, and while the other Shift is held both are set.
      {"right Shift released", VK_SHIFT, right_shift_scan, 0, 0x110021, 0x12000F},
      {"right Shift pressed while left Shift is held", VK_SHIFT, right_shift_scan,
       modifier::shift | modifier::left_shift | modifier::right_shift, 0x110021, 0x12000F},
      {"left Shift pressed while right Shift is held", VK_SHIFT, left_shift_scan,
       modifier::shift | modifier::left_shift | modifier::right_shift, 0x110020, 0x12000F},
      {"left Shift released after right Shift went down", VK_SHIFT, left_shift_scan,
       modifier::shift | modifier::right_shift, 0x110020, 0x12000F},
      {"keypad 8, Num Lock on", VK_NUMPAD8, 0, modifier::num_lock_on, 0x110037, '8'},
      {"keypad 8, Num Lock off", VK_UP, 0, 0, 0x110037, 0x120004},
      {"arrow-block Up", VK_UP, extended, 0, 0x11002E, 0x120004},
      {"keypad Enter", VK_RETURN, extended, 0, 0x110042, 0x120000},
      {"Enter", VK_RETURN, 0, 0, 0x11001F, 0x120000},
      {"right Ctrl", VK_CONTROL, extended, 0, 0x110027, 0x120010},
      {"Q, whatever the Shift state", 'Q', 0, modifier::shift | modifier::left_shift, 'Q', 0x51},
      {"Escape", VK_ESCAPE, 0, 0, 0x110000, 0x120001},
      {"F1", VK_F1, 0, 0, 0x110001, 0x120017},
      {"F24", VK_F24, 0, 0, 0x110018, 0x12002E},
      {"space", VK_SPACE, 0, 0, ' ', ' '},
      {"apostrophe", VK_OEM_7, 0, 0, '\'', '\''},
      {"keypad /", VK_DIVIDE, extended, 0, 0x110033, 0x120033},
      {"Windows logo key: no entry", VK_LWIN, extended, 0, 0, 0},
      {"beyond the table", 256, 0, 0, 0, 0},
  };
  for (const key_case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(position_code(c.virtual_key, c.lparam, c.modifiers), c.position);
    EXPECT_EQ(key_code(c.virtual_key), c.key);
  }
}

}  // namespace
