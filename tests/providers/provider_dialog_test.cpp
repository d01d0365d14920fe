#include "providers/provider_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/application.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "table/db_combo_box.h"
#include "table/db_edit.h"
#include "temp_dir.h"

namespace wrenly {
namespace {

const std::string kGatewaysHeader = "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID\r\n";
const std::string kBothAccounts =
    kGatewaysHeader + "KAPOW,kuser,kpass,,,\r\nCLICKATELL,cuser,cpass,,,3456\r\n";
const std::string kKapowDefault = "GATEWATY\r\nKAPOW\r\n";
const QString kNoProvider =
    QStringLiteral("No provider selected. Please selct provider,\r\nand create an account.");

// The dialog, counting the page changes it is told of.
class TCountingSmsGwayFrm : public TSmsGwayFrm {
 public:
  using TSmsGwayFrm::TSmsGwayFrm;
  void GWayPageCtrlChange() override {
    ++PageChanges;
    TSmsGwayFrm::GWayPageCtrlChange();
  }
  int PageChanges = 0;
};

// The main window over a directory holding the given provider files (none when empty), with
// its tables opened as its activation opens them, and the provider dialog over it. The main
// window stays hidden, so the dialog is the one window that can be active.
struct ProviderSetup {
  explicit ProviderSetup(const std::string& DefGway = {}, const std::string& Gateways = {}) {
    if (!DefGway.empty()) {
      Dir.Write("defgway.csv", DefGway);
    }
    if (!Gateways.empty()) {
      Dir.Write("gateways.csv", Gateways);
    }
    RunGuarded([this] { MainFrm.FormActivate(); });
  }

  void Show() {
    Dialog.show();
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &Dialog; }));
  }

  void ClickTab(int Index) {
    QTabBar* tabs = Dialog.GWayPageCtrl->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Index).center());
  }

  // Drops the selector's list down and clicks the entry at Index.
  void Choose(int Index) {
    Dialog.DefProvideCombo->setFocus();
    Dialog.DefProvideCombo->showPopup();
    QAbstractItemView* list = Dialog.DefProvideCombo->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(Index, 0)).center());
  }

  void Type(QWidget* Box, const QString& Text) {
    QTest::mouseClick(Box, Qt::LeftButton);
    QTest::keyClicks(Box, Text);
  }

  std::string Account(const char* Field) const {
    return MainFrm.GatewaysDS.FieldByName(Field).AsString();
  }

  // Every account record as its file line would hold it. Moves the cursor and settles an edit,
  // so it comes last.
  std::vector<std::string> Accounts() {
    std::vector<std::string> rows;
    TDataSet& table = MainFrm.GatewaysDS;
    for (table.First(); !table.Eof(); table.Next()) {
      std::string row;
      for (int i = 0; i < table.FieldCount(); ++i) {
        row += (i > 0 ? "," : "") + table.Fields(i).AsString();
      }
      rows.push_back(row);
    }
    return rows;
  }

  testing::TempDir Dir;
  testing::ScopedCurrentDir Current{Dir.Path()};
  TMainFrm MainFrm;
  TCountingSmsGwayFrm Dialog{&MainFrm};
};

