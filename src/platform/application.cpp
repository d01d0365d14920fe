#include "platform/application.h"

#include <QFile>

#include <stdexcept>

#include "platform/error_text.h"
#include "platform/message_box.h"
#include "platform/program_path.h"
#include "platform/qt_text.h"

namespace wrenly {

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
  try {
    return QApplication::notify(Receiver, Event);
  } catch (...) {
    HandleException();
    return true;
  }
}

void TApplication::HandleException() {
  std::string message;
  try {
    throw;
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = "Unknown error";
  }
  ShowErrorBox(message);
}

void TApplication::ShowErrorBox(const std::string& Message) {
  QWidget* parent = QApplication::activeModalWidget();
  if (parent == nullptr) {
    parent = QApplication::activeWindow();
  }
  MessageBox(parent, QFile::decodeName(QByteArray::fromStdString(ApplicationTitle())),
             ToQString(ErrorBoxText(Message)), QMessageBox::Critical, QMessageBox::Ok);
}

}  // namespace wrenly
