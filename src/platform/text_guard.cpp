#include "platform/text_guard.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "platform/qt_text.h"

namespace wrenly {
namespace {

int beepCount = 0;

}  // namespace

void Beep() {
  ++beepCount;
  QApplication::beep();
}

int BeepCount() {
  return beepCount;
}

QValidator::State Cp1252Validator::validate(QString& Input, int& /*Position*/) const {
  if (IsCp1252Text(Input)) {
    return Acceptable;
  }
  // A line edit validates the text an edit would produce, so a refusal here is always the
  // user's typing, pasting or dropping: the core never hands a widget such a character.
  Beep();
  return Invalid;
}

void RestrictToCp1252(QLineEdit* Edit) {
  Edit->setValidator(new Cp1252Validator(Edit));
}

void RestrictToCp1252(QComboBox* Combo) {
  RestrictToCp1252(Combo->lineEdit());
}

}  // namespace wrenly
