#include "platform/memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include <ostream>
#include <string>

#include "platform/text_guard.h"

namespace wrenly {
namespace {

void Type(QWidget* Target, const QString& Text) {
  QTest::sendKeyEvent(QTest::Click, Target, Qt::Key_unknown, Text, Qt::NoModifier);
}

void Paste(QWidget* Target, const QString& Text) {
  QApplication::clipboard()->setText(Text);
  QTest::keyClick(Target, Qt::Key_V, Qt::ControlModifier);
}

TEST(Memo, HandsTheCoreCrLfLineBreaks) {
  TMemo memo;
  QTest::keyClicks(&memo, QStringLiteral("a"));
  QTest::keyClick(&memo, Qt::Key_Return);
  QTest::keyClick(&memo, Qt::Key_Return, Qt::ShiftModifier);
  Type(&memo, QStringLiteral(u"€"));
  EXPECT_EQ(memo.Text(), "a\r\n\r\n\x80");
  EXPECT_EQ(memo.TextLength(), 6);
}

TEST(Memo, KeepsTheTextItIsGivenByteForByte) {
  struct Case {
    std::string Given;
    std::string Held;
  };
  for (const Case& c :
       {Case{"", ""}, Case{"a\xA0 b ", "a\xA0 b "}, Case{"\r\n", "\r\n"},
        Case{"a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd"}, Case{"\t\x81\x9D", "\t\x81\x9D"}}) {
    TMemo memo;
    memo.SetText(c.Given);
    EXPECT_EQ(memo.Text(), c.Held) << c.Given;
  }
}

TEST(Memo, AppendsEachLineBelowTheLast) {
  TMemo memo;
  memo.SetText("Response code:");
  memo.AppendLine("ID: 1");
  memo.AppendLine("");
  memo.AppendLine("ERR: 001\r\nmore");
  EXPECT_EQ(memo.Text(), "Response code:\r\nID: 1\r\n\r\nERR: 001\r\nmore");
}

// A memo limited to 10, already holding Start with the cursor at its end, then Act.
struct LimitCase {
  const char* Name;
  std::string Start;
  void (*Act)(TMemo&);
  std::string Held;
};
void PrintTo(const LimitCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class MemoLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(MemoLimit, StopsAtMaxLengthALineBreakCountingTwo) {
  TMemo memo;
  memo.SetMaxLength(10);
  memo.SetText(GetParam().Start);
  memo.moveCursor(QTextCursor::End);
  GetParam().Act(memo);
  EXPECT_EQ(memo.Text(), GetParam().Held);
}

INSTANTIATE_TEST_SUITE_P(
    Input, MemoLimit,
    ::testing::Values(
        LimitCase{"TypingUpToTheLimit", "12345678",
                  [](TMemo& m) { QTest::keyClicks(&m, QStringLiteral("abc")); }, "12345678ab"},
        LimitCase{"TypingAtTheLimit", "1234567890",
                  [](TMemo& m) { QTest::keyClicks(&m, QStringLiteral("a")); }, "1234567890"},
        LimitCase{"EnterWithOneLeft", "123456789",
                  [](TMemo& m) { QTest::keyClick(&m, Qt::Key_Return); }, "123456789"},
        LimitCase{"EnterWithTwoLeft", "12345678",
                  [](TMemo& m) { QTest::keyClick(&m, Qt::Key_Return); }, "12345678\r\n"},
        LimitCase{"TypingOverASelectionAtTheLimit", "1234567890",
                  [](TMemo& m) {
                    QTest::keyClick(&m, Qt::Key_Left, Qt::ShiftModifier);
                    QTest::keyClicks(&m, QStringLiteral("x"));
                  },
                  "123456789x"},
        LimitCase{"PasteCutToWhatFits", "12345",
                  [](TMemo& m) { Paste(&m, QStringLiteral("abcdefgh")); }, "12345abcde"},
        LimitCase{"PasteNeverSplitsALineBreak", "1234567",
                  [](TMemo& m) { Paste(&m, QStringLiteral("ab\ncd")); }, "1234567ab"},
        LimitCase{"PasteWithCrLfCountsTwoPerBreak", "",
                  [](TMemo& m) { Paste(&m, QStringLiteral("ab\r\ncd\r\nef")); }, "ab\r\ncd\r\nef"},
        LimitCase{"ComposedTextCut", "12345678",
                  [](TMemo& m) {
                    QInputMethodEvent composed;
                    composed.setCommitString(QStringLiteral(u"éèê"));
                    QApplication::sendEvent(&m, &composed);
                  },
                  "12345678\xE9\xE8"}),
    [](const ::testing::TestParamInfo<LimitCase>& Info) { return Info.param.Name; });

TEST(Memo, RefusesCharactersOutsideTheCodePageWithABeep) {
  struct Case {
    const char* Name;
    void (*Act)(TMemo&);
  };
  for (const Case& c : {
           Case{"typed", [](TMemo& m) { Type(&m, QStringLiteral(u"ł")); }},
           Case{"pasted among good ones", [](TMemo& m) { Paste(&m, QStringLiteral(u"ok ł ok")); }},
           Case{"composed",
                [](TMemo& m) {
                  QInputMethodEvent composed;
                  composed.setCommitString(QStringLiteral(u"ł"));
                  QApplication::sendEvent(&m, &composed);
                }},
       }) {
    TMemo memo;
    memo.SetText("Hi ");
    memo.moveCursor(QTextCursor::End);
    int beeps = BeepCount();
    c.Act(memo);
    EXPECT_EQ(memo.Text(), "Hi ") << c.Name;
    EXPECT_EQ(BeepCount() - beeps, 1) << c.Name;
  }
}

TEST(Memo, ReportsEachKeyReleasedButNotTheRepeatsOfAHeldKey) {
  TMemo memo;
  QSignalSpy keyUps(&memo, &TMemo::KeyUp);
  QTest::keyClick(&memo, Qt::Key_A);
  QTest::keyClick(&memo, Qt::Key_Shift);
  QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), true);
  QApplication::sendEvent(&memo, &repeat);
  ASSERT_EQ(keyUps.size(), 2);
  EXPECT_EQ(keyUps[0][0].toInt(), Qt::Key_A);
  EXPECT_EQ(keyUps[1][0].toInt(), Qt::Key_Shift);
}

}  // namespace
}  // namespace wrenly
