#include "platform/program_path.h"

#include <gtest/gtest.h>

namespace wrenly {
namespace {

struct PathCase {
  const char* Name;
  const char* Path;
  const char* Dir;
  const char* Title;
};

void PrintTo(const PathCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class ProgramPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(ProgramPathTest, DerivesDirectoryAndTitle) {
  EXPECT_EQ(AppDirFromPath(GetParam().Path), GetParam().Dir);
  EXPECT_EQ(ApplicationTitleFromPath(GetParam().Path), GetParam().Title);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramPathTest,
    ::testing::Values(PathCase{"Installed", "/opt/wrenly/wrenly", "/opt/wrenly/", "Wrenly"},
                      PathCase{"MixedCaseWithExtension", "/x/RarUzavad.EXE", "/x/", "Raruzavad"},
                      PathCase{"CutAtFirstDot", "/a/b/my.app.bin", "/a/b/", "My"},
                      PathCase{"AtRoot", "/wrenly", "/", "Wrenly"},
                      PathCase{"NoDirectory", "wrenly", "", "Wrenly"},
                      PathCase{"NonAsciiKept", "/d/\xC3\xA9LAN", "/d/", "\xC3\xA9lan"},
                      PathCase{"Empty", "", "", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ProgramPath, RunningProgramIsThisTest) {
  std::string path = ProgramFilePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(path.rfind('/') + 1), "wrenly_core_tests");
  EXPECT_EQ(AppDir(), path.substr(0, path.rfind('/') + 1));
  EXPECT_EQ(ApplicationTitle(), "Wrenly_core_tests");
}

}  // namespace
}  // namespace wrenly