TEST(SmsGwayFrmLayout, HasItsPagesAndControlsBoundToTheMainWindowsTables) {
  ProviderSetup setup;
  TSmsGwayFrm& d = setup.Dialog;
  setup.Show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("SMS Service Providers"));
  EXPECT_EQ(d.size(), QSize(343, 189));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(d.parentWidget(), &setup.MainFrm);
  EXPECT_EQ(d.GWayPageCtrl->geometry(), QRect(0, 0, 343, 148));
  EXPECT_EQ(d.BottomPanel->geometry(), QRect(0, 148, 343, 41));

  const std::vector<std::pair<QWidget*, QString>> pages = {
      {d.SelectDefaultGwayPage, QStringLiteral("CURRENT PROVIDER")},
      {d.ClickatellPage, QStringLiteral("CLICKATELL")},
      {d.KapowPage, QStringLiteral("KAPOW")}};
  ASSERT_EQ(d.GWayPageCtrl->count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(d.GWayPageCtrl->widget(i), pages[i].first) << i;
    EXPECT_EQ(d.GWayPageCtrl->tabText(i), pages[i].second) << i;
    EXPECT_EQ(d.GWayPageCtrl->tabBar()->tabRect(i).height(), 28) << i;
  }

  // Name, page, position, width (0: sized to the caption), caption.
  const struct {
    const char* Name;
    QWidget* Page;
    QPoint Position;
    int Width;
    const char* Caption;
  } controls[] = {
      {"DefGwayLbl", d.SelectDefaultGwayPage, {12, 4}, 0, "Currently the used provider is:"},
      {"DefProvideCombo", d.SelectDefaultGwayPage, {164, 4}, 151, nullptr},
      {"ImportantLbl", d.SelectDefaultGwayPage, {8, 24}, 0, "IMPORTANT:"},
      {"NoteLbl",
       d.SelectDefaultGwayPage,
       {8, 40},
       321,
       "When you create an account, you must create a HTML profile.\n"
       "The Username, Password and API_ID(Kapow) are created automatically.\n"
       "Use those details from your HTML profile to enter here into the right boxes."},
      {"CUserNameLbl", d.ClickatellPage, {8, 16}, 64, "User Name:"},
      {"CPasswordLbl", d.ClickatellPage, {8, 40}, 64, "Password:"},
      {"CApiIDLbl", d.ClickatellPage, {8, 64}, 64, "API ID:"},
      {"CUserNameEdit", d.ClickatellPage, {80, 12}, 160, nullptr},
      {"CPasswordEdit", d.ClickatellPage, {80, 36}, 160, nullptr},
      {"CApiIdEdit", d.ClickatellPage, {80, 60}, 160, nullptr},
      {"NeaAccountCLKBtn", d.ClickatellPage, {248, 8}, 75, "Create Clickatell Account"},
      {"KUserNameLbl", d.KapowPage, {8, 16}, 64, "User Name:"},
      {"KPasswordLbl", d.KapowPage, {8, 40}, 64, "Password:"},
      {"KUserNameEdit", d.KapowPage, {80, 12}, 160, nullptr},
      {"KPasswordEdit", d.KapowPage, {80, 36}, 160, nullptr},
      {"NewAccountKapBtn", d.KapowPage, {248, 8}, 75, "Create  Kapow Account"},
      {"OKBtn", d.BottomPanel, {136, 8}, 75, "OK"},
  };
  for (const auto& c : controls) {
    auto* control = d.findChild<QWidget*>(QLatin1String(c.Name));
    ASSERT_NE(control, nullptr) << c.Name;
    EXPECT_EQ(control->parentWidget(), c.Page) << c.Name;
    EXPECT_EQ(control->pos(), c.Position) << c.Name;
    if (c.Width > 0) {
      EXPECT_EQ(control->width(), c.Width) << c.Name;
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
      EXPECT_EQ(label->text(), QString::fromLatin1(c.Caption)) << c.Name;
      // Every caption fits its label.
      EXPECT_GE(label->width(), label->sizeHint().width()) << c.Name;
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      EXPECT_EQ(button->text(), QString::fromLatin1(c.Caption)) << c.Name;
    }
  }
  EXPECT_EQ(d.NoteLbl->size(), QSize(321, 65));
  EXPECT_TRUE(d.NoteLbl->wordWrap());
  EXPECT_GE(d.NoteLbl->height(), d.NoteLbl->heightForWidth(321));
  EXPECT_EQ(d.ImportantLbl->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_TRUE(d.ImportantLbl->font().bold());
  for (QPushButton* button : {d.NeaAccountCLKBtn, d.NewAccountKapBtn}) {
    EXPECT_EQ(button->size(), QSize(75, 75));
  }
  EXPECT_EQ(d.OKBtn->size(), QSize(75, 25));

  EXPECT_EQ(d.DefProvideCombo->Items(), (std::vector<std::string>{"CLICKATELL", "KAPOW"}));
  EXPECT_FALSE(d.DefProvideCombo->isEditable());
  EXPECT_EQ(d.DefProvideCombo->DataSource(), &setup.MainFrm.DefGwaySRC);
  EXPECT_EQ(d.DefProvideCombo->DataField(), "GATEWATY");
  const std::vector<std::pair<TDBEdit*, const char*>> edits = {{d.CUserNameEdit, "USERNAME"},
                                                               {d.CPasswordEdit, "PASSWORD"},
                                                               {d.CApiIdEdit, "APIID"},
                                                               {d.KUserNameEdit, "USERNAME"},
                                                               {d.KPasswordEdit, "PASSWORD"}};
  for (auto [edit, field] : edits) {
    EXPECT_EQ(edit->DataSource(), &setup.MainFrm.GatewaysSRC) << field;
    EXPECT_EQ(edit->DataField(), field) << field;
    const bool password = edit == d.CPasswordEdit || edit == d.KPasswordEdit;
    EXPECT_EQ(edit->PasswordChar(), password ? '*' : '\0') << field;
  }

  // The tab order: the tabs, then the controls of the page shown, then OK.
  const std::vector<QWidget*> tabOrder = {d.GWayPageCtrl->tabBar(),
                                          d.DefProvideCombo,
                                          d.CUserNameEdit,
                                          d.CPasswordEdit,
                                          d.CApiIdEdit,
                                          d.NeaAccountCLKBtn,
                                          d.KUserNameEdit,
                                          d.KPasswordEdit,
                                          d.NewAccountKapBtn,
                                          d.OKBtn};
  std::vector<QWidget*> chain;
  QWidget* w = d.GWayPageCtrl->tabBar();
  do {
    if (std::find(tabOrder.begin(), tabOrder.end(), w) != tabOrder.end()) {
      chain.push_back(w);
    }
    w = w->nextInFocusChain();
  } while (w != d.GWayPageCtrl->tabBar());
  EXPECT_EQ(chain, tabOrder);
}

