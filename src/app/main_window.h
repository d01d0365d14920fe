#pragma once

#include <QMainWindow>

namespace wrenly {

// The window the user lives in: recipient, message, Send and the gateway's replies.
class TMainFrm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainFrm(QWidget* Parent = nullptr);

  // Size of the area below the menu, fixed: the window cannot be resized.
  static constexpr int kClientWidth = 300;
  static constexpr int kClientHeight = 316;
};

}  // namespace wrenly
