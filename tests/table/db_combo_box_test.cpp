#include "table/db_combo_box.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TRows;
using testing::Value;

// A shown form with the default-provider selector, which has the focus, and a box to move the
// focus to. What the selector's events saw is written down.
struct TComboForm {
  explicit TComboForm(const TRows& Rows) : Table(MemoryTable(ConfigureDefGway, Rows)) {
    Source.SetDataSet(Table.get());
    Combo = new TDBComboBox(&Form);
    Combo->setObjectName(QStringLiteral("DefProvideCombo"));
    Combo->SetItems({"CLICKATELL", "KAPOW"});
    Combo->SetDataSource(&Source);
    Combo->SetDataField("GATEWATY");
    Combo->OnClick = [this] { Seen.push_back("click " + StateSeen()); };
    Combo->OnChange = [this] { Seen.push_back("change " + StateSeen()); };
    Combo->OnExit = [this] { Seen.push_back("exit, field " + Value(*Table, "GATEWATY")); };
    Other = new QLineEdit(&Form);
    Other->move(0, 30);
    Form.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
    Combo->setFocus();
  }

  std::string StateSeen() const {
    const char* names[] = {"inactive", "browse", "edit", "insert", "setkey", "calc"};
    return std::string(names[Table->State()]) + ", field " + Value(*Table, "GATEWATY");
  }

  // Drops the list down and clicks the entry at Index.
  void ClickEntry(int Index) {
    Combo->showPopup();
    QAbstractItemView* view = Combo->view();
    const QRect entry = view->visualRect(view->model()->index(Index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
  }

  std::unique_ptr<TCsvDataSet> Table;
  TDataSource Source;
  QWidget Form;
  TDBComboBox* Combo;
  QLineEdit* Other;
  std::vector<std::string> Seen;
};

TEST(DBComboBox, SelectsTheEntryEqualToTheFieldIgnoringLetterCase) {
  const struct {
    const char* Field;
    int Index;
    const char* Shown;
  } cases[] = {
      {"kapow", 1, "KAPOW"}, {"CLICKATELL", 0, "CLICKATELL"}, {"SMS", -1, ""}, {"", -1, ""}};
  for (const auto& c : cases) {
    TComboForm form(TRows{{c.Field}});
    EXPECT_EQ(form.Combo->currentIndex(), c.Index) << c.Field;
    EXPECT_EQ(form.Combo->Text(), c.Shown) << c.Field;
    EXPECT_EQ(form.Combo->currentText().toStdString(), c.Shown) << c.Field;
  }
}

TEST(DBComboBox, ChoosingAnEntryEditsBeforeTheEventsAndWritesWhenTheFocusLeaves) {
  const struct {
    const char* Name;
    TRows Rows;
    std::function<void(TComboForm&)> Choose;
    const char* State;
  } cases[] = {
      {"Down",
       {{"CLICKATELL"}},
       [](TComboForm& f) { QTest::keyClick(f.Combo, Qt::Key_Down); },
       "edit, field CLICKATELL"},
      {"a click in the list",
       {{"CLICKATELL"}},
       [](TComboForm& f) { f.ClickEntry(1); },
       "edit, field CLICKATELL"},
      {"an empty table", {}, [](TComboForm& f) { f.ClickEntry(1); }, "insert, field "},
  };
  for (const auto& c : cases) {
    TComboForm form(c.Rows);
    c.Choose(form);
    EXPECT_EQ(form.Combo->Text(), "KAPOW") << c.Name;
    form.Other->setFocus();
    EXPECT_EQ(form.Seen,
              (std::vector<std::string>{std::string("click ") + c.State,
                                        std::string("change ") + c.State, "exit, field KAPOW"}))
        << c.Name;
  }
}

TEST(DBComboBox, AChoiceIsRefusedWhenTheTableWillNotEdit) {
  TComboForm form(TRows{{"CLICKATELL"}});
  form.Source.AutoEdit = false;
  QTest::keyClick(form.Combo, Qt::Key_Down);
  EXPECT_EQ(form.Combo->Text(), "CLICKATELL");
  form.ClickEntry(1);
  EXPECT_EQ(form.Combo->Text(), "CLICKATELL");
  EXPECT_FALSE(form.Combo->view()->isVisible());
  form.Other->setFocus();
  EXPECT_EQ(form.Seen, (std::vector<std::string>{"exit, field CLICKATELL"}));
  EXPECT_EQ(form.Table->State(), dsBrowse);
}

TEST(DBComboBox, EscapeShowsTheFieldAgain) {
  TComboForm form(TRows{{"CLICKATELL"}});
  QTest::keyClick(form.Combo, Qt::Key_Down);
  QTest::keyClick(form.Combo, Qt::Key_Escape);
  EXPECT_EQ(form.Combo->Text(), "CLICKATELL");
  form.Other->setFocus();
  EXPECT_EQ(Value(*form.Table, "GATEWATY"), "CLICKATELL");
}

// The provider dialog's way: the change moves the focus on, whose exit posts the table. Leaving
// the selector again later writes nothing more and raises nothing.
TEST(DBComboBox, AChoicePostedWhileItIsHandledIsNotWrittenAgain) {
  TComboForm form(TRows{});
  form.Combo->OnChange = [&] { form.Other->setFocus(); };
  form.Combo->OnExit = [&] {
    if (form.Table->State() != dsBrowse) {
      form.Table->Post();
    }
  };
  form.ClickEntry(1);
  EXPECT_EQ(form.Table->State(), dsBrowse);
  EXPECT_EQ(Value(*form.Table, "GATEWATY"), "KAPOW");
  form.Combo->setFocus();
  form.Other->setFocus();  // the test's main fails on an error box
  EXPECT_EQ(form.Table->State(), dsBrowse);
  EXPECT_EQ(form.Table->RecordCount(), 1);
}

}  // namespace
}  // namespace wrenly