TEST(SmsGwayFrmShow, SeedsAnEmptyAccountTableOnceAndStartsOnTheFirstPageEachTime) {
  ProviderSetup setup("GATEWATY\r\nKAPOW\r\nCLICKATELL\r\n");
  TMainFrm& m = setup.MainFrm;
  ASSERT_EQ(m.GatewaysDS.RecordCount(), 0);
  setup.Show();

  EXPECT_EQ(setup.Dialog.GWayPageCtrl->currentIndex(), 0);
  EXPECT_EQ(m.GatewaysDS.State(), dsBrowse);
  EXPECT_EQ(setup.Account("GATEWAY"), "KAPOW");
  EXPECT_EQ(m.GatewaysDS.RecNo(), 0);

  // Elsewhere, then shown again: the first page and the first default-provider record, and no
  // further records.
  setup.ClickTab(2);
  m.DefGway.Last();
  setup.Dialog.accept();
  setup.Show();
  EXPECT_EQ(setup.Dialog.GWayPageCtrl->currentIndex(), 0);
  EXPECT_EQ(m.DefGway.RecNo(), 0);
  EXPECT_EQ(setup.Dialog.DefProvideCombo->Text(), "KAPOW");
  EXPECT_EQ(setup.Accounts(), (std::vector<std::string>{"KAPOW,,,,,", "CLICKATELL,,,,,"}));
}

TEST(SmsGwayFrmShow, LeavesAnAccountTableWithRecordsAsItWas) {
  ProviderSetup setup(kKapowDefault, kBothAccounts);
  setup.MainFrm.GatewaysDS.Last();
  setup.Show();
  EXPECT_EQ(setup.MainFrm.GatewaysDS.RecNo(), 1);
  EXPECT_EQ(setup.Accounts(),
            (std::vector<std::string>{"KAPOW,kuser,kpass,,,", "CLICKATELL,cuser,cpass,,,3456"}));
}

