#include "table/dataset.h"

#include <gtest/gtest.h>

#include <functional>

#include "table/db_errors.h"
#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::Column;
using testing::MemoryTable;
using testing::MessageOf;
using testing::TRows;
using testing::Value;

// Records the table's events, each with the state it ran in.
struct TEventLog {
  std::vector<std::string> Events;

  void Attach(TDataSet& Table) {
    Table.BeforePost = [this](TDataSet& t) { Events.push_back("BeforePost " + StateName(t)); };
    Table.AfterPost = [this](TDataSet& t) { Events.push_back("AfterPost " + StateName(t)); };
  }
  static std::string StateName(const TDataSet& Table) {
    static const char* const names[] = {"inactive", "browse", "edit", "insert", "setkey", "calc"};
    return names[Table.State()];
  }
};

TEST(TableModel, FindsFieldsIgnoringLetterCase) {
  auto table = MemoryTable(ConfigureContactsDS);
  EXPECT_EQ(&table->FieldByName("firstname"), &table->Fields(0));
  EXPECT_EQ(&table->FieldByName("MiddleName"), &table->Fields(1));
  EXPECT_EQ(&table->FieldByName("calcfullname"), &table->Fields(7));
  EXPECT_EQ(table->FindField("PHONE"), nullptr);
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->FieldByName("Phone"); }),
            "ContactsDS: Field 'Phone' not found");

  TCsvDataSet accented;
  accented.CsvFieldDef = "\xC9T\xC9,\x8A\x9F";  // ÉTÉ, ŠŸ
  accented.AddField("\xC9T\xC9");
  accented.AddField("\x8A\x9F");
  EXPECT_EQ(accented.FindField("\xE9t\xE9"), &accented.Fields(0));
  EXPECT_EQ(accented.FindField("\x9A\xFF"), &accented.Fields(1));
  EXPECT_EQ(accented.FindField("ETE"), nullptr);
}

TEST(TableModel, FieldsOfAClosedOrEmptyTableReadEmpty) {
  TCsvDataSet closed;
  ConfigureGatewaysDS(closed);
  EXPECT_EQ(Value(closed, "GATEWAY"), "");
  EXPECT_TRUE(closed.FieldByName("GATEWAY").IsNull());
  auto empty = MemoryTable(ConfigureGatewaysDS);
  EXPECT_EQ(Value(*empty, "GATEWAY"), "");
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_TRUE(empty->Bof());
  EXPECT_TRUE(empty->Eof());
  EXPECT_EQ(empty->RecNo(), -1);
}

TEST(TableModel, OperationsOnAClosedTableFail) {
  TCsvDataSet table;
  ConfigureGatewaysDS(table);
  const std::pair<const char*, std::function<void()>> operations[] = {
      {"First", [&] { table.First(); }},    {"Last", [&] { table.Last(); }},
      {"Next", [&] { table.Next(); }},      {"Prior", [&] { table.Prior(); }},
      {"MoveBy", [&] { table.MoveBy(2); }}, {"Edit", [&] { table.Edit(); }},
      {"Insert", [&] { table.Insert(); }},  {"Append", [&] { table.Append(); }},
      {"Delete", [&] { table.Delete(); }},  {"RecNo", [&] { table.RecNo(); }},
  };
  for (const auto& [name, operation] : operations) {
    EXPECT_EQ(MessageOf<EDatabaseError>(operation),
              "GatewaysDS: Cannot perform this operation on a closed dataset")
        << name;
  }
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { table.Post(); }),
            "GatewaysDS: Dataset not in edit or insert mode");
  EXPECT_FALSE(table.Locate("GATEWAY", "KAPOW"));
  table.SetRecNo(0);
  table.Cancel();
  EXPECT_EQ(table.RecordCount(), 0);
  EXPECT_EQ(table.State(), dsInactive);
}

TEST(TableModel, StoredFieldsAreWrittenOnlyWhileEditing) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"KAPOW"}});
  const std::string notEditing = "GatewaysDS: Dataset not in edit or insert mode";
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->Post(); }), notEditing);
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->FieldByName("USERNAME").SetAsString("x"); }),
            notEditing);
  auto contacts = MemoryTable(ConfigureContactsDS, {{"John"}});
  EXPECT_EQ(
      MessageOf<EDatabaseError>([&] { contacts->FieldByName("CalcFullName").SetAsString("x"); }),
      "ContactsDS: Dataset not in edit or insert mode");
  EXPECT_EQ(Value(*table, "USERNAME"), "");
}

