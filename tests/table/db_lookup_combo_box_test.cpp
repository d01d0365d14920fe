#include "table/db_lookup_combo_box.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

#include "manual_time.h"
#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TManualTime;
using testing::TRows;

// A shown form with a contact lookup of FULLNAME, which has the focus, over contacts of the
// given full names. The lookup's clock is the test's.
struct TLookupForm {
  explicit TLookupForm(const std::vector<std::string>& Names) {
    TRows rows;
    for (const std::string& name : Names) {
      rows.push_back({"", "", "", name});
    }
    Table = MemoryTable(ConfigureContactsDS, rows);
    Source.SetDataSet(Table.get());
    Combo = new TDBLookupComboBox(&Form);
    Combo->setObjectName(QStringLiteral("ContactCombo"));
    Combo->setGeometry(10, 10, 201, 21);
    Combo->SetTimeSource(Time);
    Combo->SetListSource(&Source);
    Combo->SetKeyField("FULLNAME");
    Combo->SetListField("FULLNAME");
    Combo->OnCloseUp = [this] { ++CloseUps; };
    Other = new QLineEdit(&Form);
    Other->move(10, 50);
    Form.resize(300, 200);
    Form.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
    Combo->setFocus();
  }

  QWidget* List() const { return Combo->List(); }
  QPoint RowCentre(int Row) const {
    const int height = Combo->List()->RowHeight();
    return {List()->width() / 2, 1 + Row * height + height / 2};
  }

  TManualTime Time;
  std::unique_ptr<TCsvDataSet> Table;
  TDataSource Source;
  QWidget Form;
  TDBLookupComboBox* Combo;
  QLineEdit* Other;
  int CloseUps = 0;
};

std::vector<std::string> Numbered(int Count) {
  std::vector<std::string> names;
  for (int i = 0; i < Count; ++i) {
    names.push_back("Contact " + std::to_string(i));
  }
  return names;
}

TEST(DBLookupComboBox, APressOpensAListOfOneRowPerRecordUpToSeven) {
  for (const auto& [records, rows] : {std::pair{3, 3}, std::pair{10, 7}}) {
    TLookupForm form(Numbered(records));
    QTest::mousePress(form.Combo, Qt::LeftButton);
    ASSERT_TRUE(form.List()->isVisible()) << records;
    EXPECT_EQ(form.List()->height(), rows * form.Combo->List()->RowHeight() + 2) << records;
    EXPECT_EQ(form.List()->width(), 201);
    EXPECT_EQ(form.List()->mapToGlobal(QPoint(0, 0)), form.Combo->mapToGlobal(QPoint(0, 21)));
    // Releasing where the press began, on the box, leaves the list open.
    QTest::mouseRelease(form.Combo, Qt::LeftButton);
    EXPECT_TRUE(form.List()->isVisible()) << records;
    EXPECT_EQ(form.CloseUps, 0);
  }
}

TEST(DBLookupComboBox, ReleasingTheButtonOnARowAcceptsIt) {
  TLookupForm form({"Adam", "John Smith", "Joan"});
  QTest::mousePress(form.Combo, Qt::LeftButton);
  QTest::mouseMove(form.List(), form.RowCentre(1));
  QTest::mouseRelease(form.List(), Qt::LeftButton, {}, form.RowCentre(2));
  EXPECT_FALSE(form.List()->isVisible());
  EXPECT_EQ(form.Combo->Text(), "Joan");
  EXPECT_EQ(form.Table->RecNo(), 2);
  EXPECT_EQ(form.CloseUps, 1);
}

TEST(DBLookupComboBox, EscapeAfterBrowsingLeavesTheCursorMovedAndTheTextAsItWas) {
  TLookupForm form({"Adam", "John Smith", "Joan"});
  form.Combo->SetKeyValue("Adam");
  QTest::keyClick(form.Combo, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(form.List()->isVisible());
  QTest::keyClick(form.List(), Qt::Key_Down);
  QTest::keyClick(form.List(), Qt::Key_Down);
  QTest::keyClick(form.List(), Qt::Key_Escape);
  EXPECT_FALSE(form.List()->isVisible());
  EXPECT_EQ(form.Table->RecNo(), 2);
  EXPECT_EQ(form.Combo->Text(), "Adam");
  EXPECT_EQ(form.CloseUps, 1);
}

TEST(DBLookupComboBox, AClickOutsideTheListOrLeavingTheBoxDismissesIt) {
  const struct {
    const char* Name;
    std::function<void(TLookupForm&)> Dismiss;
  } cases[] = {
      {"a press on the box",
       [](TLookupForm& f) {
         QTest::mousePress(f.List(), Qt::LeftButton, {},
                           f.List()->mapFromGlobal(f.Combo->mapToGlobal(QPoint(5, 5))));
       }},
      {"the focus moving on", [](TLookupForm& f) { f.Other->setFocus(); }},
  };
  for (const auto& c : cases) {
    TLookupForm form({"Adam", "John Smith"});
    form.Combo->SetKeyValue("Adam");
    form.Combo->DropDown();
    QTest::keyClick(form.List(), Qt::Key_Down);
    c.Dismiss(form);
    EXPECT_FALSE(form.List()->isVisible()) << c.Name;
    EXPECT_EQ(form.Combo->Text(), "Adam") << c.Name;
    EXPECT_EQ(form.CloseUps, 1) << c.Name;
  }
}

TEST(DBLookupComboBox, TypingQuicklySearchesOnAndAPauseStartsAgain) {
  TLookupForm form({"Adam", "John Smith", "Joan"});
  QTest::keyClicks(form.Combo, QStringLiteral("jo"));
  EXPECT_EQ(form.Combo->Text(), "John Smith");
  form.Time.Advance(2001);
  QTest::keyClicks(form.Combo, QStringLiteral("a"));
  EXPECT_EQ(form.Combo->Text(), "Adam");
  QTest::keyClick(form.Combo, Qt::Key_Down);
  EXPECT_EQ(form.Combo->Text(), "John Smith");
  EXPECT_EQ(form.CloseUps, 0);
}

TEST(DBLookupComboBox, DraggingBelowTheListScrollsItByTheTick) {
  TLookupForm form(Numbered(10));
  form.Combo->DropDown();
  QTest::mousePress(form.List(), Qt::LeftButton, {}, form.RowCentre(6));
  EXPECT_EQ(form.Table->RecNo(), 6);
  // 10 pixels below the list: a step every 50 ms.
  QTest::mouseMove(form.List(), QPoint(10, form.List()->height() + 9));
  form.Time.Advance(100);
  EXPECT_EQ(form.Table->RecNo(), 8);
  QTest::mouseRelease(form.List(), Qt::LeftButton, {}, QPoint(10, form.List()->height() + 9));
  form.Time.Advance(1000);
  EXPECT_EQ(form.Table->RecNo(), 8);
  EXPECT_FALSE(form.List()->isVisible());
  EXPECT_EQ(form.Combo->Text(), "");  // released outside: dismissed
}

}  // namespace
}  // namespace wrenly
