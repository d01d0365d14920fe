#include "app/program.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "platform/message_box.h"

namespace wrenly {
namespace {

struct DialogCase {
  const char* Name;
  QDialog* (*Dialog)(TProgram&);
  QString Caption;
  QSize Size;
  bool Sizeable;
  void (*Command)(TMainFrm&);
};
void PrintTo(const DialogCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class ProgramDialogs : public ::testing::TestWithParam<DialogCase> {};

TEST_P(ProgramDialogs, EachIsCreatedHiddenAndShownModallyByItsCommand) {
  TProgram program;
  program.MainFrm.show();
  QDialog* dialog = GetParam().Dialog(program);
  EXPECT_EQ(dialog->objectName(), QLatin1String(GetParam().Name));
  EXPECT_EQ(dialog->windowTitle(), GetParam().Caption);
  EXPECT_EQ(dialog->size(), GetParam().Size);
  EXPECT_EQ(dialog->minimumSize() == dialog->maximumSize(), !GetParam().Sizeable);
  EXPECT_EQ(dialog->parentWidget(), &program.MainFrm);
  EXPECT_FALSE(dialog->isVisible());

  std::vector<QWidget*> shownModally;
  auto closeIt = [&] {
    shownModally.push_back(QApplication::activeModalWidget());
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      modal->reject();
    }
  };
  for (int showing = 0; showing < 2; ++showing) {
    QTimer::singleShot(0, dialog, closeIt);
    GetParam().Command(program.MainFrm);
  }
  EXPECT_EQ(shownModally, (std::vector<QWidget*>{dialog, dialog}));
  EXPECT_FALSE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ProgramDialogs,
    ::testing::Values(DialogCase{"ContactsFrm",
                                 [](TProgram& p) -> QDialog* { return p.ContactsFrm.get(); },
                                 QStringLiteral("ContactsFrm"),
                                 {316, 330},
                                 true,
                                 [](TMainFrm& m) { QTest::mouseClick(m.Button, Qt::LeftButton); }},
                      DialogCase{"SmsGwayFrm",
                                 [](TProgram& p) -> QDialog* { return p.SmsGwayFrm.get(); },
                                 QStringLiteral("SMS Service Providers"),
                                 {343, 189},
                                 false,
                                 [](TMainFrm& m) { m.ProviderMnu->trigger(); }},
                      DialogCase{"MsgSettingsFrm",
                                 [](TProgram& p) -> QDialog* { return p.MsgSettingsFrm.get(); },
                                 QStringLiteral("Message Editor Settings"),
                                 {329, 124},
                                 false,
                                 [](TMainFrm& m) { m.MsgFmtMnu->trigger(); }},
                      DialogCase{"AboutFrm",
                                 [](TProgram& p) -> QDialog* { return p.AboutFrm.get(); },
                                 QStringLiteral("About HARWICKDALE-Wrenly"),
                                 {343, 227},
                                 false,
                                 [](TMainFrm& m) { m.AboutWrenlyMnu->trigger(); }}),
    [](const ::testing::TestParamInfo<DialogCase>& Info) { return Info.param.Name; });

// A main window that counts its two hooks.
class CountingMainFrm : public TMainFrm {
 public:
  void FormActivate() override {
    ++Activations;
    TMainFrm::FormActivate();
  }
  void FormClose() override {
    ++Closes;
    TMainFrm::FormClose();
  }
  int Activations = 0;
  int Closes = 0;
};

// The program's five windows around the counting main window.
struct CountingProgram {
  CountingProgram() {
    MainFrm.SetDialogs({&ContactsFrm, nullptr, nullptr, nullptr});
    MainFrm.show();
  }
  ~CountingProgram() { MainFrm.SetDialogs({}); }
  CountingMainFrm MainFrm;
  TContactsFrm ContactsFrm{&MainFrm};
};

TEST(MainFrmActivate, RunsWhenTheWindowBecomesTheCurrentFormAgainOnly) {
  CountingProgram program;
  ASSERT_TRUE(QTest::qWaitForWindowActive(&program.MainFrm));
  EXPECT_EQ(program.MainFrm.Activations, 1);

  // A message box over the window, such as the error box that FormActivate itself may raise,
  // does not make it run again when it closes.
  {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Wrenly"), QStringLiteral("Error."),
                    QMessageBox::Ok, &program.MainFrm);
    box.show();
    box.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &box);
  }
  program.MainFrm.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&program.MainFrm));
  EXPECT_EQ(program.MainFrm.Activations, 1);

  // Closing a dialog of the program hands the window back, and it runs.
  QTimer::singleShot(0, &program.ContactsFrm, [&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&program.ContactsFrm));
    program.ContactsFrm.reject();
  });
  program.MainFrm.ButtonClick();
  program.MainFrm.activateWindow();
  QTRY_COMPARE(program.MainFrm.Activations, 2);
}

TEST(MainFrmActivate, AFailureIsShownOnceAndTheWindowStaysUsable) {
  class FailingMainFrm : public TMainFrm {
   public:
    void FormActivate() override {
      ++Runs;
      throw std::runtime_error("Cannot open file contacts.csv");
    }
    int Runs = 0;
  };
  MessageBoxRecorder boxes;
  FailingMainFrm mainFrm;
  mainFrm.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&mainFrm));
  QTest::keyClicks(mainFrm.NumberCombo, QStringLiteral("07"));

  EXPECT_EQ(mainFrm.Runs, 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, QStringLiteral("Cannot open file contacts.csv."));
  EXPECT_EQ(mainFrm.NumberCombo->currentText(), QStringLiteral("07"));
}

struct EndCase {
  const char* Name;
  std::function<void(TMainFrm&)> End;
  int Closes;
};
void PrintTo(const EndCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class ProgramEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(ProgramEnd, ExitEndsWithoutClosingTheWindowWhileTheCloseBoxRunsFormClose) {
  CountingProgram program;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.MainFrm));
  QTimer::singleShot(0, &program.MainFrm, [&] { GetParam().End(program.MainFrm); });
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, &giveUp, [] { QCoreApplication::exit(1); });
  giveUp.start(10'000);

  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_EQ(program.MainFrm.Closes, GetParam().Closes);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ProgramEnd,
    ::testing::Values(EndCase{"ExitButton",
                              [](TMainFrm& m) { QTest::mouseClick(m.CloseBtn, Qt::LeftButton); },
                              0},
                      EndCase{"ExitMenu", [](TMainFrm& m) { m.ExitMnu->trigger(); }, 0},
                      EndCase{"CloseBox", [](TMainFrm& m) { m.close(); }, 1},
                      // Why Exit uses exit(): Qt's quit() closes every window first, and so would
                      // run FormClose.
                      EndCase{"QtQuitWouldClose", [](TMainFrm&) { QCoreApplication::quit(); }, 1}),
    [](const ::testing::TestParamInfo<EndCase>& Info) { return Info.param.Name; });

}  // namespace
}  // namespace wrenly
