#include "table/bound_control_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "platform/application.h"
#include "platform/cp1252.h"

namespace wrenly {
namespace {

class TQtTimer final : public TTimer {
 public:
  TQtTimer() {
    // The handler may raise like any other: its error goes to the error box.
    Connect(&timer_, &QTimer::timeout, &timer_, [this] {
      if (OnTimer) {
        OnTimer();
      }
    });
  }
  void Start(int IntervalMs) override { timer_.start(IntervalMs); }
  void Stop() override { timer_.stop(); }
  bool Running() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

class TQtTimeSource final : public TTimeSource {
 public:
  TQtTimeSource() { clock_.start(); }
  std::int64_t NowMs() const override { return clock_.elapsed(); }
  std::unique_ptr<TTimer> CreateTimer() override { return std::make_unique<TQtTimer>(); }

 private:
  QElapsedTimer clock_;
};

int KeyCodeOf(int Key) {
  if ((Key >= Qt::Key_A && Key <= Qt::Key_Z) || (Key >= Qt::Key_0 && Key <= Qt::Key_9)) {
    return Key;  // the same codes
  }
  switch (Key) {
    case Qt::Key_Backspace:
      return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vkReturn;
    case Qt::Key_Escape:
      return vkEscape;
    case Qt::Key_Space:
      return vkSpace;
    case Qt::Key_PageUp:
      return vkPrior;
    case Qt::Key_PageDown:
      return vkNext;
    case Qt::Key_End:
      return vkEnd;
    case Qt::Key_Home:
      return vkHome;
    case Qt::Key_Left:
      return vkLeft;
    case Qt::Key_Up:
      return vkUp;
    case Qt::Key_Right:
      return vkRight;
    case Qt::Key_Down:
      return vkDown;
    case Qt::Key_Insert:
      return vkInsert;
    case Qt::Key_Delete:
      return vkDelete;
    default:
      return vkNone;
  }
}

}  // namespace

TTimeSource& SystemTimeSource() {
  static TQtTimeSource source;
  return source;
}

TKeyStroke KeyStrokeOf(const QKeyEvent* Event) {
  TKeyStroke key;
  key.Key = KeyCodeOf(Event->key());
  const Qt::KeyboardModifiers modifiers = Event->modifiers();
  key.Shift = modifiers.testFlag(Qt::ShiftModifier);
  key.Ctrl = modifiers.testFlag(Qt::ControlModifier);
  key.Alt = modifiers.testFlag(Qt::AltModifier);
  const QString text = Event->text();
  if (text.size() == 1 && text[0] != QChar(0x7F)) {
    key.Char = UnicodeToCp1252(text[0].unicode()).value_or(0);
  }
  return key;
}

bool MovesFocusWithinWindow(Qt::FocusReason Reason) {
  return Reason != Qt::PopupFocusReason && Reason != Qt::ActiveWindowFocusReason;
}

bool LeavesControl(const QWidget* Control, const QFocusEvent* Event) {
  if (!MovesFocusWithinWindow(Event->reason())) {
    return false;
  }
  // A pop-up is a window of its own, so the parents are walked across windows.
  for (const QWidget* widget = QApplication::focusWidget(); widget != nullptr;
       widget = widget->parentWidget()) {
    if (widget == Control) {
      return false;
    }
  }
  return true;
}

}  // namespace wrenly