// A table whose file failed to open stays closed: the dialog shows it empty, and neither
// showing nor choosing raises another error.
TEST(SmsGwayFrmShow, ShowsClosedTablesWithoutAnError) {
  MessageBoxRecorder boxes;
  ProviderSetup setup("GATEWATY,\r\nKAPOW\r\n");
  ASSERT_FALSE(setup.MainFrm.DefGway.Active());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  setup.Show();
  QTest::keyClick(setup.Dialog.DefProvideCombo, Qt::Key_Down);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(setup.Dialog.GWayPageCtrl->currentIndex(), 0);
  setup.Dialog.accept();
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].Text, kNoProvider);
}

TEST(SmsGwayFrmPages, TheUsersPageChangesMoveTheAccountTableAndTheProgramsDoNot) {
  ProviderSetup setup(kKapowDefault, kBothAccounts);
  TSmsGwayFrm& d = setup.Dialog;
  setup.Show();
  ASSERT_EQ(setup.Account("GATEWAY"), "KAPOW");

  const struct {
    const char* Name;
    std::function<void()> Act;
    int Page;
    const char* Account;
  } steps[] = {
      {"click CLICKATELL", [&] { setup.ClickTab(1); }, 1, "CLICKATELL"},
      {"click CURRENT PROVIDER", [&] { setup.ClickTab(0); }, 0, "CLICKATELL"},
      {"click KAPOW", [&] { setup.ClickTab(2); }, 2, "KAPOW"},
      {"Left on the tabs",
       [&] {
         d.GWayPageCtrl->tabBar()->setFocus();
         QTest::keyClick(d.GWayPageCtrl->tabBar(), Qt::Key_Left);
       },
       1, "CLICKATELL"},
  };
  for (const auto& step : steps) {
    step.Act();
    EXPECT_EQ(d.GWayPageCtrl->currentIndex(), step.Page) << step.Name;
    EXPECT_EQ(setup.Account("GATEWAY"), step.Account) << step.Name;
  }
  EXPECT_EQ(setup.Dialog.PageChanges, 4);

  // The program's own switches: to the first page on showing, to a provider's page on choosing.
  d.accept();
  setup.Show();
  setup.Choose(0);
  EXPECT_EQ(d.GWayPageCtrl->currentIndex(), 1);
  EXPECT_EQ(setup.Dialog.PageChanges, 4);
}

