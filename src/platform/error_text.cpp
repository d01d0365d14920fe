#include "platform/error_text.h"

namespace wrenly {

std::string ErrorBoxText(std::string_view Message) {
  std::string text(Message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
    text += '.';
  }
  return text;
}

}  // namespace wrenly
