#pragma once

#include <QApplication>
#include <QObject>

#include <exception>
#include <string>
#include <utility>

// Errors are exceptions, and every one raised by a handler of any window ends that handler and
// reaches the user the same way: TApplication catches it, once, and shows the error box.
// Qt's own code is not built to be unwound (an exception passing through it skips its clean-up,
// and through a signal emission it is undefined), so handlers are guarded where Qt calls us:
// - a signal's slot is connected with Connect() below;
// - an event handler override that runs a handler wraps the call in RunGuarded();
// - TApplication::notify() catches whatever still escapes an event handler, as a last resort
//   that keeps the program running.
namespace wrenly {

class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& Argc, char** Argv);

  // The last resort: an exception that left an event handler is shown, not fatal.
  bool notify(QObject* Receiver, QEvent* Event) override;

  // Call from inside a catch block: shows the error box for the exception being handled.
  static void HandleException();
  // The error box: modal, titled with the application title, the stop icon, one OK button, and
  // the message (Windows-1252) with the full-stop rule of ErrorBoxText().
  static void ShowErrorBox(const std::string& Message);
};

// Runs Handler; an exception from it goes to the error box instead of to the caller.
template <typename Handler>
void RunGuarded(Handler&& Body) {
  try {
    std::forward<Handler>(Body)();
  } catch (...) {
    TApplication::HandleException();
  }
}

namespace detail {

template <typename Receiver, typename... Args>
auto GuardedSlot(Receiver* Context, void (Receiver::*Slot)(Args...)) {
  return
      [Context, Slot](Args... Arguments) { RunGuarded([&] { (Context->*Slot)(Arguments...); }); };
}

template <typename Functor, typename Class, typename Result, typename... Args>
auto GuardedFunctor(Functor Body, Result (Class::*)(Args...) const) {
  return [Body = std::move(Body)](Args... Arguments) { RunGuarded([&] { Body(Arguments...); }); };
}

}  // namespace detail

// QObject::connect for handlers that may raise: a member function of Context, or a lambda
// (not a generic one). Like Qt's own, the slot may take fewer arguments than the signal.
template <typename Sender, typename Signal, typename Receiver, typename... Args>
QMetaObject::Connection Connect(const Sender* Source, Signal Emitted, Receiver* Context,
                                void (Receiver::*Slot)(Args...)) {
  return QObject::connect(Source, Emitted, Context, detail::GuardedSlot(Context, Slot));
}

template <typename Sender, typename Signal, typename Functor>
QMetaObject::Connection Connect(const Sender* Source, Signal Emitted, const QObject* Context,
                                Functor Body) {
  return QObject::connect(Source, Emitted, Context,
                          detail::GuardedFunctor(std::move(Body), &Functor::operator()));
}

}  // namespace wrenly
