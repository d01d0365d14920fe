#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "loopback_gateway.h"
#include "platform/memo.h"
#include "platform/message_box.h"
#include "temp_dir.h"

namespace wrenly {
namespace {

using testing::LoopbackGateway;
using testing::ScopedCurrentDir;
using testing::ScopedProxy;
using testing::TempDir;

const std::string kDefGwayHeader = "GATEWATY\r\n";
const std::string kGatewaysHeader = "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID\r\n";
const std::string kKapowRow = "KAPOW,kuser,kpass,,,\r\n";
const std::string kClickatellRow = "CLICKATELL,cuser,cpass,,,3456\r\n";
const std::string kBothRows = kGatewaysHeader + kKapowRow + kClickatellRow;
const std::string kClickatellUrl = "http://api.clickatell.com/http/sendmsg?";
const std::string kKapowUrl = "http://www.kapow.co.uk/scripts/sendsms.php?";
const std::string kReply = "ID: 5b1c";

// Types Text where the user would; "\n" is the Enter key.
void Type(QWidget* Control, const QString& Text) {
  for (QChar c : Text) {
    if (c == u'\n') {
      QTest::keyClick(Control, Qt::Key_Return);
    } else {
      QTest::keyClicks(Control, QString(c));
    }
  }
}

// The main window over a directory holding the two provider files, shown and so holding its
// tables open, with every request going to a loopback gateway that answers kReply. The members
// are made in the order they are needed: files, gateway, proxy, window.
struct SendFixture {
  SendFixture(const std::string& DefGway, const std::string& Gateways) {
    Dir.Write("defgway.csv", DefGway);
    Dir.Write("gateways.csv", Gateways);
    Gateway.SetReply({.Body = kReply});
    MainFrm.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&MainFrm));
    EXPECT_TRUE(MainFrm.GatewaysDS.Active());
  }

  std::vector<std::string> Requests() const {
    std::vector<std::string> targets;
    for (const auto& request : Gateway.Requests()) {
      targets.push_back(request.Target);
    }
    return targets;
  }

  // What Send added below the first line of the response box.
  std::string Replies() const {
    return MainFrm.ResponseMemo->Text().substr(std::string("Response code:").size());
  }

  TempDir Dir;
  ScopedCurrentDir Current{Dir.Path()};
  LoopbackGateway Gateway;
  ScopedProxy Proxy{Gateway.Url()};
  TMainFrm MainFrm;
};

