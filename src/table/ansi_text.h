#pragma once

#include <string_view>

// Letter case of 8-bit Windows-1252 text.
namespace wrenly {

// The capital of a Windows-1252 letter (ASCII and the accented letters of the code page);
// every other byte is returned as it is.
char AnsiUpperChar(char C);

// True when A and B are equal apart from the letter case of AnsiUpperChar.
bool AnsiSameText(std::string_view A, std::string_view B);

// The capital of a to z only; every other byte, accented letters included, stays.
inline char AsciiUpperChar(char C) {
  return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
}

}  // namespace wrenly
