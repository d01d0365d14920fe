#include "app/program.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/message_box.h"
#include "providers/provider_account.h"
#include "temp_dir.h"

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
  // Showing the main window opens the tables, and the provider setup seeds the accounts: all of
  // it must happen in a directory of the test's own.
  testing::TempDir dir;
  testing::ScopedCurrentDir inDir(dir.Path());
  TProgram program;
  program.MainFrm.show();
  QDialog* dialog = GetParam().Dialog(program);
  EXPECT_EQ(dialog->objectName(), QLatin1String(GetParam().Name));
  EXPECT_EQ(dialog->windowTitle(), GetParam().Caption);
  EXPECT_EQ(dialog->size(), GetParam().Size);
  EXPECT_EQ(dialog->minimumSize() == dialog->maximumSize(), !GetParam().Sizeable);
  EXPECT_EQ(dialog->parentWidget(), &program.MainFrm);
  EXPECT_FALSE(dialog->isVisible());

  // Closing the provider setup while no provider is chosen says so; the others close quietly.
  MessageBoxRecorder notices;
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
  EXPECT_EQ(notices.Boxes().size(), dialog == program.SmsGwayFrm.get() ? 2u : 0u);
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

const std::string kContactsHeader =
    "FIRSTNAME,MIDDLENAME,LASTNAME,FULLNAME,MOBILE1,MOBILE2,MOBILE3\r\n";
const std::string kGatewaysHeader = "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID\r\n";

// A directory holding the three table files, current for the life of the object.
class TableFiles {
 public:
  TableFiles() {
    Dir.Write("contacts.csv",
              kContactsHeader + "Ann,,Lee,Ann Lee,0770,,\r\nBob,,Day,Bob Day,0771,,\r\n");
    Dir.Write("defgway.csv", "GATEWATY\r\nKAPOW\r\n");
    Dir.Write("gateways.csv",
              kGatewaysHeader + "KAPOW,kuser,kpass,,,\r\nCLICKATELL,cuser,cpass,,,3456\r\n");
  }
  testing::TempDir Dir;
  testing::ScopedCurrentDir Current{Dir.Path()};
};

std::vector<QString> Texts(const MessageBoxRecorder& Boxes) {
  std::vector<QString> texts;
  for (const MessageBoxRecord& box : Boxes.Boxes()) {
    texts.push_back(box.Text);
  }
  return texts;
}

TEST(MainFrmTables, AreCreatedClosedBehindTheirDataSources) {
  TMainFrm mainFrm;
  for (auto [table, source] : {std::pair{&mainFrm.ContactsDS, &mainFrm.ContactsSRC},
                               std::pair{&mainFrm.GatewaysDS, &mainFrm.GatewaysSRC},
                               std::pair{&mainFrm.DefGway, &mainFrm.DefGwaySRC}}) {
    EXPECT_FALSE(table->Active()) << table->Name;
    EXPECT_EQ(source->DataSet(), table) << table->Name;
    EXPECT_TRUE(source->AutoEdit) << table->Name;
  }
}

TEST(MainFrmTables, ActivationOpensThemAndLeavesOpenOnesAsTheyAre) {
  TableFiles files;
  TMainFrm mainFrm;
  mainFrm.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&mainFrm));
  ASSERT_TRUE(mainFrm.ContactsDS.Active() && mainFrm.DefGway.Active() &&
              mainFrm.GatewaysDS.Active());
  mainFrm.ContactsDS.Next();
  mainFrm.GatewaysDS.Next();

  // Another program rewrites the files; an open table does not read them again.
  files.Dir.Write("contacts.csv", kContactsHeader + "Cy,,Fox,Cy Fox,0772,,\r\n");
  files.Dir.Write("defgway.csv", "GATEWATY\r\nCLICKATELL\r\n");
  files.Dir.Write("gateways.csv", kGatewaysHeader + "KAPOW,other,,,,\r\n");
  mainFrm.FormActivate();

  EXPECT_EQ(mainFrm.ContactsDS.RecordCount(), 2);
  EXPECT_EQ(mainFrm.ContactsDS.RecNo(), 1);
  EXPECT_EQ(mainFrm.ContactsDS.FieldByName("FIRSTNAME").AsString(), "Bob");
  EXPECT_EQ(DefaultProviderName(mainFrm.DefGway), "KAPOW");
  EXPECT_EQ(mainFrm.GatewaysDS.RecordCount(), 2);
  EXPECT_EQ(mainFrm.GatewaysDS.RecNo(), 1);
  EXPECT_EQ(mainFrm.GatewaysDS.FieldByName("USERNAME").AsString(), "cuser");
}

