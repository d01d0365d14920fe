#pragma once

#include <QDialog>

namespace wrenly {

// The address book: browse, add, change and delete contacts. Shown modally from the main
// window, centred on it.
class TContactsFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TContactsFrm(QWidget* Parent = nullptr);
};

}  // namespace wrenly
