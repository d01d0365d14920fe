#pragma once

#include <string>
#include <string_view>
#include <vector>

// The keyboard rules of the bound controls, kept apart from any widget toolkit. A key is
// described as the system's keyboard layer reports it: a key code (the letters and digits are
// their capitals' codes), the character it types, if any, and the shift keys held.
namespace wrenly {

enum TKeyCode : int {
  vkNone = 0,
  vkBack = 8,
  vkTab = 9,
  vkReturn = 13,
  vkEscape = 27,
  vkSpace = 32,
  vkPrior = 33,  // Page Up
  vkNext = 34,   // Page Down
  vkEnd = 35,
  vkHome = 36,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vkInsert = 45,
  vkDelete = 46,
};

struct TKeyStroke {
  int Key = vkNone;
  // The Windows-1252 character the key types (0 when it types none or one outside the code
  // page). Control characters count: Backspace types 8, Enter 13.
  unsigned char Char = 0;
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};

// Whether the key would change a bound edit box's text, so the edit request must run before it
// reaches the box: a typed character from 32 up, Backspace, Delete, Ctrl+V, Ctrl+X, Shift+Insert
// and Ctrl+Z.
bool EditBoxKeyStartsEdit(const TKeyStroke& Key);

// Whether the key may change a fixed-list combo box's selection, so the edit request runs first:
// Backspace and every key code from 32 to 255 (Delete, the arrows, Home, End, the pages, letters
// and digits among them).
bool ComboBoxKeyStartsEdit(const TKeyStroke& Key);

// The entry of Items equal to Text ignoring letter case, or -1 when Text is empty or matches none.
int ComboBoxItemIndex(const std::vector<std::string>& Items, std::string_view Text);

}  // namespace wrenly