TEST(MainFrmTables, AFailedOpenIsShownOnceAndTriedAgainAtTheNextActivation) {
  TableFiles files;
  files.Dir.Write("defgway.csv", "GATEWATY,\r\nKAPOW\r\n");
  MessageBoxRecorder boxes;
  TMainFrm mainFrm;
  mainFrm.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&mainFrm));
  QApplication::processEvents();

  EXPECT_EQ(Texts(boxes), std::vector<QString>{QStringLiteral(
                              "defgway.csv: Error processing first line of CSV file.")});
  EXPECT_TRUE(mainFrm.ContactsDS.Active());
  EXPECT_FALSE(mainFrm.DefGway.Active());
  EXPECT_FALSE(mainFrm.GatewaysDS.Active());

  files.Dir.Write("defgway.csv", "GATEWATY\r\nKAPOW\r\n");
  mainFrm.FormActivate();
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(DefaultProviderName(mainFrm.DefGway), "KAPOW");
  EXPECT_EQ(mainFrm.GatewaysDS.RecordCount(), 2);
}

// Runs the program as main() does. Act runs once the main window is active; it ends the program.
int RunProgram(TProgram& Program, const std::function<void()>& Act) {
  QTimer::singleShot(0, &Program.MainFrm, [&] {
    if (QTest::qWaitForWindowActive(&Program.MainFrm)) {
      Act();
    } else {
      QCoreApplication::exit(2);
    }
  });
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, &giveUp, [] { QCoreApplication::exit(1); });
  giveUp.start(10'000);
  return Program.Run();
}

void Change(TDataSet& Table, std::string_view Field, std::string_view Value) {
  Table.Edit();
  Table.FieldByName(Field).SetAsString(Value);
  Table.Post();
}

struct UserEnd {
  const char* Name;
  std::function<void(TMainFrm&)> End;
};
void PrintTo(const UserEnd& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class ProgramEndTables : public ::testing::TestWithParam<UserEnd> {};

TEST_P(ProgramEndTables, WritesTheChangedTablesAndLeavesTheOthers) {
  TableFiles files;
  const std::string defGway = files.Dir.Read("defgway.csv");
  const auto defGwayTime = std::filesystem::last_write_time(files.Dir / "defgway.csv");
  TProgram program;
  TMainFrm& mainFrm = program.MainFrm;

  EXPECT_EQ(RunProgram(program,
                       [&] {
                         Change(mainFrm.ContactsDS, "FIRSTNAME", "Anna");
                         Change(mainFrm.GatewaysDS, "USERNAME", "newuser");
                         GetParam().End(mainFrm);
                       }),
            0);

  // Written before the windows go, not by the tables' destructors.
  EXPECT_FALSE(mainFrm.ContactsDS.Active() || mainFrm.DefGway.Active() ||
               mainFrm.GatewaysDS.Active());
  EXPECT_EQ(files.Dir.Read("contacts.csv"),
            kContactsHeader + "Anna,,Lee,Ann Lee,0770,,\r\nBob,,Day,Bob Day,0771,,\r\n");
  EXPECT_EQ(files.Dir.Read("gateways.csv"),
            kGatewaysHeader + "KAPOW,newuser,kpass,,,\r\nCLICKATELL,cuser,cpass,,,3456\r\n");
  EXPECT_EQ(files.Dir.Read("defgway.csv"), defGway);
  EXPECT_EQ(std::filesystem::last_write_time(files.Dir / "defgway.csv"), defGwayTime);
}

TEST_P(ProgramEndTables, ShowsAFileThatCannotBeWrittenBeforeTheProgramEnds) {
  TableFiles files;
  const std::filesystem::path gateways = std::filesystem::current_path() / "gateways.csv";
  MessageBoxRecorder boxes;
  {
    TProgram program;
    TMainFrm& mainFrm = program.MainFrm;
    RunProgram(program, [&] {
      Change(mainFrm.GatewaysDS, "USERNAME", "newuser");
      Change(mainFrm.ContactsDS, "FIRSTNAME", "Anna");
      // The file's place is taken, so it cannot be replaced.
      std::filesystem::remove(gateways);
      std::filesystem::create_directory(gateways);
      GetParam().End(mainFrm);
    });

    EXPECT_EQ(Texts(boxes), std::vector<QString>{QStringLiteral("Cannot create file \"") +
                                                 QString::fromStdString(gateways.string()) +
                                                 QStringLiteral("\". Is a directory.")});
    // The other tables were written all the same.
    EXPECT_EQ(files.Dir.Read("contacts.csv").substr(kContactsHeader.size(), 4), "Anna");
    std::filesystem::remove(gateways);
  }
  // The table kept its changes, and its destructor wrote them once the place was free again.
  EXPECT_EQ(files.Dir.Read("gateways.csv"),
            kGatewaysHeader + "KAPOW,newuser,kpass,,,\r\nCLICKATELL,cuser,cpass,,,3456\r\n");
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ProgramEndTables,
    ::testing::Values(UserEnd{"ExitButton",
                              [](TMainFrm& m) { QTest::mouseClick(m.CloseBtn, Qt::LeftButton); }},
                      UserEnd{"ExitMenu", [](TMainFrm& m) { m.ExitMnu->trigger(); }},
                      UserEnd{"CloseBox", [](TMainFrm& m) { m.close(); }}),
    [](const ::testing::TestParamInfo<UserEnd>& Info) { return Info.param.Name; });

}  // namespace
}  // namespace wrenly
