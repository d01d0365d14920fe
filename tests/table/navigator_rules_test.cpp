#include "table/navigator_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::MemoryTable;

std::string Enabled(TNavigateButtons Buttons) {
  static const char* const names[] = {"First", "Prior", "RecNo",  "Count", "Next",
                                      "Last",  "New",   "Insert", "Delete"};
  std::string text;
  for (int i = 0; i < kNavigateBtnCount; ++i) {
    if (Buttons.Contains(static_cast<TNavigateBtn>(i))) {
      text += text.empty() ? "" : " ";
      text += names[i];
    }
  }
  return text;
}

TEST(NavigatorEnabled, FollowsTheEndsOfTheTableAndWhetherItCanBeChanged) {
  // The names in the order the bar shows them.
  const struct {
    const char* Name;
    int Records;
    std::function<void(TDataSet&)> Setup;
    const char* Enabled;
  } cases[] = {
      {"at the first of three", 3, [](TDataSet& t) { t.First(); },
       "RecNo Count Next Last New Insert Delete"},
      {"in the middle", 3, [](TDataSet& t) { t.Next(); },
       "First Prior RecNo Count Next Last New Insert Delete"},
      {"at the last", 3, [](TDataSet& t) { t.Last(); },
       "First Prior RecNo Count New Insert Delete"},
      {"an empty table", 0, [](TDataSet&) {}, "Count New Insert"},
      {"a new record appended", 3, [](TDataSet& t) { t.Append(); },
       "First Prior RecNo Count New Insert Delete"},
      {"read-only", 3,
       [](TDataSet& t) {
         t.ReadOnly = true;
         t.Next();
       },
       "First Prior Count Next Last"},
      {"closed", 3, [](TDataSet& t) { t.Close(); }, ""},
  };
  for (const auto& c : cases) {
    auto table = MemoryTable(ConfigureGatewaysDS,
                             testing::TRows(static_cast<std::size_t>(c.Records), {"KAPOW"}));
    c.Setup(*table);
    EXPECT_EQ(Enabled(NavigatorEnabled(table.get())), c.Enabled) << c.Name;
  }
  EXPECT_EQ(Enabled(NavigatorEnabled(nullptr)), "");
}

TEST(RecordNumberAction, GoesOnlyToTheNumbersOfExistingRecords) {
  const struct {
    const char* Text;
    bool Ignore;
    int GoTo;  // -1: none, the box shows the current number again
  } cases[] = {
      {"0", false, 0},
      {"2", false, 2},
      {" 1 ", false, 1},
      {"+1", false, 1},
      {"3", false, -1},
      {"-1", false, -1},
      {"99999999999999999999", false, -1},
      {"", true, -1},
      {"abc", true, -1},
      {"1.5", true, -1},
      {"1x", true, -1},
      {"+-1", true, -1},
      {"--1", true, -1},
  };
  for (const auto& c : cases) {
    const TRecordNumberAction action = RecordNumberAction(c.Text, 3);
    EXPECT_EQ(action.Ignore, c.Ignore) << '"' << c.Text << '"';
    EXPECT_EQ(action.GoTo.value_or(-1), c.GoTo) << '"' << c.Text << '"';
  }
}

}  // namespace
}  // namespace wrenly
