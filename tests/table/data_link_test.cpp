#include "table/data_link.h"

#include <gtest/gtest.h>

#include <functional>

#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TRows;
using testing::Value;
using TEvents = std::vector<std::string>;

// A link that writes down what it is told and shows its rows of one field.
class TTestLink : public TDataLink {
 public:
  explicit TTestLink(TDataSource& Source, int Rows = 1) {
    SetBufferCount(Rows);
    SetDataSource(&Source);
  }

  TEvents Events;
  std::function<void()> WhenUpdating;

  // The field's text in each row; the current row marked with "*".
  std::vector<std::string> Rows(std::string_view Field = "GATEWAY") const {
    std::vector<std::string> rows;
    for (int row = 0; row < RecordCount(); ++row) {
      rows.push_back(FieldText(row, DataSet()->FieldByName(Field)) +
                     (row == ActiveRecord() ? "*" : ""));
    }
    return rows;
  }
  TEvents Take() { return std::exchange(Events, {}); }

 protected:
  void ActiveChanged() override { Events.push_back(Active() ? "active" : "inactive"); }
  void StateChanged() override { Events.push_back("state"); }
  void RecordChanged(TField* Field) override {
    Events.push_back(Field != nullptr ? "record " + Field->FieldName() : "record");
  }
  void DataSetChanged() override { Events.push_back("changed"); }
  void DataSetScrolled(int Distance) override {
    Events.push_back("scrolled " + std::to_string(Distance));
  }
  void UpdateData() override {
    Events.push_back("update");
    if (WhenUpdating) {
      WhenUpdating();
    }
  }
  void CheckBrowseMode() override { Events.push_back("check"); }
};

TRows Records(int Count) {
  TRows rows;
  for (int i = 0; i < Count; ++i) {
    rows.push_back({"R" + std::to_string(i)});
  }
  return rows;
}

std::vector<std::string> Names(int From, int To, int Current) {
  std::vector<std::string> names;
  for (int i = From; i <= To; ++i) {
    names.push_back("R" + std::to_string(i) + (i == Current ? "*" : ""));
  }
  return names;
}

TEST(DataLink, OpeningAndClosingSendOnlyTheStateChange) {
  TCsvDataSet table;
  ConfigureGatewaysDS(table);
  table.LoadsFromFile = false;
  TDataSource source;
  source.SetDataSet(&table);
  TTestLink link(source);
  EXPECT_FALSE(link.Active());
  table.Open();
  EXPECT_EQ(link.Take(), (TEvents{"active", "state"}));
  table.Close();
  EXPECT_EQ(link.Take(), (TEvents{"inactive", "state"}));
}

TEST(DataLink, AListOfSevenRowsScrollsOnlyPastItsEdges) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(10));
  TDataSource source;
  source.SetDataSet(table.get());
  TTestLink list(source, 7);
  TTestLink single(source);
  EXPECT_EQ(list.Take(), (TEvents{"active"}));
  single.Take();
  EXPECT_EQ(list.Rows(), Names(0, 6, 0));
  for (int i = 1; i <= 6; ++i) {
    table->Next();
    EXPECT_EQ(list.Take(), (TEvents{"check", "scrolled 0"}));
    EXPECT_EQ(single.Take(), (TEvents{"check", "scrolled 0"}));
    EXPECT_EQ(single.Rows(), Names(i, i, i));
    EXPECT_EQ(single.FirstRecord(), i);
  }
  table->Next();
  EXPECT_EQ(list.Take(), (TEvents{"check", "scrolled -1"}));
  EXPECT_EQ(list.Rows(), Names(1, 7, 7));
  table->Last();
  EXPECT_EQ(list.Take(), (TEvents{"check", "changed"}));
  EXPECT_EQ(list.Rows(), Names(3, 9, 9));
  table->MoveBy(-6);
  EXPECT_EQ(list.Take(), (TEvents{"check", "scrolled 0"}));
  table->MoveBy(-2);
  EXPECT_EQ(list.Take(), (TEvents{"check", "scrolled 2"}));
  EXPECT_EQ(list.Rows(), Names(1, 7, 1));
  EXPECT_EQ(single.Rows(), Names(1, 1, 1));
  EXPECT_EQ(single.FirstRecord(), 0);
  // Near the end the window also fills before the current record, so a list shows no empty
  // rows while records precede it.
  table->First();
  table->SetRecNo(9);
  EXPECT_EQ(list.Rows(), Names(3, 9, 9));
}

