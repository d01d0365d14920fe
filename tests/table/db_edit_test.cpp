#include "table/db_edit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>

#include <stdexcept>

#include "platform/message_box.h"
#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TRows;
using testing::Value;

// A shown form with a bound edit box, which has the focus, and another box to move it to.
struct TEditForm {
  explicit TEditForm(const TRows& Rows, std::string_view Field = "USERNAME",
                     void (&Configure)(TCsvDataSet&) = ConfigureGatewaysDS)
      : Table(MemoryTable(Configure, Rows)) {
    Source.SetDataSet(Table.get());
    Edit = new TDBEdit(&Form);
    Edit->setObjectName(QStringLiteral("UserEdit"));
    Edit->SetDataSource(&Source);
    Edit->SetDataField(Field);
    Other = new QLineEdit(&Form);
    Other->move(0, 30);
    Form.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
    Edit->setFocus();
  }

  std::unique_ptr<TCsvDataSet> Table;
  TDataSource Source;
  QWidget Form;
  TDBEdit* Edit;
  QLineEdit* Other;
};

TEST(DBEdit, TypingBeginsAnEditAndTheFieldWaitsForTheFocusToLeave) {
  TEditForm form(TRows{{"KAPOW", "old"}});
  std::string atExit;
  form.Edit->OnExit = [&] { atExit = Value(*form.Table, "USERNAME"); };
  EXPECT_TRUE(form.Edit->isReadOnly());
  QTest::keyClicks(form.Edit, QStringLiteral("er"));
  EXPECT_EQ(form.Table->State(), dsEdit);
  EXPECT_FALSE(form.Edit->isReadOnly());
  EXPECT_EQ(form.Edit->Text(), "older");
  EXPECT_EQ(Value(*form.Table, "USERNAME"), "old");
  form.Other->setFocus();
  EXPECT_EQ(Value(*form.Table, "USERNAME"), "older");
  EXPECT_EQ(atExit, "older");
  form.Table->Post();
  EXPECT_TRUE(form.Edit->isReadOnly());
}

TEST(DBEdit, TypingIntoAnEmptyTableInsertsTheFirstRecordAndAPostKeepsTheText) {
  TEditForm form(TRows{});
  QTest::keyClicks(form.Edit, QStringLiteral("Ann"));
  EXPECT_EQ(form.Table->State(), dsInsert);
  form.Table->Post();  // the focus is still in the box
  EXPECT_EQ(form.Table->RecordCount(), 1);
  EXPECT_EQ(Value(*form.Table, "USERNAME"), "Ann");
  EXPECT_EQ(form.Edit->Text(), "Ann");
}

TEST(DBEdit, OnlyKeysThatChangeTheTextBeginAnEdit) {
  const struct {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    TDataSetState State;
    const char* Text;
  } cases[] = {
      {"a letter", Qt::Key_A, Qt::NoModifier, dsEdit, "olda"},
      {"Backspace", Qt::Key_Backspace, Qt::NoModifier, dsEdit, "ol"},
      {"Delete", Qt::Key_Delete, Qt::NoModifier, dsEdit, "old"},
      {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, dsEdit, "oldclip"},
      {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, dsEdit, "oldclip"},
      {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, dsEdit, "old"},
      {"Left", Qt::Key_Left, Qt::NoModifier, dsBrowse, "old"},
      {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, dsBrowse, "old"},
      {"Home", Qt::Key_Home, Qt::NoModifier, dsBrowse, "old"},
  };
  QApplication::clipboard()->setText(QStringLiteral("clip"));
  for (const auto& c : cases) {
    TEditForm form(TRows{{"KAPOW", "old"}});
    form.Edit->end(false);
    QTest::keyClick(form.Edit, c.Key, c.Modifiers);
    EXPECT_EQ(form.Table->State(), c.State) << c.Name;
    EXPECT_EQ(form.Edit->Text(), c.Text) << c.Name;
  }
}