struct ChoiceCase {
  const char* Name;
  std::string DefGway;  // contents of defgway.csv, none when empty
  int Entry;            // the entry chosen in the selector
  std::vector<std::string> Default;
  int Page;
  TDBEdit* TSmsGwayFrm::*UserNameEdit;
};
void PrintTo(const ChoiceCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class SmsGwayFrmChoice : public ::testing::TestWithParam<ChoiceCase> {};

// The account table starts on KAPOW, as seeding leaves it. The boxes of the page shown then
// edit the chosen provider's record, whichever was current before.
TEST_P(SmsGwayFrmChoice, ShowsTheProvidersPageAndPostsTheChoice) {
  const ChoiceCase& c = GetParam();
  ProviderSetup setup(c.DefGway);
  TMainFrm& m = setup.MainFrm;
  setup.Show();
  setup.Choose(c.Entry);

  EXPECT_EQ(setup.Dialog.GWayPageCtrl->currentIndex(), c.Page);
  EXPECT_EQ(m.DefGway.State(), dsBrowse);
  EXPECT_TRUE(m.DefGway.Changed());
  EXPECT_EQ(setup.Account("GATEWAY"), setup.Dialog.DefProvideCombo->Text());
  TDBEdit* userName = setup.Dialog.*c.UserNameEdit;
  EXPECT_EQ(QApplication::focusWidget(), userName);
  QTest::keyClicks(userName, QStringLiteral("me"));
  QTest::mouseClick(setup.Dialog.OKBtn, Qt::LeftButton);
  EXPECT_EQ(setup.Dialog.result(), QDialog::Accepted);

  std::vector<std::string> defaults;
  for (m.DefGway.First(); !m.DefGway.Eof(); m.DefGway.Next()) {
    defaults.push_back(m.DefGway.FieldByName("GATEWATY").AsString());
  }
  EXPECT_EQ(defaults, c.Default);
  EXPECT_EQ(setup.Accounts(), c.Page == TSmsGwayFrm::kKapowPage
                                  ? (std::vector<std::string>{"KAPOW,me,,,,", "CLICKATELL,,,,,"})
                                  : (std::vector<std::string>{"KAPOW,,,,,", "CLICKATELL,me,,,,"}));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SmsGwayFrmChoice,
    ::testing::Values(
        ChoiceCase{"KapowOnAnEmptyTable", {}, 1, {"KAPOW"}, 2, &TSmsGwayFrm::KUserNameEdit},
        ChoiceCase{
            "ClickatellOnAnEmptyTable", {}, 0, {"CLICKATELL"}, 1, &TSmsGwayFrm::CUserNameEdit},
        ChoiceCase{"ClickatellOverKapow",
                   kKapowDefault,
                   0,
                   {"CLICKATELL"},
                   1,
                   &TSmsGwayFrm::CUserNameEdit}),
    [](const ::testing::TestParamInfo<ChoiceCase>& Info) { return Info.param.Name; });

TEST(SmsGwayFrmAccounts, WhatIsTypedOnEachPageLandsInThatProvidersRecordOnly) {
  ProviderSetup setup(kKapowDefault, kBothAccounts);
  TSmsGwayFrm& d = setup.Dialog;
  setup.Show();
  setup.ClickTab(1);
  setup.Type(d.CUserNameEdit, QStringLiteral("new"));
  setup.Type(d.CPasswordEdit, QStringLiteral("secret"));
  setup.Type(d.CApiIdEdit, QStringLiteral("77"));
  // The password box shows one "*" for each character and stores what was typed.
  EXPECT_EQ(d.CPasswordEdit->displayText(), QString(11, u'*'));
  EXPECT_EQ(d.CPasswordEdit->Text(), "cpasssecret");
  QTest::mouseClick(d.OKBtn, Qt::LeftButton);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(setup.MainFrm.GatewaysDS.State(), dsBrowse);

  setup.Show();
  setup.ClickTab(2);
  setup.Type(d.KPasswordEdit, QStringLiteral("2"));
  setup.ClickTab(1);  // posts KAPOW's password before CLICKATELL's record shows
  EXPECT_EQ(d.CUserNameEdit->Text(), "cusernew");
  QTest::mouseClick(d.OKBtn, Qt::LeftButton);

  EXPECT_EQ(setup.Accounts(),
            (std::vector<std::string>{"KAPOW,kuser,kpass2,,,",
                                      "CLICKATELL,cusernew,cpasssecret,,,345677"}));
}

struct CloseCase {
  const char* Name;
  std::string DefGway;
  std::function<void(ProviderSetup&)> Prepare;
  std::function<void(TSmsGwayFrm&)> Close;
  bool Notice;
  TDataSetState StateAfter;
  std::vector<std::string> Accounts;  // once the pending record is settled
};
void PrintTo(const CloseCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class SmsGwayFrmClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(SmsGwayFrmClose, PostsAnEditOrSaysThatNoProviderIsChosenAndClosesEitherWay) {
  const CloseCase& c = GetParam();
  ProviderSetup setup(c.DefGway, kBothAccounts);
  setup.Show();
  c.Prepare(setup);
  MessageBoxRecorder boxes;
  c.Close(setup.Dialog);

  EXPECT_FALSE(setup.Dialog.isVisible());
  if (c.Notice) {
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const MessageBoxRecord& box = boxes.Boxes()[0];
    EXPECT_EQ(box.Text, kNoProvider);
    EXPECT_EQ(box.Title, QStringLiteral("Wrenly_ui_tests"));
    EXPECT_EQ(box.Icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.Buttons, QMessageBox::Ok);
  } else {
    EXPECT_TRUE(boxes.Boxes().empty());
  }
  EXPECT_EQ(setup.MainFrm.GatewaysDS.State(), c.StateAfter);
  if (c.StateAfter != dsBrowse) {
    setup.MainFrm.GatewaysDS.Cancel();
  }
  EXPECT_EQ(setup.Accounts(), c.Accounts);
}

void TypeKapowUser(ProviderSetup& Setup) {
  Setup.ClickTab(2);
  Setup.Type(Setup.Dialog.KUserNameEdit, QStringLiteral("2"));
}
void CloseBox(TSmsGwayFrm& Dialog) {
  Dialog.close();
}
const std::vector<std::string> kUntouched = {"KAPOW,kuser,kpass,,,",
                                             "CLICKATELL,cuser,cpass,,,3456"};

INSTANTIATE_TEST_SUITE_P(
    Ways, SmsGwayFrmClose,
    ::testing::Values(
        // The box still has the focus: posting writes its text first.
        CloseCase{"CloseBoxPostsTypedText",
                  kKapowDefault,
                  TypeKapowUser,
                  CloseBox,
                  false,
                  dsBrowse,
                  {"KAPOW,kuser2,kpass,,,", "CLICKATELL,cuser,cpass,,,3456"}},
        CloseCase{
            "NothingSelectedPostsNothing", {}, TypeKapowUser, CloseBox, true, dsEdit, kUntouched},
        CloseCase{"OkWithNothingSelected",
                  {},
                  TypeKapowUser,
                  [](TSmsGwayFrm& d) { QTest::mouseClick(d.OKBtn, Qt::LeftButton); },
                  true,
                  dsEdit,
                  kUntouched},
        CloseCase{"InsertIsNotPosted", kKapowDefault,
                  [](ProviderSetup& s) {
                    s.MainFrm.GatewaysDS.Insert();
                    s.MainFrm.GatewaysDS.FieldByName("GATEWAY").SetAsString("OTHER");
                  },
                  CloseBox, false, dsInsert, kUntouched}),
    [](const ::testing::TestParamInfo<CloseCase>& Info) { return Info.param.Name; });

TEST(SmsGwayFrmSignUp, HandsTheProvidersPageToTheShellAndSaysWhenNoBrowserStarts) {
  ProviderSetup setup(kKapowDefault, kBothAccounts);
  TSmsGwayFrm& d = setup.Dialog;
  setup.Show();
  const struct {
    int Page;
    QPushButton* Button;
    QString Url;
  } buttons[] = {{1, d.NeaAccountCLKBtn, QStringLiteral("https://www.clickatell.com/sign-up/")},
                 {2, d.NewAccountKapBtn, QStringLiteral("https://www.kapow.co.uk/")}};
  for (const auto& b : buttons) {
    setup.ClickTab(b.Page);
    for (bool started : {true, false}) {
      ShellRecorder shell;
      shell.SetStarted(started);
      MessageBoxRecorder boxes;
      QTest::mouseClick(b.Button, Qt::LeftButton);
      ASSERT_EQ(shell.Requests().size(), 1u) << b.Url.toStdString();
      EXPECT_EQ(shell.Requests()[0].Target, b.Url);
      EXPECT_FALSE(shell.Requests()[0].IsFile);
      std::vector<QString> shown;
      for (const MessageBoxRecord& box : boxes.Boxes()) {
        shown.push_back(box.Text);
      }
      EXPECT_EQ(shown, started ? std::vector<QString>{}
                               : std::vector<QString>{
                                     QStringLiteral("Cannot start a web browser to open ") + b.Url +
                                     u'.'});
    }
  }
  EXPECT_EQ(setup.MainFrm.GatewaysDS.State(), dsBrowse);
  EXPECT_TRUE(d.isVisible());
}

}  // namespace
}  // namespace wrenly
