#include "platform/cp1252.h"

#include <array>

namespace wrenly {
namespace {

// 0x80 to 0x9F, the only range where the code page differs from Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

}  // namespace

char32_t Cp1252ToUnicode(unsigned char Byte) {
  return Byte >= 0x80 && Byte < 0xA0 ? kHighControls[Byte - 0x80] : char32_t{Byte};
}

std::optional<unsigned char> UnicodeToCp1252(char32_t Character) {
  if (Character < 0x80 || (Character >= 0xA0 && Character <= 0xFF)) {
    return static_cast<unsigned char>(Character);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == Character) {
      return static_cast<unsigned char>(0x80 + i);
    }
  }
  return std::nullopt;
}

}  // namespace wrenly
