#pragma once

#include <optional>

// The Windows-1252 code page, the program's only 8-bit text encoding. Every byte has a
// character: the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand
// for the C1 controls of the same value, so any byte string survives a round trip through
// Unicode unchanged.
namespace wrenly {

// The character a byte stands for.
char32_t Cp1252ToUnicode(unsigned char Byte);

// The byte that stands for a character, or nothing when the code page cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t Character);

}  // namespace wrenly
