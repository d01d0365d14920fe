#include "app/main_window.h"

#include <QWidget>

namespace wrenly {

TMainFrm::TMainFrm(QWidget* Parent) : QMainWindow(Parent) {
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("HARWICKDALE-Wrenly"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  setFixedSize(sizeHint());
}

}  // namespace wrenly
