#pragma once

#include <Qt>

#include <functional>

#include "table/control_rules.h"
#include "table/control_timing.h"

class QFocusEvent;
class QKeyEvent;
class QWidget;

// What the bound controls share on the widget side.
namespace wrenly {

// An event of a control. A handler may raise: the control runs it where Qt called the control
// and guards that call, so the error ends the control's handling and goes to the error box.
using TNotifyEvent = std::function<void()>;

// The system's clock and timers, for the controls of the running program.
TTimeSource& SystemTimeSource();

// A key event as the control rules see it.
TKeyStroke KeyStrokeOf(const QKeyEvent* Event);

// Whether a focus change moves the focus between the controls of a window (by the mouse, Tab,
// a shortcut or the program), as opposed to a pop-up list or menu taking it for a while, or
// another window (a message box, another program) becoming active. Only the first kind enters
// or leaves a bound control.
bool MovesFocusWithinWindow(Qt::FocusReason Reason);

// Whether the focus left Control for another control of its window; the focus moving into a
// pop-up of the control's own (its drop-down list) does not count.
bool LeavesControl(const QWidget* Control, const QFocusEvent* Event);

}  // namespace wrenly
