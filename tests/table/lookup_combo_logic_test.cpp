#include "table/lookup_combo_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "manual_time.h"
#include "table/db_errors.h"
#include "table_test_support.h"
#include "temp_dir.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TManualTime;
using testing::TRows;

// Contacts with these full names, in this order.
TRows Contacts(const std::vector<std::string>& Names) {
  TRows rows;
  for (const std::string& name : Names) {
    rows.push_back({"", "", "", name});
  }
  return rows;
}

std::vector<std::string> Numbered(int Count) {
  std::vector<std::string> names;
  for (int i = 0; i < Count; ++i) {
    names.push_back("Contact " + std::to_string(i));
  }
  return names;
}

// A lookup of FULLNAME over a contacts table, as the program sets them up.
class LookupCombo : public ::testing::Test {
 protected:
  void SetUpTable(const std::vector<std::string>& Names) {
    Table = MemoryTable(ConfigureContactsDS, Contacts(Names));
    Source.SetDataSet(Table.get());
    Logic.ControlName = "ContactCombo";
    Logic.SetListSource(&Source);
    Logic.SetKeyField("FULLNAME");
    Logic.SetListField("FULLNAME");
    Logic.OnCloseUp = [this] { ++CloseUps; };
  }
  std::vector<std::string> ListRows() const {
    std::vector<std::string> rows;
    for (int row = 0; row < Logic.ListRows(); ++row) {
      rows.push_back(Logic.ListRowText(row) + (Logic.ListRowSelected(row) ? "*" : ""));
    }
    return rows;
  }
  void Type(char Char) { Logic.KeyDown({.Char = static_cast<unsigned char>(Char)}); }
  void Press(int Key, bool Alt = false) { Logic.KeyDown({.Key = Key, .Alt = Alt}); }

  TManualTime Time;
  std::unique_ptr<TCsvDataSet> Table;
  TDataSource Source;
  TLookupComboLogic Logic{Time};
  int CloseUps = 0;
};

TEST_F(LookupCombo, TheListIsSizedToTheRecordsUpToSevenRows) {
  const struct {
    int Records;
    int Rows;
  } cases[] = {{3, 3}, {7, 7}, {10, 7}, {0, 7}};
  for (const auto& c : cases) {
    SetUpTable(Numbered(c.Records));
    ASSERT_EQ(Logic.DropDown(), true) << c.Records;
    EXPECT_EQ(Logic.ListRowCount(), c.Rows) << c.Records;
    EXPECT_EQ(Logic.ListRows(), std::min(c.Records, 7)) << c.Records;
    Logic.CloseUp(false);
  }
}

TEST_F(LookupCombo, TheListScrollsThroughTheRecordsAroundTheCursor) {
  SetUpTable(Numbered(10));
  Logic.SetKeyValue("Contact 5");
  Logic.DropDown();
  EXPECT_EQ(Table->RecNo(), 5);
  EXPECT_EQ(Logic.ListRows(), 7);
  const std::vector<std::string> rows = ListRows();
  EXPECT_NE(std::find(rows.begin(), rows.end(), "Contact 5*"), rows.end());
  Press(vkEnd);
  EXPECT_EQ(ListRows(),
            (std::vector<std::string>{"Contact 3", "Contact 4", "Contact 5", "Contact 6",
                                      "Contact 7", "Contact 8", "Contact 9*"}));
  Press(vkPrior);  // a page is the rows less one
  EXPECT_EQ(Table->RecNo(), 3);
  Press(vkUp);
  EXPECT_EQ(ListRows().front(), "Contact 2*");
  EXPECT_EQ(Logic.ListKeyValue(), "Contact 2");
  Press(vkHome);
  EXPECT_EQ(Table->RecNo(), 0);
}

TEST_F(LookupCombo, OpeningStandsOnTheKeysRecordOrOnTheFirst) {
  SetUpTable({"Adam", "John Smith", "Joan"});
  Logic.SetKeyValue("Joan");
  Table->First();
  Press(vkDown, true);
  EXPECT_TRUE(Logic.ListVisible());
  EXPECT_EQ(ListRows(), (std::vector<std::string>{"Adam", "John Smith", "Joan*"}));
  Press(vkEscape);

  Logic.SetKeyValue("Nobody");
  Table->Last();
  Logic.DropDown();
  EXPECT_EQ(Table->RecNo(), 0);
  EXPECT_EQ(ListRows(), (std::vector<std::string>{"Adam", "John Smith", "Joan"}));
}

