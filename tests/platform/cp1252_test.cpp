#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include <optional>

namespace wrenly {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    char32_t character = Cp1252ToUnicode(static_cast<unsigned char>(byte));
    EXPECT_EQ(UnicodeToCp1252(character), std::optional<unsigned char>(byte)) << "byte " << byte;
  }
}

TEST(Cp1252, MapsTheBytesWhereItDiffersFromLatin1) {
  struct Case {
    unsigned char Byte;
    char32_t Character;
  };
  for (Case c :
       {Case{0x41, U'A'}, Case{0x80, U'€'}, Case{0x81, 0x81}, Case{0x8A, U'Š'}, Case{0x8D, 0x8D},
        Case{0x8F, 0x8F}, Case{0x90, 0x90}, Case{0x93, U'“'}, Case{0x96, U'–'}, Case{0x9D, 0x9D},
        Case{0x9F, U'Ÿ'}, Case{0xA0, 0xA0}, Case{0xE9, U'é'}, Case{0xFF, U'ÿ'}}) {
    EXPECT_EQ(Cp1252ToUnicode(c.Byte), c.Character) << "byte " << int{c.Byte};
  }
}

TEST(Cp1252, HasNoByteForCharactersOutsideIt) {
  // C1 controls that the code page gives to printable characters, and everything above Latin-1
  // that it does not list.
  for (char32_t character :
       {char32_t{0x80}, char32_t{0x8A}, char32_t{0x9F}, char32_t{0x100}, char32_t{0x142},
        char32_t{0x2028}, char32_t{0x20AD}, char32_t{0xFFFD}, char32_t{0x1F600}}) {
    EXPECT_EQ(UnicodeToCp1252(character), std::nullopt)
        << "U+" << std::hex << static_cast<unsigned>(character);
  }
}

}  // namespace
}  // namespace wrenly
