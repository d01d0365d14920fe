#pragma once

#include <string>
#include <string_view>

namespace wrenly {

// The text the error box shows for an error's message: a full stop is appended when the
// message is not empty and its last byte is above "." (0x2E). So "...number!" and "(x)" stay as
// they are, while a message ending in a letter, a digit, "?", ":" or any byte from 0x80 up gets
// one. Message is Windows-1252 text.
std::string ErrorBoxText(std::string_view Message);

}  // namespace wrenly
