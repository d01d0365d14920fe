#include "table/db_access_navigator.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <stdexcept>
#include <string>

#include "manual_time.h"
#include "platform/message_box.h"
#include "table/data_link.h"
#include "table_test_support.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TManualTime;
using testing::TRows;
using testing::Value;

TRows Gateways(int Count) {
  TRows rows;
  for (int i = 0; i < Count; ++i) {
    rows.push_back({"G" + std::to_string(i)});
  }
  return rows;
}

// A shown bar over a table of Count records, its repeat timer the test's.
struct TNavigatorForm {
  explicit TNavigatorForm(int Count) : Table(MemoryTable(ConfigureGatewaysDS, Gateways(Count))) {
    Source.SetDataSet(Table.get());
    Bar = new TDBAccessNavigator(&Form);
    Bar->setObjectName(QStringLiteral("DBAccessNavigator1"));
    Bar->SetTimeSource(Time);
    Bar->SetDataSource(&Source);
    Form.resize(300, 60);
    Form.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
  }

  QWidget* Control(TNavigateBtn Button) const { return Bar->Control(Button); }
  void Click(TNavigateBtn Button) const { QTest::mouseClick(Control(Button), Qt::LeftButton); }
  QString Number() const { return static_cast<QLineEdit*>(Control(nbRecNo))->text(); }
  QString Count() const { return static_cast<QLineEdit*>(Control(nbRecordCount))->text(); }
  // The enabled controls, by member name.
  std::string Enabled() const {
    std::string names;
    for (int i = 0; i < kNavigateBtnCount; ++i) {
      QWidget* control = Control(static_cast<TNavigateBtn>(i));
      if (control->isEnabled()) {
        names += (names.empty() ? "" : " ") + control->objectName().toStdString();
      }
    }
    return names;
  }

  TManualTime Time;
  std::unique_ptr<TCsvDataSet> Table;
  TDataSource Source;
  QWidget Form;
  TDBAccessNavigator* Bar;
};

TEST(DBAccessNavigator, LaysOutItsNineControlsTouchingLeftToRight) {
  TNavigatorForm form(3);
  const struct {
    TNavigateBtn Button;
    const char* Name;
    QRect Geometry;
  } controls[] = {
      {nbFirst, "nbFirst", {0, 0, 20, 21}},     {nbPrior, "nbPrior", {20, 0, 20, 21}},
      {nbRecNo, "nbRecNo", {40, 0, 60, 21}},    {nbRecordCount, "nbRecordCount", {120, 0, 60, 21}},
      {nbNext, "nbNext", {180, 0, 20, 21}},     {nbLast, "nbLast", {200, 0, 20, 21}},
      {nbNew, "nbNew", {220, 0, 20, 21}},       {nbInsert, "nbInsert", {240, 0, 20, 21}},
      {nbDelete, "nbDelete", {260, 0, 20, 21}},
  };
  for (const auto& c : controls) {
    QWidget* control = form.Control(c.Button);
    EXPECT_EQ(control->objectName().toStdString(), c.Name);
    EXPECT_EQ(control->geometry(), c.Geometry) << c.Name;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      EXPECT_TRUE(button->text().isEmpty()) << c.Name;
      EXPECT_EQ(button->icon().pixmap(16, 16).size(), QSize(16, 16)) << c.Name;
      EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << c.Name;
    }
  }
  EXPECT_EQ(form.Bar->OfLabel()->text(), QStringLiteral(" of "));
  EXPECT_EQ(form.Bar->OfLabel()->geometry(), QRect(100, 0, 20, 21));
  EXPECT_EQ(form.Bar->OfLabel()->alignment(), Qt::AlignCenter);
  EXPECT_TRUE(static_cast<QLineEdit*>(form.Control(nbRecordCount))->isReadOnly());
  EXPECT_EQ(form.Bar->sizeHint(), QSize(280, 21));
  EXPECT_EQ(form.Bar->focusPolicy(), Qt::NoFocus);
}

TEST(DBAccessNavigator, FollowsTheEndsOfTheTableWithZeroBasedNumbers) {
  TNavigatorForm form(3);
  form.Click(nbLast);
  EXPECT_EQ(form.Enabled(), "nbFirst nbPrior nbRecNo nbRecordCount nbNew nbInsert nbDelete");
  EXPECT_EQ(form.Number(), QStringLiteral("2"));
  EXPECT_EQ(form.Count(), QStringLiteral("3"));
  form.Click(nbFirst);
  EXPECT_EQ(form.Enabled(), "nbRecNo nbRecordCount nbNext nbLast nbNew nbInsert nbDelete");
  EXPECT_EQ(form.Number(), QStringLiteral("0"));
  EXPECT_EQ(form.Count(), QStringLiteral("3"));
}

