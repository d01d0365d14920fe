#include "platform/error_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace wrenly {
namespace {

struct FullStopCase {
  const char* Name;
  std::string Message;
  std::string Shown;
};
void PrintTo(const FullStopCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class ErrorBoxTextTest : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(ErrorBoxTextTest, AddsAFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(ErrorBoxText(GetParam().Message), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, ErrorBoxTextTest,
    ::testing::Values(
        FullStopCase{"Empty", "", ""},
        FullStopCase{"ExclamationMark", "Please enter recipient number!",
                     "Please enter recipient number!"},
        FullStopCase{"Letter", "Please write a message", "Please write a message."},
        FullStopCase{"FullStop", "Done.", "Done."},
        FullStopCase{"ClosingBracket", "Failed (disk)", "Failed (disk)"},
        FullStopCase{"Comma", "a,", "a,"}, FullStopCase{"Hyphen", "a-", "a-"},
        FullStopCase{"Blank", "a ", "a "}, FullStopCase{"LineBreak", "a\r\n", "a\r\n"},
        FullStopCase{"Slash", "a/", "a/."}, FullStopCase{"Digit", "Error 42", "Error 42."},
        FullStopCase{"QuestionMark", "Why?", "Why?."}, FullStopCase{"Colon", "Reason:", "Reason:."},
        FullStopCase{"ByteAbove127", "Caf\xE9", "Caf\xE9."}),
    [](const ::testing::TestParamInfo<FullStopCase>& Info) { return Info.param.Name; });

}  // namespace
}  // namespace wrenly