TEST(DBEdit, TypingDoesNothingWhenTheTableWillNotEdit) {
  TEditForm form(TRows{{"KAPOW", "old"}});
  form.Source.AutoEdit = false;
  QTest::keyClicks(form.Edit, QStringLiteral("x"));
  QApplication::clipboard()->setText(QStringLiteral("clip"));
  QTest::keyClick(form.Edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(form.Table->State(), dsBrowse);
  EXPECT_EQ(form.Edit->Text(), "old");
  EXPECT_TRUE(form.Edit->isReadOnly());
}

TEST(DBEdit, EscapeShowsTheFieldAgainAndTheTableKeepsEditing) {
  TEditForm form(TRows{{"KAPOW", "old"}});
  QTest::keyClicks(form.Edit, QStringLiteral("xyz"));
  QTest::keyClick(form.Edit, Qt::Key_Escape);
  EXPECT_EQ(form.Edit->Text(), "old");
  EXPECT_EQ(form.Edit->selectedText(), QStringLiteral("old"));
  EXPECT_EQ(form.Table->State(), dsEdit);
  form.Other->setFocus();
  EXPECT_EQ(Value(*form.Table, "USERNAME"), "old");
}

TEST(DBEdit, TakesAtMostTheFieldsSizeUnlessToldOtherwise) {
  for (const auto& [maxLength, held] : {std::pair{0, 80}, std::pair{5, 5}}) {
    TEditForm form(TRows{{"KAPOW", ""}});
    form.Edit->SetMaxLength(maxLength);
    QTest::keyClicks(form.Edit, QString(85, u'a'));
    EXPECT_EQ(form.Edit->text().size(), held) << maxLength;
  }
}

TEST(DBEdit, AMixedCaseFieldNameBindsTheField) {
  TEditForm form(TRows{{"John", "Quincy", "Adams"}}, "MiddleName", ConfigureContactsDS);
  EXPECT_EQ(form.Edit->Field()->FieldName(), "MIDDLENAME");
  EXPECT_EQ(form.Edit->Text(), "Quincy");
}

TEST(DBEdit, APasswordCharMasksTheTextOnly) {
  TEditForm form(TRows{{"KAPOW", ""}}, "PASSWORD");
  form.Edit->SetPasswordChar('*');
  QTest::keyClicks(form.Edit, QStringLiteral("s3cr"));
  EXPECT_EQ(form.Edit->displayText(), QStringLiteral("****"));
  form.Other->setFocus();
  EXPECT_EQ(Value(*form.Table, "PASSWORD"), "s3cr");
}

TEST(DBEdit, TheContextMenusPasteAsksForTheEditFirst) {
  TEditForm form(TRows{{"KAPOW", "old"}});
  QApplication::clipboard()->setText(QStringLiteral("clip"));
  form.Edit->end(false);
  std::unique_ptr<QMenu> menu = form.Edit->CreateContextMenu();
  QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
  ASSERT_NE(paste, nullptr);
  ASSERT_TRUE(paste->isEnabled());
  paste->trigger();
  EXPECT_EQ(form.Table->State(), dsEdit);
  EXPECT_EQ(form.Edit->Text(), "oldclip");
}

TEST(DBEdit, AWriteThatFailsKeepsTheFocusAndTheTextAndIsShown) {
  TEditForm form(TRows{{"John"}}, "FIRSTNAME", ConfigureContactsDS);
  form.Table->OnCalcFields = [](TDataSet& Table) {
    if (Table.FieldByName("FIRSTNAME").AsString() == "Johnny") {
      throw std::runtime_error("No nicknames");
    }
  };
  bool exited = false;
  form.Edit->OnExit = [&] { exited = true; };
  QTest::keyClicks(form.Edit, QStringLiteral("ny"));
  MessageBoxRecorder boxes;
  form.Other->setFocus();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, QStringLiteral("No nicknames."));
  EXPECT_EQ(QApplication::focusWidget(), form.Edit);
  EXPECT_EQ(form.Edit->selectedText(), QStringLiteral("Johnny"));
  EXPECT_TRUE(form.Edit->DataLink().Modified());  // still to be written
  EXPECT_FALSE(exited);
}

}  // namespace
}  // namespace wrenly
