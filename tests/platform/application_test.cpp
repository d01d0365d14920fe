#include "platform/application.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <stdexcept>

#include "platform/hourglass.h"
#include "platform/message_box.h"
#include "platform/program_path.h"

namespace wrenly {
namespace {

// A handler that does some work, shows the hourglass and then fails.
struct FailingHandler {
  int* Runs;
  void operator()() const {
    ++*Runs;
    ScopedHourglass hourglass;
    throw std::runtime_error("Please write a message");
  }
};

// An object whose event handler fails unguarded, which only notify() can catch. Its event
// is a plain one: Qt's delivery of input events is not built to be unwound through.
class FailingReceiver : public QObject {
 public:
  explicit FailingReceiver(int* Runs) : runs_(Runs) {}
  bool event(QEvent* Event) override {
    if (Event->type() == QEvent::User) {
      FailingHandler{runs_}();
    }
    return QObject::event(Event);
  }

 private:
  int* runs_;
};

struct SlotOwner : QObject {
  int Runs = 0;
  void Clicked() { FailingHandler{&Runs}(); }
};

// Where the failing handler sits, and how it is reached.
enum class Route { UnguardedEvent, MemberSlot, LambdaSlot };

class ErrorBox : public ::testing::TestWithParam<Route> {};

TEST_P(ErrorBox, ShowsEveryFailureOnceAndLeavesTheWindowUsable) {
  int runs = 0;
  SlotOwner owner;
  FailingReceiver receiver(&runs);
  QPushButton button;
  if (GetParam() == Route::MemberSlot) {
    Connect(&button, &QPushButton::clicked, &owner, &SlotOwner::Clicked);
  } else if (GetParam() == Route::LambdaSlot) {
    Connect(&button, &QPushButton::clicked, &button,
            [&runs](bool /*Checked*/) { FailingHandler{&runs}(); });
  }
  std::optional<bool> hourglassWhileShown;
  MessageBoxRecorder boxes([&](const MessageBoxRecord&) {
    hourglassWhileShown = QApplication::overrideCursor() != nullptr;
  });

  for (int attempt = 0; attempt < 2; ++attempt) {
    if (GetParam() == Route::UnguardedEvent) {
      QEvent event(QEvent::User);
      QCoreApplication::sendEvent(&receiver, &event);
    } else {
      QTest::mouseClick(&button, Qt::LeftButton);
    }
  }

  EXPECT_EQ(runs + owner.Runs, 2);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  const MessageBoxRecord& box = boxes.Boxes()[1];
  EXPECT_EQ(box.Title.toStdString(), ApplicationTitle());
  EXPECT_EQ(box.Text, QStringLiteral("Please write a message."));
  EXPECT_EQ(box.Icon, QMessageBox::Critical);
  EXPECT_EQ(box.Buttons, QMessageBox::Ok);
  EXPECT_EQ(hourglassWhileShown, false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Handlers, ErrorBox,
                         ::testing::Values(Route::UnguardedEvent, Route::MemberSlot,
                                           Route::LambdaSlot),
                         [](const ::testing::TestParamInfo<Route>& Info) {
                           switch (Info.param) {
                             case Route::UnguardedEvent:
                               return "UnguardedEvent";
                             case Route::MemberSlot:
                               return "MemberSlot";
                             case Route::LambdaSlot:
                               return "LambdaSlot";
                           }
                           return "";
                         });

TEST(ErrorBox, ShowsTheMessageAsWrittenInTheCodePageAndNamesAnUnknownError) {
  MessageBoxRecorder boxes;
  RunGuarded([] { throw std::runtime_error("Caf\xE9 <b>closed</b>!"); });
  RunGuarded([] { throw 42; });
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].Text, QStringLiteral(u"Café <b>closed</b>!"));
  EXPECT_EQ(boxes.Boxes()[1].Text, QStringLiteral("Unknown error."));
}

TEST(Hourglass, ShowsUntilTheScopeEndsAndNestsWithinAnother) {
  {
    ScopedHourglass outer;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    { ScopedHourglass inner; }
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace wrenly