TEST(TableModel, CutsWrittenTextToTheFieldSize) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"KAPOW"}});
  table->Edit();
  table->FieldByName("USERNAME").SetAsString(std::string(60, 'a') + std::string(40, 'b'));
  table->FieldByName("PASSWORD").SetAsString(std::string("pa\0ss", 5));
  table->Post();
  EXPECT_EQ(Value(*table, "USERNAME"), std::string(60, 'a') + std::string(20, 'b'));
  EXPECT_EQ(Value(*table, "PASSWORD"), "pa");
}

TEST(TableModel, AReadOnlyTableRefusesToBeginEditing) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"KAPOW"}});
  table->ReadOnly = true;
  EXPECT_FALSE(table->CanModify());
  EXPECT_FALSE(table->FieldByName("GATEWAY").CanModify());
  for (auto begin : {&TDataSet::Edit, &TDataSet::Insert, &TDataSet::Append}) {
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { (table.get()->*begin)(); }),
              "GatewaysDS: Cannot modify a read-only dataset");
    EXPECT_EQ(table->State(), dsBrowse);
  }
  table->ReadOnly = false;
  EXPECT_TRUE(table->FieldByName("GATEWAY").CanModify());
  auto contacts = MemoryTable(ConfigureContactsDS);
  EXPECT_FALSE(contacts->FieldByName("CalcFullName").CanModify());
}

TEST(TableModel, EditOnAnEmptyTableBeginsAnInsert) {
  auto table = MemoryTable(ConfigureDefGway);
  table->Edit();
  EXPECT_EQ(table->State(), dsInsert);
  table->FieldByName("GATEWATY").SetAsString("KAPOW");
  table->Post();
  EXPECT_EQ(Column(*table, "GATEWATY"), (std::vector<std::string>{"KAPOW"}));
}

TEST(TableModel, AnUntouchedNewRecordIsDiscardedByAMove) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"A"}, {"B"}});
  TEventLog log;
  log.Attach(*table);
  table->Insert();
  table->First();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_TRUE(log.Events.empty());
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"A", "B"}));
}

TEST(TableModel, AWrittenNewRecordIsPostedBeforeAMove) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"A"}, {"B"}});
  TEventLog log;
  log.Attach(*table);
  table->Insert();
  table->FieldByName("GATEWAY").SetAsString("NEW");
  EXPECT_TRUE(table->Modified());
  table->Next();
  EXPECT_EQ(log.Events, (std::vector<std::string>{"BeforePost insert", "AfterPost browse"}));
  EXPECT_EQ(Value(*table, "GATEWAY"), "A");
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"NEW", "A", "B"}));
}

TEST(TableModel, InsertStoresTheNewRecordBeforeTheCurrentOne) {
  auto table = MemoryTable(ConfigureGatewaysDS);
  for (const char* provider : {"CLICKATELL", "KAPOW"}) {
    table->Insert();
    table->FieldByName("GATEWAY").SetAsString(provider);
    table->Post();
  }
  EXPECT_EQ(Value(*table, "GATEWAY"), "KAPOW");
  EXPECT_EQ(table->RecNo(), 0);
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"KAPOW", "CLICKATELL"}));

  table->SetRecNo(1);
  table->Insert();
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_EQ(table->RecordCount(), 2);  // not counted before it is posted
  table->FieldByName("GATEWAY").SetAsString("MIDDLE");
  table->Post();
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"KAPOW", "MIDDLE", "CLICKATELL"}));
}

TEST(TableModel, AppendStoresAfterTheLastRecordAndCancelReturnsToIt) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"A"}, {"B"}});
  table->Append();
  EXPECT_EQ(table->RecNo(), 2);
  table->FieldByName("GATEWAY").SetAsString("C");
  table->Cancel();
  EXPECT_EQ(Value(*table, "GATEWAY"), "B");
  EXPECT_EQ(table->RecordCount(), 2);

  table->First();
  table->Append();
  table->FieldByName("GATEWAY").SetAsString("C");
  table->Post();
  EXPECT_EQ(Value(*table, "GATEWAY"), "C");
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"A", "B", "C"}));
}

