#pragma once

#include <memory>

#include "about/about_dialog.h"
#include "app/main_window.h"
#include "contacts/contacts_dialog.h"
#include "providers/provider_dialog.h"
#include "settings/editor_settings_dialog.h"

namespace wrenly {

// The program's five windows, created once, in this order, and kept for the whole run: the
// main window first, then the four dialogs, which stay hidden until a command shows them. They
// are destroyed in the reverse order, so the dialogs go before the main window whose data they
// work on.
class TProgram {
 public:
  TProgram();
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  // Shows the main window centred on the screen.
  void Start();
  // Start(), then the event loop until the program is ended, then the end of the main window's
  // tables (see TMainFrm::CloseTables), while every window still exists. Returns the loop's
  // exit code.
  int Run();

  TMainFrm MainFrm;
  std::unique_ptr<TContactsFrm> ContactsFrm;
  std::unique_ptr<TSmsGwayFrm> SmsGwayFrm;
  std::unique_ptr<TMsgSettingsFrm> MsgSettingsFrm;
  std::unique_ptr<TAboutFrm> AboutFrm;
};

}  // namespace wrenly
