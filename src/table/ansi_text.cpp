#include "table/ansi_text.h"

namespace wrenly {

char AnsiUpperChar(char C) {
  const auto byte = static_cast<unsigned char>(C);
  if (byte >= 'a' && byte <= 'z') {
    return static_cast<char>(byte - 'a' + 'A');
  }
  // à..þ map onto À..Þ, except the division sign, which has the multiplication sign's place.
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) {
    return static_cast<char>(byte - 0x20);
  }
  switch (byte) {
    case 0x9A:  // š
      return '\x8A';
    case 0x9C:  // œ
      return '\x8C';
    case 0x9E:  // ž
      return '\x8E';
    case 0xFF:  // ÿ
      return '\x9F';
    default:
      return C;
  }
}

bool AnsiSameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) {
    return false;
  }
  for (std::size_t i = 0; i < A.size(); ++i) {
    if (A[i] != B[i] && AnsiUpperChar(A[i]) != AnsiUpperChar(B[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace wrenly
