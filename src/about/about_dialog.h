#pragma once

#include <QDialog>

namespace wrenly {

// The About box.
class TAboutFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutFrm(QWidget* Parent = nullptr);
};

}  // namespace wrenly
