#include "platform/qt_text.h"

#include <gtest/gtest.h>

#include <string>

namespace wrenly {
namespace {

TEST(QtText, EveryByteSurvivesTheWayThroughAQString) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all += static_cast<char>(byte);
  }
  QString text = ToQString(all);
  EXPECT_EQ(text.size(), 256);
  EXPECT_EQ(FromQString(text), all);
  EXPECT_EQ(ToQString("\x80\x9F\xE9"), QStringLiteral(u"€Ÿé"));
}

TEST(QtText, WritesAQuestionMarkForEachCharacterOutsideTheCodePage) {
  EXPECT_EQ(FromQString(QStringLiteral(u"a\u0142b\U0001F600c")), "a?b?c");
  EXPECT_TRUE(IsCp1252Text(QStringLiteral(u"Zoë pays €5 – “ok”")));
  EXPECT_FALSE(IsCp1252Text(QStringLiteral(u"Łódź")));
  EXPECT_FALSE(IsCp1252Text(QStringLiteral(u"\U0001F600")));
}

}  // namespace
}  // namespace wrenly