TEST_F(LookupCombo, AcceptingADuplicateKeyMovesToItsFirstRecord) {
  SetUpTable({"Adam", "Dup", "Xavier", "Dup"});
  Logic.SetKeyValue("Adam");
  Logic.DropDown();
  Press(vkEnd);
  EXPECT_EQ(Table->RecNo(), 3);
  Press(vkReturn);
  EXPECT_FALSE(Logic.ListVisible());
  EXPECT_EQ(Logic.KeyValue(), "Dup");
  EXPECT_EQ(Logic.Text(), "Dup");
  EXPECT_EQ(Table->RecNo(), 1);
  EXPECT_EQ(CloseUps, 1);

  // Accepting the key already shown leaves the cursor on the row accepted.
  Logic.DropDown();
  Press(vkEnd);
  Press(vkReturn);
  EXPECT_EQ(Table->RecNo(), 3);
  EXPECT_EQ(CloseUps, 2);
}

TEST_F(LookupCombo, DismissingLeavesTheCursorMovedAndTheTextAsItWas) {
  SetUpTable({"Adam", "John Smith", "Joan"});
  Logic.SetKeyValue("Adam");
  Logic.DropDown();
  Press(vkDown);
  Press(vkEscape);
  EXPECT_FALSE(Logic.ListVisible());
  EXPECT_EQ(Table->RecNo(), 1);
  EXPECT_EQ(Logic.KeyValue(), "Adam");
  EXPECT_EQ(Logic.Text(), "Adam");
  EXPECT_EQ(CloseUps, 1);
}

TEST_F(LookupCombo, TypingSearchesTheListFieldAndAPauseStartsAgain) {
  const struct {
    const char* Name;
    std::vector<std::pair<int, char>> Keys;  // milliseconds waited, then the character
    const char* Text;
    const char* Search;
  } cases[] = {
      {"quickly", {{0, 'j'}, {100, 'o'}}, "John Smith", "jo"},
      {"a pause of more than two seconds", {{0, 'j'}, {100, 'o'}, {2001, 'a'}}, "Adam", "a"},
      {"a pause of two seconds exactly", {{0, 'j'}, {100, 'o'}, {2000, 'a'}}, "Joan", "joa"},
      {"a character that finds nothing", {{0, 'J'}, {10, 'x'}}, "John Smith", "J"},
  };
  for (const auto& c : cases) {
    SetUpTable({"Adam", "John Smith", "Joan"});
    Logic.SetKeyValue("");
    Logic.FocusEntered();
    for (const auto& [wait, character] : c.Keys) {
      Time.Advance(wait);
      Type(character);
    }
    EXPECT_EQ(Logic.Text(), c.Text) << c.Name;
    EXPECT_EQ(Logic.SearchText(), c.Search) << c.Name;
    EXPECT_EQ(CloseUps, 0) << c.Name;
    Time.Advance(5000);
  }
}

TEST_F(LookupCombo, TheSearchTextHoldsAtMostThirtyTwoCharacters) {
  SetUpTable({std::string(40, 'a')});
  for (int i = 0; i < 33; ++i) {
    Type('a');
  }
  EXPECT_EQ(Logic.SearchText(), std::string(32, 'a'));
  Press(vkBack);
  EXPECT_EQ(Logic.SearchText(), "");
}

TEST_F(LookupCombo, TypingInTheOpenListMovesOnlyTheList) {
  SetUpTable({"Adam", "John Smith", "Joan"});
  Logic.SetKeyValue("Adam");
  Logic.DropDown();
  Type('j');
  Type('o');
  Type('a');
  EXPECT_EQ(ListRows(), (std::vector<std::string>{"Adam", "John Smith", "Joan*"}));
  EXPECT_EQ(Logic.Text(), "Adam");
  Logic.CloseUp(true);
  EXPECT_EQ(Logic.Text(), "Joan");
  EXPECT_EQ(Logic.SearchText(), "");
}

TEST_F(LookupCombo, UpAndDownWhileClosedStepThroughTheKeys) {
  SetUpTable({"Adam", "Dup", "Dup", "Zed"});
  const struct {
    int Key;
    const char* Text;
    int RecNo;
  } steps[] = {
      {vkDown, "Adam", 0},  // no key yet: the first record
      {vkDown, "Dup", 1},
      {vkDown, "Dup", 2},
      {vkDown, "Zed", 3},
      {vkDown, "Zed", 3},
      // A new key is located again, which finds the first of the duplicates.
      {vkUp, "Dup", 1},
      {vkUp, "Adam", 0},
  };
  for (const auto& step : steps) {
    Press(step.Key);
    EXPECT_EQ(Logic.Text(), step.Text);
    EXPECT_EQ(Table->RecNo(), step.RecNo);
  }
  EXPECT_FALSE(Logic.ListVisible());
  EXPECT_EQ(CloseUps, 0);
}

