#pragma once

#include <QDialog>

namespace wrenly {

// The message editor's font and colours.
class TMsgSettingsFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TMsgSettingsFrm(QWidget* Parent = nullptr);
};

}  // namespace wrenly
