#pragma once

#include <QValidator>

class QComboBox;
class QLineEdit;

// Keeps the text inputs within what the program can store and send: a character the code page
// cannot hold is refused where it is typed, pasted, dropped or composed, with a beep, so what
// the user sees is always what is stored or sent. A paste or drop that holds any such character
// is refused whole rather than filtered, so a message never silently loses a character the
// user put in it. Multi-line inputs get the same rule from TMemo.
namespace wrenly {

// Sounds the system beep. BeepCount() counts every beep of the run, so tests can see one.
void Beep();
int BeepCount();

// Accepts text only when every character has a byte in the code page; beeps on a refusal.
class Cp1252Validator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& Input, int& Position) const override;
};

// The single call that puts a line edit (or an editable combo box's edit) under the rule.
void RestrictToCp1252(QLineEdit* Edit);
void RestrictToCp1252(QComboBox* Combo);

}  // namespace wrenly