TEST(DataLink, ALinkOfOneRowScrollsWithEveryMove) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(3));
  TDataSource source;
  source.SetDataSet(table.get());
  TTestLink link(source);
  link.Take();
  table->Next();
  table->Next();
  table->Next();  // past the end: nothing slides
  table->Prior();
  EXPECT_EQ(link.Take(), (TEvents{"check", "scrolled -1", "check", "scrolled -1", "check",
                                  "scrolled 0", "check", "scrolled 1"}));
  EXPECT_EQ(link.Rows(), Names(1, 1, 1));
}

TEST(DataLink, EachOperationSendsItsNotifications) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(3));
  TDataSource source;
  source.SetDataSet(table.get());
  TTestLink link(source);
  const struct {
    const char* Name;
    std::function<void()> Operation;
    TEvents Events;
  } cases[] = {
      {"edit", [&] { table->Edit(); }, {"check", "state", "record"}},
      {"write", [&] { table->FieldByName("USERNAME").SetAsString("me"); }, {"record USERNAME"}},
      {"post", [&] { table->Post(); }, {"update", "check", "state", "changed"}},
      {"insert", [&] { table->Insert(); }, {"check", "state", "changed"}},
      {"cancel", [&] { table->Cancel(); }, {"check", "state", "changed"}},
      {"append", [&] { table->Append(); }, {"check", "state", "changed"}},
      {"untouched insert settled by first",
       [&] { table->First(); },
       {"check", "update", "check", "state", "changed", "changed"}},
      {"delete", [&] { table->Delete(); }, {"check", "changed"}},
      {"locate", [&] { table->Locate("GATEWAY", "R2"); }, {"check", "changed"}},
      {"set record number", [&] { table->SetRecNo(0); }, {"check", "changed"}},
      {"last", [&] { table->Last(); }, {"check", "changed"}},
      {"written edit settled by insert",
       [&] {
         table->Edit();
         table->FieldByName("USERNAME").SetAsString("you");
         link.Events.clear();
         table->Insert();
       },
       {"check", "update", "update", "check", "state", "changed", "state", "changed"}},
  };
  for (const auto& c : cases) {
    link.Events.clear();
    c.Operation();
    EXPECT_EQ(link.Events, c.Events) << c.Name;
  }
}

TEST(DataLink, PendingTextIsWrittenBeforeThePostDecides) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(2));
  TDataSource source;
  source.SetDataSet(table.get());
  TTestLink editor(source);
  TTestLink other(source);
  editor.WhenUpdating = [&] { table->FieldByName("USERNAME").SetAsString("typed"); };
  table->Edit();  // nothing written yet: only the editor's pending text
  editor.Events.clear();
  other.Events.clear();
  table->Next();
  // The editor is not told of its own writes.
  EXPECT_EQ(editor.Take(),
            (TEvents{"check", "update", "update", "check", "state", "changed", "scrolled -1"}));
  EXPECT_EQ(other.Take(), (TEvents{"check", "record USERNAME", "update", "record USERNAME",
                                   "update", "check", "state", "changed", "scrolled -1"}));
  table->First();
  EXPECT_EQ(Value(*table, "USERNAME"), "typed");
}

