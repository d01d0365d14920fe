#include "platform/message_box.h"

#include <gtest/gtest.h>

namespace wrenly {
namespace {

using Button = QMessageBox::StandardButton;

TEST(MessageBoxRecorder, CapturesEachBoxAndAnswersItWithoutShowingIt) {
  MessageBoxRecorder recorder;
  recorder.SetNextAnswer(QMessageBox::Ok);
  EXPECT_EQ(MessageBox(nullptr, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                       QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel),
            QMessageBox::Ok);
  EXPECT_EQ(MessageBox(nullptr, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                       QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel),
            QMessageBox::Cancel);
  ASSERT_EQ(recorder.Boxes().size(), 2u);
  const MessageBoxRecord& box = recorder.Boxes()[0];
  EXPECT_EQ(box.Title, QStringLiteral("Confirm"));
  EXPECT_EQ(box.Text, QStringLiteral("Delete record?"));
  EXPECT_EQ(box.Icon, QMessageBox::Question);
  EXPECT_EQ(box.Buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

TEST(MessageBoxRecorder, AnswersAsClosingTheBoxWouldWhenNoAnswerIsQueued) {
  struct Case {
    QMessageBox::StandardButtons Buttons;
    Button Answer;
  };
  MessageBoxRecorder recorder;
  for (Case c : {Case{QMessageBox::Ok, QMessageBox::Ok},
                 Case{QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel},
                 Case{QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
                 Case{QMessageBox::Save | QMessageBox::Discard, QMessageBox::Save}}) {
    EXPECT_EQ(MessageBox(nullptr, {}, {}, QMessageBox::NoIcon, c.Buttons), c.Answer);
  }
}

TEST(MessageBoxRecorder, TheNewestRecorderTakesTheBoxesUntilItEnds) {
  MessageBoxRecorder outer;
  {
    MessageBoxRecorder inner;
    MessageBox(nullptr, {}, QStringLiteral("inner"), QMessageBox::NoIcon, QMessageBox::Ok);
    EXPECT_EQ(inner.Boxes().size(), 1u);
  }
  MessageBox(nullptr, {}, QStringLiteral("outer"), QMessageBox::NoIcon, QMessageBox::Ok);
  ASSERT_EQ(outer.Boxes().size(), 1u);
  EXPECT_EQ(outer.Boxes()[0].Text, QStringLiteral("outer"));
}

}  // namespace
}  // namespace wrenly
