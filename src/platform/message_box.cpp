#include "platform/message_box.h"

namespace wrenly {
namespace {

MessageBoxRecorder* currentRecorder = nullptr;

}  // namespace

QMessageBox::StandardButton MessageBox(QWidget* Parent, const QString& Title, const QString& Text,
                                       QMessageBox::Icon Icon,
                                       QMessageBox::StandardButtons Buttons) {
  if (currentRecorder != nullptr) {
    return currentRecorder->Answer({Parent, Title, Text, Icon, Buttons});
  }
  QMessageBox box(Icon, Title, Text, Buttons, Parent);
  box.setTextFormat(Qt::PlainText);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageBoxRecorder::MessageBoxRecorder(std::function<void(const MessageBoxRecord&)> OnBox)
    : onBox_(std::move(OnBox)), previous_(currentRecorder) {
  currentRecorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder() {
  currentRecorder = previous_;
}

void MessageBoxRecorder::SetNextAnswer(QMessageBox::StandardButton Answer) {
  answers_.push_back(Answer);
}

QMessageBox::StandardButton MessageBoxRecorder::Answer(MessageBoxRecord Box) {
  QMessageBox::StandardButtons buttons = Box.Buttons;
  boxes_.push_back(std::move(Box));
  if (onBox_) {
    onBox_(boxes_.back());
  }
  if (!answers_.empty()) {
    QMessageBox::StandardButton answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  for (QMessageBox::StandardButton closing :
       {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
    if (buttons.testFlag(closing)) {
      return closing;
    }
  }
  for (int bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
    if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit))) {
      return static_cast<QMessageBox::StandardButton>(bit);
    }
  }
  return QMessageBox::NoButton;
}

}  // namespace wrenly
