#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

// Every message box of the program goes through MessageBox(): the error box, confirmations and
// plain notices. Tests put a MessageBoxRecorder in place, which captures each box and answers it
// without showing anything, so no test ever waits on a modal box.
namespace wrenly {

// Shows a modal box (the program's other windows take no input meanwhile) and returns the
// button that closed it. Text is shown as plain text, never as markup.
QMessageBox::StandardButton MessageBox(QWidget* Parent, const QString& Title, const QString& Text,
                                       QMessageBox::Icon Icon,
                                       QMessageBox::StandardButtons Buttons);

struct MessageBoxRecord {
  QPointer<QWidget> Parent;
  QString Title;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons;
};

// While one exists, boxes are recorded here instead of shown; the newest recorder gets them.
// Answers queued with SetNextAnswer() are given in order; without one a box gets the answer
// closing it would give: Cancel, else No, else OK, else its first button.
class MessageBoxRecorder {
 public:
  // OnBox, if given, runs for each box as it opens, with the box's record.
  explicit MessageBoxRecorder(std::function<void(const MessageBoxRecord&)> OnBox = {});
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  void SetNextAnswer(QMessageBox::StandardButton Answer);
  const std::vector<MessageBoxRecord>& Boxes() const { return boxes_; }

 private:
  friend QMessageBox::StandardButton MessageBox(QWidget*, const QString&, const QString&,
                                                QMessageBox::Icon, QMessageBox::StandardButtons);
  QMessageBox::StandardButton Answer(MessageBoxRecord Box);

  std::function<void(const MessageBoxRecord&)> onBox_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::vector<MessageBoxRecord> boxes_;
  MessageBoxRecorder* previous_;
};

}  // namespace wrenly