TEST(TableModel, CancelDiscardsTheWorkingCopy) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"A", "alice"}, {"B", "bob"}, {"C"}});
  table->Next();
  table->Edit();
  table->FieldByName("USERNAME").SetAsString("mallory");
  EXPECT_EQ(Value(*table, "USERNAME"), "mallory");
  table->Cancel();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(Value(*table, "USERNAME"), "bob");

  table->Insert();
  table->FieldByName("GATEWAY").SetAsString("X");
  table->Cancel();
  EXPECT_EQ(Value(*table, "GATEWAY"), "B");
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_EQ(table->RecordCount(), 3);

  auto empty = MemoryTable(ConfigureGatewaysDS);
  empty->Insert();
  empty->FieldByName("GATEWAY").SetAsString("X");
  empty->Cancel();
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_TRUE(empty->Bof() && empty->Eof());
}

TEST(TableModel, DeleteMakesTheFollowingRecordCurrent) {
  const struct {
    const char* Name;
    TRows Rows;
    int Position;
    std::vector<std::string> Left;
    std::string Current;
  } cases[] = {
      {"middle", {{"A"}, {"B"}, {"C"}}, 1, {"A", "C"}, "C"},
      {"last", {{"A"}, {"B"}, {"C"}}, 2, {"A", "B"}, "B"},
      {"first", {{"A"}, {"B"}, {"C"}}, 0, {"B", "C"}, "B"},
      {"only", {{"A"}}, 0, {}, ""},
  };
  for (const auto& c : cases) {
    auto table = MemoryTable(ConfigureGatewaysDS, c.Rows);
    table->SetRecNo(c.Position);
    table->Delete();
    EXPECT_EQ(Value(*table, "GATEWAY"), c.Current) << c.Name;
    EXPECT_EQ(table->IsEmpty(), c.Left.empty()) << c.Name;
    if (c.Left.empty()) {
      EXPECT_TRUE(table->Bof() && table->Eof()) << c.Name;
    }
    EXPECT_EQ(Column(*table, "GATEWAY"), c.Left) << c.Name;
  }
}

TEST(TableModel, DeleteOfAnUnpostedRecordDiscardsItAndDeleteOnEmptyFails) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"A"}, {"B"}});
  TEventLog log;
  log.Attach(*table);
  table->Insert();
  table->FieldByName("GATEWAY").SetAsString("X");
  table->Delete();  // the new record is cancelled
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"A", "B"}));
  table->First();
  table->Edit();
  table->FieldByName("GATEWAY").SetAsString("changed");
  table->Delete();  // the edited record goes, its edit is not posted
  EXPECT_TRUE(log.Events.empty());
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"B"}));

  auto empty = MemoryTable(ConfigureGatewaysDS);
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { empty->Delete(); }),
            "GatewaysDS: Cannot perform this operation on an empty dataset");
}

TEST(TableModel, RecordNumbersAreZeroBased) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"A"}, {"B"}, {"C"}});
  EXPECT_EQ(table->RecNo(), 0);
  table->SetRecNo(2);
  EXPECT_EQ(Value(*table, "GATEWAY"), "C");
  table->Open();  // already open: nothing changes
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(table->RecordCount(), 3);
  for (const int outside : {3, -1}) {
    table->SetRecNo(outside);
    EXPECT_EQ(table->RecNo(), 2);
  }
  table->Edit();
  table->FieldByName("USERNAME").SetAsString("posted by the move");
  table->SetRecNo(0);
  EXPECT_EQ(table->State(), dsBrowse);
  table->Last();
  EXPECT_EQ(Value(*table, "USERNAME"), "posted by the move");
}

TEST(TableModel, MovesStopAtEitherEnd) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"A"}, {"B"}, {"C"}});
  EXPECT_TRUE(table->Bof());
  EXPECT_EQ(table->MoveBy(1), 1);
  EXPECT_FALSE(table->Bof());
  table->Last();
  EXPECT_TRUE(table->Eof());
  table->Prior();
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(table->MoveBy(1), 1);
  EXPECT_FALSE(table->Eof());  // on the last record, but no step past it yet
  EXPECT_EQ(table->MoveBy(1), 0);
  EXPECT_TRUE(table->Eof());
  EXPECT_EQ(Value(*table, "GATEWAY"), "C");
  EXPECT_EQ(table->MoveBy(1), 0);
  EXPECT_EQ(table->MoveBy(-5), 2);
  EXPECT_TRUE(table->Bof());
  EXPECT_EQ(Value(*table, "GATEWAY"), "A");
  EXPECT_EQ(table->MoveBy(0), 0);
  EXPECT_EQ(table->MoveBy(5), 2);
  EXPECT_TRUE(table->Eof());
}

