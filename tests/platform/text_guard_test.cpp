#include "platform/text_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <ostream>

namespace wrenly {
namespace {

// Types or pastes Input into the widget, and says what it then holds and whether it beeped.
struct Outcome {
  QString Text;
  int Beeps;
};

enum class Way { Typed, Pasted };

Outcome Enter(QWidget* Target, QLineEdit* Edit, Way How, const QString& Input) {
  int beeps = BeepCount();
  if (How == Way::Typed) {
    QTest::sendKeyEvent(QTest::Click, Target, Qt::Key_unknown, Input, Qt::NoModifier);
  } else {
    QApplication::clipboard()->setText(Input);
    QTest::keyClick(Target, Qt::Key_V, Qt::ControlModifier);
  }
  return {Edit->text(), BeepCount() - beeps};
}

struct GuardCase {
  const char* Name;
  Way How;
  QString Input;
  QString Held;
  int Beeps;
};
void PrintTo(const GuardCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class LineEditGuard : public ::testing::TestWithParam<GuardCase> {};

TEST_P(LineEditGuard, HoldsOnlyWhatTheCodePageCan) {
  QLineEdit edit;
  RestrictToCp1252(&edit);
  edit.setText(QStringLiteral("07"));
  edit.setCursorPosition(2);
  Outcome outcome = Enter(&edit, &edit, GetParam().How, GetParam().Input);
  EXPECT_EQ(outcome.Text, GetParam().Held);
  EXPECT_EQ(outcome.Beeps, GetParam().Beeps);
}

TEST_P(LineEditGuard, HoldsOnlyWhatTheCodePageCanInAnEditableCombo) {
  QComboBox combo;
  combo.setEditable(true);
  RestrictToCp1252(&combo);
  combo.setEditText(QStringLiteral("07"));
  Outcome outcome = Enter(&combo, combo.lineEdit(), GetParam().How, GetParam().Input);
  EXPECT_EQ(outcome.Text, GetParam().Held);
  EXPECT_EQ(outcome.Beeps, GetParam().Beeps);
}

INSTANTIATE_TEST_SUITE_P(
    Input, LineEditGuard,
    ::testing::Values(
        GuardCase{"TypedLatin1", Way::Typed, QStringLiteral(u"é"), QStringLiteral(u"07é"), 0},
        GuardCase{"TypedEuroSign", Way::Typed, QStringLiteral(u"€"), QStringLiteral(u"07€"), 0},
        GuardCase{"TypedOutside", Way::Typed, QStringLiteral(u"ł"), QStringLiteral(u"07"), 1},
        GuardCase{"TypedEmoji", Way::Typed, QStringLiteral(u"\U0001F600"), QStringLiteral(u"07"),
                  1},
        GuardCase{"PastedInside", Way::Pasted, QStringLiteral(u"12 “3”"),
                  QStringLiteral(u"0712 “3”"), 0},
        GuardCase{"PastedWithOneOutsideIsRefusedWhole", Way::Pasted, QStringLiteral(u"12ł3"),
                  QStringLiteral(u"07"), 1}),
    [](const ::testing::TestParamInfo<GuardCase>& Info) { return Info.param.Name; });

}  // namespace
}  // namespace wrenly