struct SendCase {
  const char* Name;
  std::string DefGway;   // contents of defgway.csv
  std::string Gateways;  // contents of gateways.csv
  QString Number;
  QString Message;
  std::optional<QString> Error;       // what the error box shows, if one shows
  std::vector<std::string> Requests;  // the full URLs that went out
  std::string Replies;                // what the response box gained
};
void PrintTo(const SendCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class MainFrmSend : public ::testing::TestWithParam<SendCase> {};

TEST_P(MainFrmSend, ChecksTheInputsThenSendsThroughTheDefaultProvider) {
  const SendCase& c = GetParam();
  SendFixture send(c.DefGway, c.Gateways);
  Type(send.MainFrm.NumberCombo, c.Number);
  Type(send.MainFrm.MessageMemo, c.Message);
  std::vector<bool> hourglassAtBox;
  MessageBoxRecorder boxes([&](const MessageBoxRecord&) {
    hourglassAtBox.push_back(QApplication::overrideCursor() != nullptr);
  });

  QTest::mouseClick(send.MainFrm.SendBtn, Qt::LeftButton);

  std::vector<QString> shown;
  for (const MessageBoxRecord& box : boxes.Boxes()) {
    shown.push_back(box.Text);
  }
  EXPECT_EQ(shown, c.Error ? std::vector<QString>{*c.Error} : std::vector<QString>{});
  EXPECT_EQ(hourglassAtBox, std::vector<bool>(shown.size(), false));
  EXPECT_EQ(send.Requests(), c.Requests);
  EXPECT_EQ(send.Replies(), c.Replies);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // Nothing is cleared.
  EXPECT_EQ(send.MainFrm.NumberCombo->currentText(), c.Number);
  EXPECT_EQ(send.MainFrm.MessageMemo->toPlainText(), c.Message);
}

const std::string kDefaultClickatell = kDefGwayHeader + "CLICKATELL\r\n";
const std::string kDefaultKapow = kDefGwayHeader + "KAPOW\r\n";
const QString kNumber = QStringLiteral("07700900123");
const QString kHello = QStringLiteral("Hi there");
const QString kNumberError = QStringLiteral("Please enter recipient number!");

INSTANTIATE_TEST_SUITE_P(
    Outcomes, MainFrmSend,
    ::testing::Values(
        SendCase{"NumberEmpty", kDefaultClickatell, kBothRows, {}, kHello, kNumberError, {}, ""},
        SendCase{"BothEmptyNumberErrorWins",
                 kDefaultClickatell,
                 kBothRows,
                 {},
                 {},
                 kNumberError,
                 {},
                 ""},
        SendCase{"MessageEmpty",
                 kDefaultClickatell,
                 kBothRows,
                 kNumber,
                 {},
                 QStringLiteral("Please write a message."),
                 {},
                 ""},
        SendCase{
            "Clickatell",
            kDefaultClickatell,
            kBothRows,
            kNumber,
            kHello,
            {},
            {kClickatellUrl + "user=cuser&password=cpass&api_id=3456&to=07700900123&text=Hi+there"},
            "\r\n" + kReply},
        SendCase{"Kapow",
                 kDefaultKapow,
                 kBothRows,
                 kNumber,
                 kHello,
                 {},
                 {kKapowUrl + "username=kuser&password=kpass&mobile=07700900123&sms=Hi+there"},
                 "\r\n" + kReply},
        // Blanks are not trimmed; the number goes unencoded, so only the transport escapes it.
        SendCase{"BlanksGoAsTheyAre",
                 kDefaultKapow,
                 kBothRows,
                 QStringLiteral(" "),
                 QStringLiteral("  "),
                 {},
                 {kKapowUrl + "username=kuser&password=kpass&mobile=%20&sms=++"},
                 "\r\n" + kReply},
        SendCase{"LineBreaksOnlyGoAsCrLf",
                 kDefaultKapow,
                 kBothRows,
                 kNumber,
                 QStringLiteral("\n\n"),
                 {},
                 {kKapowUrl + "username=kuser&password=kpass&mobile=07700900123&sms=%0D%0A%0D%0A"},
                 "\r\n" + kReply},
        SendCase{"LowerCaseProviderSendsNothing",
                 kDefGwayHeader + "clickatell\r\n",
                 kBothRows,
                 kNumber,
                 kHello,
                 {},
                 {},
                 ""},
        SendCase{"NoDefaultProviderSendsNothing",
                 kDefGwayHeader,
                 kBothRows,
                 kNumber,
                 kHello,
                 {},
                 {},
                 ""},
        SendCase{"EmptyProviderTableSendsEmptyAccount",
                 kDefaultClickatell,
                 kGatewaysHeader,
                 kNumber,
                 kHello,
                 {},
                 {kClickatellUrl + "user=&password=&api_id=&to=07700900123&text=Hi+there"},
                 "\r\n" + kReply},
        // The current row is the other provider's; its account stays with that provider.
        SendCase{"OnlyKapowRowSendsEmptyAccountToClickatell",
                 kDefaultClickatell,
                 kGatewaysHeader + kKapowRow,
                 kNumber,
                 kHello,
                 {},
                 {kClickatellUrl + "user=&password=&api_id=&to=07700900123&text=Hi+there"},
                 "\r\n" + kReply},
        SendCase{"OnlyClickatellRowSendsEmptyAccountToKapow",
                 kDefaultKapow,
                 kGatewaysHeader + kClickatellRow,
                 kNumber,
                 kHello,
                 {},
                 {kKapowUrl + "username=&password=&mobile=07700900123&sms=Hi+there"},
                 "\r\n" + kReply}),
    [](const ::testing::TestParamInfo<SendCase>& Info) { return Info.param.Name; });

TEST(MainFrmSendTwice, MakesTwoRequestsAndAddsTwoLines) {
  SendFixture send(kDefaultClickatell, kBothRows);
  send.Gateway.QueueReply({.Body = "ID: 1"});
  send.Gateway.QueueReply({.Body = "ID: 2"});
  Type(send.MainFrm.NumberCombo, kNumber);
  Type(send.MainFrm.MessageMemo, kHello);

  QTest::mouseClick(send.MainFrm.SendBtn, Qt::LeftButton);
  QTest::mouseClick(send.MainFrm.SendBtn, Qt::LeftButton);

  const std::string url =
      kClickatellUrl + "user=cuser&password=cpass&api_id=3456&to=07700900123&text=Hi+there";
  EXPECT_EQ(send.Requests(), (std::vector<std::string>{url, url}));
  EXPECT_EQ(send.Replies(), "\r\nID: 1\r\nID: 2");
  // The account table was left on the provider's row.
  EXPECT_EQ(send.MainFrm.GatewaysDS.RecNo(), 1);
}

TEST(MainFrmSendFails, AddsAnEmptyLineAndRestoresThePointer) {
  SendFixture send(kDefaultKapow, kBothRows);
  ScopedProxy nowhere("http://127.0.0.1:" + std::to_string(testing::UnusedPort()));
  Type(send.MainFrm.NumberCombo, kNumber);
  Type(send.MainFrm.MessageMemo, kHello);

  QTest::mouseClick(send.MainFrm.SendBtn, Qt::LeftButton);

  EXPECT_EQ(send.Replies(), "\r\n");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace wrenly