struct TLocateCase {
  const char* Name;
  std::string Fields;
  TKeyValues Values;
  TLocateOptions Options;
  int Found;  // record number, -1 for none

  friend void PrintTo(const TLocateCase& Case, std::ostream* Out) { *Out << Case.Name; }
};

class Locate : public ::testing::TestWithParam<TLocateCase> {};

TEST_P(Locate, FindsTheFirstMatchingRecord) {
  const TLocateCase& c = GetParam();
  auto table = MemoryTable(
      ConfigureGatewaysDS,
      {{"KAPOW", "John Smith"}, {"CLICKATELL", "Joan"}, {"kapow", "jo"}, {"Caf\xE9", "x"}});
  table->Next();  // the search starts at the first record wherever the cursor is
  EXPECT_EQ(table->Locate(c.Fields, c.Values, c.Options), c.Found >= 0);
  EXPECT_EQ(table->RecNo(), c.Found >= 0 ? c.Found : 1);
}

std::string Repeated(std::string_view Name, int Times) {
  std::string names(Name);
  for (int i = 1; i < Times; ++i) {
    names += ",";
    names += Name;
  }
  return names;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Locate,
    ::testing::Values(
        TLocateCase{"Exact", "GATEWAY", "kapow", {}, 2},
        TLocateCase{"LetterCaseCountsWithoutOptions", "GATEWAY", "Kapow", {}, -1},
        TLocateCase{"CaseInsensitive", "gateway", "Kapow", {loCaseInsensitive}, 0},
        TLocateCase{"PartialKey", "USERNAME", "Jo", {loPartialKey}, 0},
        TLocateCase{"PartialKeyKeepsLetterCase", "USERNAME", "jo", {loPartialKey}, 2},
        TLocateCase{
            "PartialAndCaseInsensitive", "USERNAME", "JOA", {loPartialKey, loCaseInsensitive}, 1},
        TLocateCase{"OnlyAToZAreFolded", "GATEWAY", "CAF\xC9", {loCaseInsensitive}, -1},
        TLocateCase{"AccentedLetterExact", "GATEWAY", "caf\xE9", {loCaseInsensitive}, 3},
        TLocateCase{"KeyLongerThanValue", "USERNAME", "Joanna", {loPartialKey}, -1},
        TLocateCase{"TwoKeysByComma", "GATEWAY,USERNAME", {"kapow", "jo"}, {}, 2},
        TLocateCase{"TwoKeysBySemicolon", "GATEWAY;USERNAME", {"KAPOW", "John Smith"}, {}, 0},
        TLocateCase{"OneValueForTwoKeys", "GATEWAY,USERNAME", "KAPOW", {}, -1},
        TLocateCase{"ArrayOfOneValue", "GATEWAY", {"CLICKATELL"}, {}, 1},
        TLocateCase{"EmptyFieldNames", "", "KAPOW", {}, -1},
        TLocateCase{"EmptyFirstName", ",GATEWAY", {"x", "KAPOW"}, {}, -1},
        TLocateCase{
            "TwentyOneKeys", Repeated("GATEWAY", 21), std::vector<std::string>(21, "kapow"), {}, 2},
        TLocateCase{"TwentyTwoKeys",
                    Repeated("GATEWAY", 22),
                    std::vector<std::string>(22, "kapow"),
                    {},
                    -1},
        TLocateCase{"NoMatch", "GATEWAY", "SMS", {loCaseInsensitive, loPartialKey}, -1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(TableModel, LocateRaisesForAnUnknownFieldAndPostsAPendingEdit) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"KAPOW"}, {"CLICKATELL"}});
  EXPECT_EQ(MessageOf<EDatabaseError>([&] {
              table->Locate("GATEWAY,PHONE", {"a", "b"});
            }),
            "GatewaysDS: Field 'PHONE' not found");
  TEventLog log;
  log.Attach(*table);
  table->Edit();
  table->FieldByName("USERNAME").SetAsString("me");
  EXPECT_TRUE(table->Locate("GATEWAY", "CLICKATELL"));
  EXPECT_EQ(log.Events, (std::vector<std::string>{"BeforePost edit", "AfterPost browse"}));
  table->First();
  EXPECT_EQ(Value(*table, "USERNAME"), "me");
}

