#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/memo.h"
#include "platform/program_path.h"
#include "table/db_lookup_combo_box.h"
#include "temp_dir.h"

namespace wrenly {
namespace {

QString Caption(const QWidget* Control) {
  if (auto* memo = qobject_cast<const TMemo*>(Control)) {
    return memo->toPlainText();
  }
  if (auto* combo = qobject_cast<const QComboBox*>(Control)) {
    return combo->currentText();
  }
  return Control->property("text").toString();
}

struct ControlCase {
  const char* Name;
  const char* Panel;
  QRect Geometry;  // an empty size checks the position only
  QString Caption;
};
void PrintTo(const ControlCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class MainFrmLayout : public ::testing::TestWithParam<ControlCase> {};

TEST_P(MainFrmLayout, PlacesTheControlWithItsCaption) {
  TMainFrm mainFrm;
  const ControlCase& c = GetParam();
  auto* control = mainFrm.findChild<QWidget*>(QLatin1String(c.Name));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(c.Panel));
  if (c.Geometry.size().isEmpty()) {
    EXPECT_EQ(control->pos(), c.Geometry.topLeft());
  } else {
    EXPECT_EQ(control->geometry(), c.Geometry);
  }
  EXPECT_EQ(Caption(control), c.Caption);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MainFrmLayout,
    ::testing::Values(
        ControlCase{"TopPanel", "", {0, 0, 300, 121}, {}},
        ControlCase{"MessagePanel", "", {0, 121, 300, 154}, {}},
        ControlCase{"BottomPanel", "", {0, 275, 300, 41}, {}},
        ControlCase{"ToLbl", "TopPanel", {8, 36, 0, 0}, QStringLiteral("Recipient:")},
        ControlCase{"ContactCombo", "TopPanel", {64, 32, 201, 21}, {}},
        ControlCase{"Button", "TopPanel", {268, 32, 21, 21}, {}},
        ControlCase{"NumberLbl", "TopPanel", {8, 68, 0, 0}, QStringLiteral("Number:")},
        ControlCase{"NumberCombo", "TopPanel", {64, 64, 225, 21}, {}},
        ControlCase{"SendBtn", "TopPanel", {232, 88, 57, 25}, QStringLiteral("Send >>>")},
        ControlCase{"MessageLbl", "TopPanel", {8, 104, 0, 0}, QStringLiteral("Message:")},
        ControlCase{
            "CharsLbl", "TopPanel", {72, 104, 0, 0}, QStringLiteral("Characters Left: 160")},
        ControlCase{"LogoImg", "TopPanel", {206, 4, 87, 16}, {}},
        ControlCase{"MessageMemo", "MessagePanel", {0, 0, 300, 154}, {}},
        ControlCase{
            "ResponseMemo", "BottomPanel", {0, 0, 209, 41}, QStringLiteral("Response code:")},
        ControlCase{"CloseBtn", "BottomPanel", {217, 8, 75, 25}, QStringLiteral("&Exit")}),
    [](const ::testing::TestParamInfo<ControlCase>& Info) { return Info.param.Name; });

TEST(MainFrm, IsAFixedWindowWithTheFormFontAndItsPictures) {
  TMainFrm mainFrm;
  EXPECT_EQ(mainFrm.objectName(), QStringLiteral("MainFrm"));
  EXPECT_EQ(mainFrm.windowTitle(), QStringLiteral("HARWICKDALE-Wrenly"));
  EXPECT_EQ(mainFrm.centralWidget()->size(), QSize(300, 316));
  EXPECT_EQ(mainFrm.minimumSize(), mainFrm.maximumSize());
  EXPECT_TRUE(mainFrm.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(mainFrm.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(mainFrm.font().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(mainFrm.SendBtn->font().pixelSize(), 11);
  EXPECT_EQ(mainFrm.MessageMemo->font().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(mainFrm.MessageMemo->font().pixelSize(), 16);
  EXPECT_EQ(mainFrm.MessageMemo->MaxLength(), 160);
  EXPECT_TRUE(mainFrm.LogoImg->pixmap().hasAlphaChannel());
  EXPECT_EQ(mainFrm.LogoImg->pixmap().size(), QSize(87, 16));
  EXPECT_EQ(mainFrm.Button->iconSize(), QSize(16, 16));
  EXPECT_FALSE(mainFrm.Button->icon().isNull());
  EXPECT_EQ(mainFrm.AppDir, AppDir());
}

TEST(MainFrm, TabGoesThroughTheControlsInOrderAndRoundAgain) {
  TMainFrm mainFrm;
  mainFrm.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&mainFrm));
  std::vector<QString> visited;
  for (int i = 0; i < 8; ++i) {
    visited.push_back(QApplication::focusWidget()->objectName());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited,
            (std::vector<QString>{QStringLiteral("ContactCombo"), QStringLiteral("Button"),
                                  QStringLiteral("NumberCombo"), QStringLiteral("SendBtn"),
                                  QStringLiteral("MessageMemo"), QStringLiteral("ResponseMemo"),
                                  QStringLiteral("CloseBtn"), QStringLiteral("ContactCombo")}));
}

TEST(MainFrm, MenuHoldsEveryItemUnderItsNameWithoutAccelerators) {
  TMainFrm mainFrm;
  std::vector<std::vector<QString>> menus;
  for (QAction* top : mainFrm.menuBar()->actions()) {
    std::vector<QString> entries{top->menu()->objectName() + u' ' + top->text()};
    for (QAction* item : top->menu()->actions()) {
      entries.push_back(item->objectName() + u' ' + item->text());
    }
    menus.push_back(entries);
  }
  EXPECT_EQ(menus,
            (std::vector<std::vector<QString>>{
                {QStringLiteral("AppMnu Application"), QStringLiteral("ExitMnu Exit")},
                {QStringLiteral("OptionsMnu Options"), QStringLiteral("ProviderMnu Provider Setup"),
                 QStringLiteral("MsgFmtMnu Message Editor Settings"),
                 QStringLiteral("StartUpMnu Startup Options")},
                {QStringLiteral("AboutMnu About"), QStringLiteral("EULAMnu License Agreement"),
                 QStringLiteral("AboutWrenlyMnu About Harwickdale Wrenly")}}));
}

TEST(MainFrm, StartupOptionsDoesNothing) {
  TMainFrm mainFrm;
  mainFrm.NumberCombo->setEditText(QStringLiteral("07700"));
  mainFrm.StartUpMnu->trigger();
  EXPECT_EQ(mainFrm.NumberCombo->currentText(), QStringLiteral("07700"));
  EXPECT_EQ(mainFrm.ResponseMemo->toPlainText(), QStringLiteral("Response code:"));
}

// Records the caption of a label each time it is painted.
class PaintedTexts : public QObject {
 public:
  explicit PaintedTexts(QLabel* Label) : label_(Label) { Label->installEventFilter(this); }
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == label_ && Event->type() == QEvent::Paint) {
      Texts.push_back(label_->text());
    }
    return false;
  }
  std::vector<QString> Texts;

 private:
  QLabel* label_;
};

TEST(MainFrmCounter, FirstPaintShowsTheCountNeverTheDesignCaption) {
  TMainFrm mainFrm;
  PaintedTexts painted(mainFrm.CharsLbl);
  mainFrm.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainFrm));
  QTRY_VERIFY(!painted.Texts.empty());
  EXPECT_EQ(painted.Texts.front(), QStringLiteral("Characters left: 160"));
}

