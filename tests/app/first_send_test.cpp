#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "loopback_gateway.h"
#include "platform/memo.h"
#include "table/db_combo_box.h"
#include "temp_dir.h"

namespace wrenly {
namespace {

using testing::LoopbackGateway;
using testing::ScopedCurrentDir;
using testing::ScopedProxy;
using testing::TempDir;

// What a new user does in the provider dialog: Tab from the tabs to the selector, Down to
// choose CLICKATELL, type the account into the page that shows, a Tab between boxes, and OK.
void SetUpClickatell(TSmsGwayFrm& Dialog) {
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Dialog; }));
  ASSERT_EQ(QApplication::focusWidget(), Dialog.GWayPageCtrl->tabBar());
  QTest::keyClick(Dialog.GWayPageCtrl->tabBar(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), Dialog.DefProvideCombo);
  QTest::keyClick(Dialog.DefProvideCombo, Qt::Key_Down);
  for (const char* text : {"myuser", "\t", "secret", "\t", "3456789"}) {
    QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text));
  }
  QTest::mouseClick(Dialog.OKBtn, Qt::LeftButton);
}

TEST(FirstSend, FromNoFilesTheProviderSetUpInTheDialogSendsAndIsKeptInBothFiles) {
  TempDir dir;
  ScopedCurrentDir current(dir.Path());
  LoopbackGateway gateway;
  gateway.SetReply({.Body = "ID: 5b1c"});
  ScopedProxy proxy(gateway.Url());
  TProgram program;
  TMainFrm& mainFrm = program.MainFrm;

  QTimer::singleShot(0, &mainFrm, [&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainFrm));
    QTimer::singleShot(0, program.SmsGwayFrm.get(), [&] { SetUpClickatell(*program.SmsGwayFrm); });
    mainFrm.ProviderMnu->trigger();
    EXPECT_FALSE(program.SmsGwayFrm->isVisible());
    QTest::keyClicks(mainFrm.NumberCombo, QStringLiteral("447700900123"));
    QTest::keyClicks(mainFrm.MessageMemo, QStringLiteral("Hello world"));
    QTest::mouseClick(mainFrm.SendBtn, Qt::LeftButton);
    QTest::mouseClick(mainFrm.CloseBtn, Qt::LeftButton);
  });
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, &giveUp, [] { QCoreApplication::exit(1); });
  giveUp.start(20'000);
  ASSERT_EQ(program.Run(), 0);

  std::vector<std::string> targets;
  for (const auto& request : gateway.Requests()) {
    targets.push_back(request.Target);
  }
  EXPECT_EQ(targets, std::vector<std::string>{
                         "http://api.clickatell.com/http/sendmsg?user=myuser&password=secret"
                         "&api_id=3456789&to=447700900123&text=Hello+world"});
  EXPECT_EQ(mainFrm.ResponseMemo->Text(), "Response code:\r\nID: 5b1c");
  EXPECT_EQ(dir.Read("defgway.csv"), "GATEWATY\r\nCLICKATELL\r\n");
  EXPECT_EQ(dir.Read("gateways.csv"),
            "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID\r\n"
            "KAPOW,,,,,\r\n"
            "CLICKATELL,myuser,secret,,,3456789\r\n");
  // It holds a password.
  using std::filesystem::perms;
  EXPECT_EQ(std::filesystem::status(dir / "gateways.csv").permissions() &
                (perms::group_all | perms::others_all),
            perms::none);
}

}  // namespace
}  // namespace wrenly