TEST_F(LookupCombo, TheShownTextChangesWithTheKeyAndTheOpeningOfTheTableOnly) {
  testing::TempDir dir;
  dir.Write("contacts.csv",
            "FIRSTNAME,MIDDLENAME,LASTNAME,FULLNAME,MOBILE1,MOBILE2,MOBILE3\r\n"
            ",,,Adam,,,\r\n,,,John Smith,,,\r\n");
  testing::ScopedCurrentDir inDir(dir.Path());
  Table = std::make_unique<TCsvDataSet>();
  ConfigureContactsDS(*Table);
  Source.SetDataSet(Table.get());
  Logic.SetListSource(&Source);
  Logic.SetKeyField("FULLNAME");
  Logic.SetListField("FULLNAME");

  Logic.SetKeyValue("John Smith");
  EXPECT_EQ(Logic.Text(), "");  // closed
  Table->Open();
  EXPECT_EQ(Logic.Text(), "John Smith");
  EXPECT_EQ(Table->RecNo(), 1);
  Table->Edit();
  Table->FieldByName("FULLNAME").SetAsString("Johnny");
  Table->Post();
  Table->First();
  EXPECT_EQ(Logic.Text(), "John Smith");
  Table->Close();
  EXPECT_EQ(Logic.Text(), "");
  Table->Open();
  EXPECT_EQ(Logic.Text(), "");  // the key names no record now
  Logic.SetKeyValue("Johnny");
  EXPECT_EQ(Logic.Text(), "Johnny");
  Table->Close();  // while the directory is still there
}

TEST_F(LookupCombo, ALocateThatFailsCountsAsNotFound) {
  SetUpTable({"Adam", "John Smith"});
  Table->BeforePost = [](TDataSet&) { throw std::runtime_error("refused"); };
  Table->Edit();
  Table->FieldByName("MOBILE1").SetAsString("0711");  // the locate must post this, and cannot
  EXPECT_NO_THROW(Logic.SetKeyValue("John Smith"));
  EXPECT_EQ(Logic.Text(), "");
  EXPECT_NO_THROW(Type('j'));
  EXPECT_EQ(Logic.Text(), "");
  EXPECT_EQ(Table->State(), dsEdit);
}

TEST_F(LookupCombo, AFieldNameThatMatchesNoFieldIsAnErrorOfTheControl) {
  SetUpTable({"Adam"});
  try {
    Logic.SetListField("FULL_NAME");
    ADD_FAILURE() << "no error";
  } catch (const EDatabaseError& error) {
    EXPECT_STREQ(error.what(), "ContactCombo: Field 'FULL_NAME' not found");
  }
}

TEST(DragScrollInterval, IsTwoHundredMillisecondsLessFifteenPerPixelAndNeverNegative) {
  const std::pair<int, int> cases[] = {{0, 200}, {1, 185}, {10, 50}, {13, 5}, {14, 0}, {100, 0}};
  for (const auto& [distance, interval] : cases) {
    EXPECT_EQ(DragScrollInterval(distance), interval) << distance;
  }
}

TEST_F(LookupCombo, DraggingPastTheListScrollsOneRecordPerTick) {
  SetUpTable(Numbered(10));
  Logic.DropDown();
  Logic.ListTrackRow(6);
  EXPECT_EQ(Table->RecNo(), 6);
  Logic.ListTrackOutside(10);  // 10 pixels below: a tick of 50 ms
  Time.Advance(49);
  EXPECT_EQ(Table->RecNo(), 6);
  Time.Advance(1);
  EXPECT_EQ(Table->RecNo(), 7);
  Time.Advance(100);
  EXPECT_EQ(Table->RecNo(), 9);
  EXPECT_EQ(Logic.ListKeyValue(), "Contact 9");
  Logic.ListTrackOutside(-1);  // above: back up, every 185 ms
  Time.Advance(50 + 185);
  EXPECT_EQ(Table->RecNo(), 7);
  Logic.ListTrackRow(0);  // back inside: the scrolling stops
  const int stoppedAt = Table->RecNo();
  Time.Advance(1000);
  EXPECT_EQ(Table->RecNo(), stoppedAt);
  EXPECT_EQ(CloseUps, 0);
}

TEST_F(LookupCombo, NothingOpensOverAClosedTable) {
  SetUpTable({"Adam"});
  Table->Close();
  EXPECT_FALSE(Logic.DropDown());
  Press(vkDown);
  EXPECT_EQ(Logic.Text(), "");
  EXPECT_EQ(CloseUps, 0);
}

}  // namespace
}  // namespace wrenly