struct CounterCase {
  const char* Name;
  std::function<void(TMainFrm&)> Act;
  int Left;    // the counter's number
  int Length;  // the message's length, line breaks counting two
};
void PrintTo(const CounterCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

void Keys(TMainFrm& MainFrm, const QString& Text) {
  QTest::keyClicks(MainFrm.MessageMemo, Text);
}

class MainFrmCounter : public ::testing::TestWithParam<CounterCase> {};

TEST_P(MainFrmCounter, CountsAtEachKeyReleaseButEnter) {
  TMainFrm mainFrm;
  mainFrm.show();
  GetParam().Act(mainFrm);
  EXPECT_EQ(mainFrm.CharsLbl->text(),
            QStringLiteral("Characters left: ") + QString::number(GetParam().Left));
  EXPECT_EQ(mainFrm.MessageMemo->TextLength(), GetParam().Length);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainFrmCounter,
    ::testing::Values(
        CounterCase{"AtStart", [](TMainFrm&) {}, 160, 0},
        CounterCase{"FiveLetters", [](TMainFrm& m) { Keys(m, QStringLiteral("hello")); }, 155, 5},
        CounterCase{"EnterLeavesTheCounter",
                    [](TMainFrm& m) {
                      Keys(m, QStringLiteral("ab"));
                      QTest::keyClick(m.MessageMemo, Qt::Key_Return);
                    },
                    158, 4},
        CounterCase{"LineBreakCountsTwo",
                    [](TMainFrm& m) {
                      Keys(m, QStringLiteral("ab"));
                      QTest::keyClick(m.MessageMemo, Qt::Key_Return);
                      Keys(m, QStringLiteral("c"));
                    },
                    155, 5},
        CounterCase{"TextChangedWithoutAKeyLeavesIt",
                    [](TMainFrm& m) {
                      m.MessageMemo->insertPlainText(QStringLiteral("abc"));
                      QApplication::clipboard()->setText(QStringLiteral("de"));
                      m.MessageMemo->paste();
                    },
                    160, 5},
        CounterCase{"ShiftRecounts",
                    [](TMainFrm& m) {
                      m.MessageMemo->insertPlainText(QStringLiteral("abc"));
                      QTest::keyClick(m.MessageMemo, Qt::Key_Shift);
                    },
                    157, 3},
        CounterCase{"ArrowRecounts",
                    [](TMainFrm& m) {
                      m.MessageMemo->insertPlainText(QStringLiteral("abcd"));
                      QTest::keyClick(m.MessageMemo, Qt::Key_Left);
                    },
                    156, 4},
        CounterCase{"TypingStopsAt160", [](TMainFrm& m) { Keys(m, QString(170, u'x')); }, 0, 160},
        CounterCase{"PastingIsCutAt160",
                    [](TMainFrm& m) {
                      Keys(m, QString(150, u'x'));
                      QApplication::clipboard()->setText(QString(20, u'y'));
                      QTest::keyClick(m.MessageMemo, Qt::Key_V, Qt::ControlModifier);
                    },
                    0, 160}),
    [](const ::testing::TestParamInfo<CounterCase>& Info) { return Info.param.Name; });

TEST(MainFrm, AppendsEachReplyAsANewLastLine) {
  TMainFrm mainFrm;
  mainFrm.AppendResponse("ID: 3f2a");
  mainFrm.AppendResponse("");
  mainFrm.AppendResponse("ERR: 105, Invalid Destination Address \xE9");
  EXPECT_EQ(mainFrm.ResponseMemo->Text(),
            "Response code:\r\nID: 3f2a\r\n\r\nERR: 105, Invalid Destination Address \xE9");
}

TEST(MainFrm, TheContactLookupListsTheFullNamesOfTheContactsFile) {
  testing::TempDir dir;
  dir.Write("contacts.csv",
            "FIRSTNAME,MIDDLENAME,LASTNAME,FULLNAME,MOBILE1,MOBILE2,MOBILE3\r\n"
            "John,,Smith,John Smith,0711,,\r\n"
            "Mary,Ann,Jones,Mary A . Jones,,0722,\r\n");
  testing::ScopedCurrentDir inDir(dir.Path());
  TMainFrm mainFrm;
  mainFrm.FormActivate();
  TDBLookupComboBox& lookup = *mainFrm.ContactCombo;
  lookup.DropDown();
  std::vector<std::string> rows;
  for (int row = 0; row < lookup.Logic().ListRows(); ++row) {
    rows.push_back(lookup.Logic().ListRowText(row));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"John Smith", "Mary A . Jones"}));
  QTest::keyClick(lookup.List(), Qt::Key_Down);
  QTest::keyClick(lookup.List(), Qt::Key_Return);
  EXPECT_EQ(lookup.Text(), "Mary A . Jones");
  EXPECT_EQ(mainFrm.ContactsDS.RecNo(), 1);
  mainFrm.CloseTables();
}

}  // namespace
}  // namespace wrenly