TEST(DataLink, TheWindowFollowsTheLargestRequest) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(10));
  table->SetRecNo(5);
  TDataSource source;
  source.SetDataSet(table.get());
  TTestLink single(source);
  single.Take();
  EXPECT_EQ(single.Rows(), Names(5, 5, 5));
  {
    TTestLink list(source, 7);
    EXPECT_EQ(list.Take(), (TEvents{"active"}));
    EXPECT_EQ(single.Take(), (TEvents{"changed"}));
    EXPECT_EQ(list.Rows(), Names(3, 9, 5));
    EXPECT_EQ(single.FirstRecord(), 2);
    list.SetBufferCount(3);
    EXPECT_EQ(list.Rows(), Names(3, 5, 5));
    EXPECT_EQ(single.Take(), (TEvents{"changed"}));
    list.SetDataSource(nullptr);
    EXPECT_EQ(list.Take(), (TEvents{"changed", "inactive"}));
    EXPECT_EQ(list.Rows(), TEvents{});
  }
  EXPECT_EQ(single.Take(), (TEvents{"changed"}));
  EXPECT_EQ(single.Rows(), Names(5, 5, 5));
  EXPECT_EQ(single.FirstRecord(), 0);
}

TEST(DataLink, NewRecordsTakeTheirPlaceInTheWindow) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(10));
  TDataSource source;
  source.SetDataSet(table.get());
  TTestLink list(source, 7);
  table->MoveBy(2);
  table->Insert();
  EXPECT_EQ(list.Rows(), (std::vector<std::string>{"R0", "R1", "*", "R2", "R3", "R4", "R5"}));
  table->FieldByName("GATEWAY").SetAsString("NEW");
  EXPECT_EQ(list.Rows()[2], "NEW*");  // the working copy
  table->Append();                    // posts NEW first
  EXPECT_EQ(list.Rows(), (std::vector<std::string>{"R4", "R5", "R6", "R7", "R8", "R9", "*"}));
  table->Cancel();
  EXPECT_EQ(list.Rows(), Names(3, 9, 9));
  // The found record keeps the current row as far as records before it allow.
  table->Locate("GATEWAY", "NEW");
  EXPECT_EQ(list.Rows(), (std::vector<std::string>{"R0", "R1", "NEW*", "R2", "R3", "R4", "R5"}));
  table->Last();
  table->SetRecNo(8);
  EXPECT_EQ(list.Rows(), (std::vector<std::string>{"NEW", "R2", "R3", "R4", "R5", "R6", "R7*"}));
}

TEST(DataLink, ADataSourceEditsOnlyWhenAllowedAndBrowsing) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(1));
  TDataSource source;
  EXPECT_EQ(source.State(), dsInactive);
  source.Edit();  // no table: nothing
  source.SetDataSet(table.get());
  source.AutoEdit = false;
  source.Edit();
  EXPECT_EQ(table->State(), dsBrowse);
  source.AutoEdit = true;
  source.Edit();
  EXPECT_EQ(source.State(), dsEdit);
  table->Delete();
  source.Edit();
  EXPECT_EQ(source.State(), dsInsert);
}

TEST(DataLink, EitherSideMayGoFirst) {
  auto table = MemoryTable(ConfigureGatewaysDS, Records(3));
  auto source = std::make_unique<TDataSource>();
  source->SetDataSet(table.get());
  TTestLink link(*source);
  link.Take();
  source.reset();
  EXPECT_EQ(link.Take(), (TEvents{"inactive"}));
  EXPECT_EQ(link.DataSource(), nullptr);
  table->Next();

  source = std::make_unique<TDataSource>();
  source->SetDataSet(table.get());
  link.SetDataSource(source.get());
  EXPECT_EQ(link.Take(), (TEvents{"active"}));
  table.reset();
  EXPECT_EQ(link.Take(), (TEvents{"inactive", "state"}));
  EXPECT_EQ(source->DataSet(), nullptr);
  EXPECT_EQ(link.DataSet(), nullptr);
}

}  // namespace
}  // namespace wrenly
