#include "table/control_rules.h"

#include "table/ansi_text.h"

namespace wrenly {

bool EditBoxKeyStartsEdit(const TKeyStroke& Key) {
  // A character typed with Ctrl alone is a shortcut, not text; with Ctrl and Alt together it is
  // the AltGr layer of the keyboard and types.
  const bool shortcut = Key.Ctrl && !Key.Alt;
  if (Key.Char >= vkSpace && !shortcut) {
    return true;
  }
  switch (Key.Key) {
    case vkBack:
    case vkDelete:
      return true;
    case 'V':
    case 'X':
    case 'Z':
      return Key.Ctrl;
    case vkInsert:
      return Key.Shift && !Key.Ctrl;
    default:
      return false;
  }
}

bool ComboBoxKeyStartsEdit(const TKeyStroke& Key) {
  return Key.Key == vkBack || (Key.Key >= 32 && Key.Key <= 255);
}

int ComboBoxItemIndex(const std::vector<std::string>& Items, std::string_view Text) {
  if (Text.empty()) {
    return -1;
  }
  for (std::size_t i = 0; i < Items.size(); ++i) {
    if (AnsiSameText(Items[i], Text)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace wrenly
