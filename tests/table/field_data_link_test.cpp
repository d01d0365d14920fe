#include "table/field_data_link.h"

#include <gtest/gtest.h>

#include <string>

#include "table/db_errors.h"
#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TRows;
using testing::Value;

// A control of one text, bound through a field link as an edit box is.
struct TFakeBox {
  TFieldDataLink Link;
  std::string Text;

  explicit TFakeBox(std::string_view Name = "UserEdit") {
    Link.ControlName = Name;
    Link.OnDataChange = [this] { Text = Link.Field() != nullptr ? Link.Field()->AsString() : ""; };
    Link.OnUpdateData = [this] { Link.Field()->SetAsString(Text); };
  }
  void Bind(TDataSource& Source, std::string_view Field) {
    Link.SetDataSource(&Source);
    Link.SetFieldName(Field);
  }
  // What typing does: the edit request first, then the text changes only if it succeeded.
  void Type(const std::string& Typed) {
    if (Link.Edit()) {
      Text += Typed;
      Link.SetModified();
    }
  }
};

struct TBound {
  std::unique_ptr<TCsvDataSet> Table;
  TDataSource Source;
  TFakeBox Box;

  explicit TBound(const TRows& Rows, std::string_view Field = "USERNAME")
      : Table(MemoryTable(ConfigureGatewaysDS, Rows)) {
    Source.SetDataSet(Table.get());
    Box.Bind(Source, Field);
  }
};

TEST(FieldDataLink, TheEditRequestEditsOnlyWhereTheTableAndTheLinkAllowIt) {
  const struct {
    const char* Name;
    TRows Rows;
    bool AutoEdit;
    bool TableReadOnly;
    bool LinkReadOnly;
    bool Closed;
    TDataSetState State;
  } cases[] = {
      {"a record in browse state", {{"KAPOW", "old"}}, true, false, false, false, dsEdit},
      {"an empty table", {}, true, false, false, false, dsInsert},
      {"AutoEdit off", {{"KAPOW", "old"}}, false, false, false, false, dsBrowse},
      {"a read-only table", {{"KAPOW", "old"}}, true, true, false, false, dsBrowse},
      {"a read-only link", {{"KAPOW", "old"}}, true, false, true, false, dsBrowse},
      {"a closed table", {{"KAPOW", "old"}}, true, false, false, true, dsInactive},
  };
  for (const auto& c : cases) {
    TBound bound(c.Rows);
    bound.Source.AutoEdit = c.AutoEdit;
    bound.Table->ReadOnly = c.TableReadOnly;
    bound.Box.Link.SetReadOnly(c.LinkReadOnly);
    if (c.Closed) {
      bound.Table->Close();
    }
    const bool editing = bound.Box.Link.Edit();
    EXPECT_EQ(bound.Table->State(), c.State) << c.Name;
    EXPECT_EQ(editing, c.State == dsEdit || c.State == dsInsert) << c.Name;
    EXPECT_EQ(bound.Box.Link.Editing(), editing) << c.Name;
  }
}

TEST(FieldDataLink, TypedTextReachesTheFieldOnlyWhenTheRecordIsUpdated) {
  TBound bound(TRows{{"CLICKATELL", "old"}, {"KAPOW", "other"}});
  bound.Box.Type("er");
  EXPECT_EQ(bound.Box.Text, "older");
  EXPECT_EQ(Value(*bound.Table, "USERNAME"), "old");
  EXPECT_TRUE(bound.Box.Link.Modified());

  bound.Box.Link.UpdateRecord();
  EXPECT_EQ(Value(*bound.Table, "USERNAME"), "older");
  EXPECT_FALSE(bound.Box.Link.Modified());

  // A post writes the pending text first, and a move posts it.
  bound.Box.Type("!");
  bound.Table->Next();
  EXPECT_EQ(bound.Box.Text, "other");
  bound.Table->First();
  EXPECT_EQ(Value(*bound.Table, "USERNAME"), "older!");
}

TEST(FieldDataLink, ShowingTheFieldAgainDiscardsTheTypedText) {
  TBound bound(TRows{{"KAPOW", "old"}});
  bound.Box.Type("x");
  bound.Box.Link.Reset();
  EXPECT_EQ(bound.Box.Text, "old");
  EXPECT_FALSE(bound.Box.Link.Modified());
  EXPECT_EQ(bound.Table->State(), dsEdit);

  // So does a cancel, which also ends the editing.
  bound.Box.Type("y");
  bound.Table->Cancel();
  EXPECT_EQ(bound.Box.Text, "old");
  EXPECT_FALSE(bound.Box.Link.Editing());
  EXPECT_FALSE(bound.Box.Link.Modified());
}

TEST(FieldDataLink, AChangeOutsideAnEditingStateIsNeverWrittenLater) {
  TBound bound(TRows{{"KAPOW", "old"}});
  bound.Box.Text = "set by the program";
  bound.Box.Link.SetModified();
  EXPECT_FALSE(bound.Box.Link.Modified());
  bound.Table->Edit();
  bound.Table->Post();
  EXPECT_EQ(Value(*bound.Table, "USERNAME"), "old");
}

TEST(FieldDataLink, ShowsNothingUntilTheTableOpensAndFollowsItsRecords) {
  auto table = MemoryTable(ConfigureGatewaysDS, {{"CLICKATELL", "first"}, {"KAPOW", "second"}});
  table->Close();
  TDataSource source;
  source.SetDataSet(table.get());
  TFakeBox box;
  box.Text = "stale";
  box.Bind(source, "USERNAME");
  EXPECT_EQ(box.Text, "");
  table->Open();  // a memory table opens empty
  table->Append();
  EXPECT_EQ(box.Text, "");
  table->FieldByName("USERNAME").SetAsString("new");
  EXPECT_EQ(box.Text, "new");
  table->Post();
  EXPECT_EQ(box.Text, "new");
}

TEST(FieldDataLink, BindsTheFieldIgnoringLetterCase) {
  auto table = MemoryTable(ConfigureContactsDS, {{"John", "Quincy", "Adams"}});
  TDataSource source;
  source.SetDataSet(table.get());
  TFakeBox box("MiddleNameEdit");
  box.Bind(source, "MiddleName");
  ASSERT_NE(box.Link.Field(), nullptr);
  EXPECT_EQ(box.Link.Field()->FieldName(), "MIDDLENAME");
  EXPECT_EQ(box.Text, "Quincy");
}

TEST(FieldDataLink, AFieldNameThatMatchesNoFieldIsAnErrorOfTheControl) {
  auto table = MemoryTable(ConfigureContactsDS);
  TDataSource source;
  source.SetDataSet(table.get());
  // Whichever of the two is set last finds out.
  TFakeBox fieldLast("MiddleNameEdit");
  fieldLast.Link.SetDataSource(&source);
  TFakeBox sourceLast("MiddleNameEdit");
  sourceLast.Link.SetFieldName("MidName");
  for (const auto& bind :
       {std::function<void()>([&] { fieldLast.Link.SetFieldName("MidName"); }),
        std::function<void()>([&] { sourceLast.Link.SetDataSource(&source); })}) {
    try {
      bind();
      ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& error) {
      EXPECT_STREQ(error.what(), "MiddleNameEdit: Field 'MidName' not found");
    }
  }
  EXPECT_EQ(fieldLast.Link.Field(), nullptr);
  EXPECT_EQ(sourceLast.Link.Field(), nullptr);
}

}  // namespace
}  // namespace wrenly