TEST(DBAccessNavigator, OnAnEmptyTableOnlyNewAndInsertAct) {
  TNavigatorForm form(0);
  EXPECT_EQ(form.Enabled(), "nbRecordCount nbNew nbInsert");
  EXPECT_EQ(form.Count(), QStringLiteral("0"));
}

TEST(DBAccessNavigator, EverythingIsDisabledUntilTheTableOpens) {
  TNavigatorForm form(3);
  form.Table->Close();
  EXPECT_EQ(form.Enabled(), "");
  form.Table->Open();
  EXPECT_EQ(form.Enabled(), "nbRecordCount nbNew nbInsert");
  form.Bar->SetDataSource(nullptr);
  EXPECT_EQ(form.Enabled(), "");
}

TEST(DBAccessNavigator, DeleteAsksFirstAndCancelKeepsTheRecord) {
  for (const auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
    TNavigatorForm form(3);
    form.Click(nbNext);
    MessageBoxRecorder boxes;
    boxes.SetNextAnswer(answer);
    form.Click(nbDelete);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Title, QStringLiteral("Confirm"));
    EXPECT_EQ(boxes.Boxes()[0].Text, QStringLiteral("Delete record?"));
    EXPECT_EQ(boxes.Boxes()[0].Icon, QMessageBox::Question);
    EXPECT_EQ(boxes.Boxes()[0].Buttons, QMessageBox::Ok | QMessageBox::Cancel);
    const bool deleted = answer == QMessageBox::Ok;
    EXPECT_EQ(form.Table->RecordCount(), deleted ? 2 : 3);
    EXPECT_EQ(Value(*form.Table, "GATEWAY"), deleted ? "G2" : "G1");
    EXPECT_EQ(form.Count().toInt(), form.Table->RecordCount());
  }
}

TEST(DBAccessNavigator, NewThenPriorDiscardsTheUntouchedRecord) {
  TNavigatorForm form(3);
  form.Click(nbNew);
  EXPECT_EQ(form.Table->State(), dsInsert);
  EXPECT_EQ(form.Number(), QStringLiteral("3"));
  form.Click(nbPrior);
  EXPECT_EQ(form.Table->State(), dsBrowse);
  EXPECT_EQ(form.Table->RecordCount(), 3);
  EXPECT_EQ(form.Count(), QStringLiteral("3"));
}

TEST(DBAccessNavigator, AFailingActionIsSwallowed) {
  TNavigatorForm form(3);
  form.Table->BeforePost = [](TDataSet&) { throw std::runtime_error("refused"); };
  form.Table->Edit();
  form.Table->FieldByName("USERNAME").SetAsString("me");
  form.Click(nbNext);  // must post first, and cannot; the test's main fails on any box
  EXPECT_EQ(form.Table->State(), dsEdit);
  EXPECT_EQ(form.Table->RecNo(), 0);
  EXPECT_EQ(form.Number(), QStringLiteral("0"));
}

TEST(DBAccessNavigator, TheNumberBoxGoesOnlyToExistingRecords) {
  const struct {
    const char* Typed;
    int RecNo;
    const char* Shown;
  } cases[] = {{"2", 2, "2"}, {"0", 0, "0"}, {"3", 1, "1"}, {"-1", 1, "1"}, {"two", 1, "two"}};
  for (const auto& c : cases) {
    TNavigatorForm form(3);
    form.Click(nbNext);
    auto* box = static_cast<QLineEdit*>(form.Control(nbRecNo));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::fromLatin1(c.Typed));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(form.Table->RecNo(), c.RecNo) << c.Typed;
    EXPECT_EQ(form.Number().toStdString(), c.Shown) << c.Typed;
  }
}

TEST(DBAccessNavigator, PriorAndNextRepeatWhileHeld) {
  TNavigatorForm form(10);
  QWidget* next = form.Control(nbNext);
  QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_EQ(form.Table->RecNo(), 1);
  QTest::mousePress(next, Qt::LeftButton);
  form.Time.Advance(399);
  EXPECT_EQ(form.Table->RecNo(), 1);
  form.Time.Advance(1);
  EXPECT_EQ(form.Table->RecNo(), 2);
  form.Time.Advance(300);
  EXPECT_EQ(form.Table->RecNo(), 5);
  QTest::mouseRelease(next, Qt::LeftButton);  // the release after repeats adds no step
  form.Time.Advance(1000);
  EXPECT_EQ(form.Table->RecNo(), 5);
}

}  // namespace
}  // namespace wrenly
