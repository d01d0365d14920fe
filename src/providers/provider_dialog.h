#pragma once

#include <QDialog>

namespace wrenly {

// Provider setup: the default provider and the account of each.
class TSmsGwayFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TSmsGwayFrm(QWidget* Parent = nullptr);
};

}  // namespace wrenly
