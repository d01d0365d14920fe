#pragma once

#include <QMainWindow>

#include <string>

#include "table/csv_dataset.h"
#include "table/data_link.h"

class QAction;
class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QWindow;

namespace wrenly {

class TAboutFrm;
class TContactsFrm;
class TDBLookupComboBox;
class TMemo;
class TMsgSettingsFrm;
class TSmsGwayFrm;

// The four dialogs the main window's commands show. The program creates them after the main
// window and hands them over; a command whose dialog is missing does nothing.
struct TDialogs {
  TContactsFrm* ContactsFrm = nullptr;
  TSmsGwayFrm* SmsGwayFrm = nullptr;
  TMsgSettingsFrm* MsgSettingsFrm = nullptr;
  TAboutFrm* AboutFrm = nullptr;
};

// The window the user lives in: a recipient (picked from the address book or typed), a message
// of at most 160 characters with its live counter, Send, and the gateway's replies. Each
// command runs one handler to its end; an error it raises goes to the error box (see
// platform/application.h). The controls carry their design names as members and as object
// names.
class TMainFrm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainFrm(QWidget* Parent = nullptr);

  // Size of the area below the menu, fixed: the window cannot be resized.
  static constexpr int kClientWidth = 300;
  static constexpr int kClientHeight = 316;
  // The message limit, a line break counting two.
  static constexpr int kMessageMaxLength = 160;

  void SetDialogs(const TDialogs& Dialogs) { dialogs_ = Dialogs; }

  // Adds a gateway reply (Windows-1252, as it came) as a new last line of ResponseMemo.
  void AppendResponse(const std::string& Reply);

  // Program end, after the event loop and before the windows go: closes every table still open,
  // each on its own, which writes its file if it changed. A file that cannot be written is shown
  // in the error box, so the user learns that the changes did not reach it; the table's
  // destructor tries once more, quietly.
  void CloseTables();

  // The program's directory, ending in "/", recorded when the window is created.
  std::string AppDir;

  // The tables every window works on, created closed; FormActivate opens them. Dialogs and bound
  // controls reach them through these data sources, never through copies.
  TCsvDataSet ContactsDS;
  TCsvDataSet GatewaysDS;
  TCsvDataSet DefGway;
  TDataSource ContactsSRC;
  TDataSource GatewaysSRC;
  TDataSource DefGwaySRC;

  QFrame* TopPanel;
  QLabel* ToLbl;
  TDBLookupComboBox* ContactCombo;
  QPushButton* Button;
  QLabel* NumberLbl;
  QComboBox* NumberCombo;
  QPushButton* SendBtn;
  QLabel* MessageLbl;
  QLabel* CharsLbl;
  QLabel* LogoImg;
  QFrame* MessagePanel;
  TMemo* MessageMemo;
  QFrame* BottomPanel;
  TMemo* ResponseMemo;
  QPushButton* CloseBtn;

  QMenu* AppMnu;
  QAction* ExitMnu;
  QMenu* OptionsMnu;
  QAction* ProviderMnu;
  QAction* MsgFmtMnu;
  QAction* StartUpMnu;
  QMenu* AboutMnu;
  QAction* EULAMnu;
  QAction* AboutWrenlyMnu;

  // Handlers, one per event.
  void FormCreate();
  void FormShow();
  virtual void FormActivate();
  virtual void FormClose();
  void MessageMemoKeyUp(int Key);
  void SendBtnClick();
  void ButtonClick();
  void CloseBtnClick();
  void ContactComboCloseUp();
  void ExitMnuClick();
  void ProviderMnuClick();
  void MsgFmtMnuClick();
  void EULAMnuClick();
  void AboutWrenlyMnuClick();

 protected:
  bool event(QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

 private:
  void CreateTables();
  void CreateControls();
  void CreateMenu();
  void SetCharacterCounter();
  void SendThroughDefaultProvider(const std::string& Number, const std::string& Message);
  void FocusWindowChanged(QWindow* Window);
  static void ShowModal(QDialog* Dialog);

  TDialogs dialogs_;
  // Whether the main window is the program's current form: a dialog of the program taking the
  // focus clears it, while a message box or another program does not. FormActivate runs when it
  // turns back on, so an error box that FormActivate raised does not make it run again.
  bool isCurrentForm_ = false;
};

}  // namespace wrenly