// CalcFullName as a plain composition, counting its runs.
struct TFullNameCalc {
  int Runs = 0;
  std::vector<TDataSetState> States;

  void Attach(TDataSet& Table) {
    Table.OnCalcFields = [this](TDataSet& t) {
      ++Runs;
      States.push_back(t.State());
      t.FieldByName("CalcFullName").SetAsString(Value(t, "FIRSTNAME") + " " + Value(t, "LASTNAME"));
    };
  }
};

TEST(TableModel, CalculatedFieldsFollowReadsEditsAndWrites) {
  auto table = MemoryTable(ConfigureContactsDS, {{"John", "", "Smith"}, {"Mary", "", "Jones"}});
  TFullNameCalc calc;
  calc.Attach(*table);
  table->Next();
  EXPECT_EQ(Value(*table, "CalcFullName"), "Mary Jones");
  EXPECT_EQ(calc.States, (std::vector<TDataSetState>{dsCalcFields}));
  EXPECT_EQ(table->State(), dsBrowse);

  calc.Runs = 0;
  table->Edit();
  EXPECT_EQ(calc.Runs, 1);
  table->FieldByName("LASTNAME").SetAsString("Smith");
  EXPECT_EQ(calc.Runs, 2);
  EXPECT_EQ(Value(*table, "CalcFullName"), "Mary Smith");
  table->AutoCalcFields = false;
  table->FieldByName("FIRSTNAME").SetAsString("Ann");
  EXPECT_EQ(calc.Runs, 2);
  EXPECT_EQ(Value(*table, "CalcFullName"), "Mary Smith");
  table->AutoCalcFields = true;

  table->Append();                               // posts the edit first
  EXPECT_EQ(Value(*table, "CalcFullName"), "");  // nothing computed for an untouched record
  table->FieldByName("FIRSTNAME").SetAsString("New");
  EXPECT_EQ(Value(*table, "CalcFullName"), "New ");
  table->FieldByName("LASTNAME").SetAsString("Contact");
  table->Post();
  EXPECT_EQ(Value(*table, "CalcFullName"), "New Contact");
  table->First();
  EXPECT_EQ(Value(*table, "CalcFullName"), "John Smith");
}

TEST(TableModel, BeforePostMayStillWriteFieldsAndItsErrorKeepsTheEdit) {
  auto table = MemoryTable(ConfigureContactsDS, {{"John", "", "Smith"}});
  TFullNameCalc calc;
  calc.Attach(*table);
  table->BeforePost = [](TDataSet& t) {
    t.FieldByName("FULLNAME").SetAsString(Value(t, "CalcFullName"));
  };
  table->Edit();
  table->FieldByName("LASTNAME").SetAsString("Adams");
  table->Post();
  EXPECT_EQ(Value(*table, "FULLNAME"), "John Adams");

  table->BeforePost = [](TDataSet& t) { throw EDatabaseError(t.Name, "refused"); };
  table->Edit();
  table->FieldByName("LASTNAME").SetAsString("Brown");
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->Post(); }), "ContactsDS: refused");
  EXPECT_EQ(table->State(), dsEdit);
  EXPECT_EQ(Value(*table, "LASTNAME"), "Brown");
  table->Cancel();
  EXPECT_EQ(Value(*table, "LASTNAME"), "Adams");
}

TEST(TableModel, AFailingCalculationWhileReadingNamesTheRowAndLeavesTheCursor) {
  auto table = MemoryTable(ConfigureContactsDS, {{"John"}, {"Mary"}, {"Ann"}});
  table->OnCalcFields = [](TDataSet& t) {
    if (Value(t, "FIRSTNAME") == "Mary") {
      t.FieldByName("NOSUCHFIELD");
    }
  };
  EXPECT_EQ(MessageOf<ECsvDataSetError>([&] { table->Next(); }),
            "contacts.csv: Problem reading row 1 ContactsDS: Field 'NOSUCHFIELD' not found");
  EXPECT_EQ(table->RecNo(), 0);
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(Value(*table, "FIRSTNAME"), "John");
}

}  // namespace
}  // namespace wrenly
