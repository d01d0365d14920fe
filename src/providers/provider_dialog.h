#pragma once

#include <QDialog>

#include <string_view>

class QFrame;
class QLabel;
class QPushButton;
class QShowEvent;
class QTabWidget;

namespace wrenly {

class TDBComboBox;
class TDBEdit;
class TMainFrm;

// Provider setup: which provider is the default, and the account kept for each. The dialog
// holds no data: its controls are bound to the main window's GatewaysSRC and DefGwaySRC, so it
// works on the very records, cursor and editing state that Send reads. Shown modally, created
// once and reused; every showing starts on the "CURRENT PROVIDER" page.
class TSmsGwayFrm : public QDialog {
  Q_OBJECT

 public:
  explicit TSmsGwayFrm(TMainFrm* MainFrm);

  static constexpr int kClientWidth = 343;
  static constexpr int kClientHeight = 189;
  // GWayPageCtrl's pages, in page order.
  static constexpr int kCurrentProviderPage = 0;
  static constexpr int kClickatellPage = 1;
  static constexpr int kKapowPage = 2;
  static constexpr std::string_view kClickatellSignUpUrl = "https://www.clickatell.com/sign-up/";
  static constexpr std::string_view kKapowSignUpUrl = "https://www.kapow.co.uk/";

  QTabWidget* GWayPageCtrl;
  QWidget* SelectDefaultGwayPage;
  QLabel* DefGwayLbl;
  TDBComboBox* DefProvideCombo;
  QLabel* ImportantLbl;
  QLabel* NoteLbl;
  QWidget* ClickatellPage;
  QLabel* CUserNameLbl;
  QLabel* CPasswordLbl;
  QLabel* CApiIDLbl;
  TDBEdit* CUserNameEdit;
  TDBEdit* CPasswordEdit;
  TDBEdit* CApiIdEdit;
  QPushButton* NeaAccountCLKBtn;
  QWidget* KapowPage;
  QLabel* KUserNameLbl;
  QLabel* KPasswordLbl;
  TDBEdit* KUserNameEdit;
  TDBEdit* KPasswordEdit;
  QPushButton* NewAccountKapBtn;
  QFrame* BottomPanel;
  QPushButton* OKBtn;

  // Handlers, one per event.
  void FormShow();
  // Only for page changes the user makes on the tabs; the program's own switches do not run it.
  virtual void GWayPageCtrlChange();
  void DefProvideComboChange();
  void DefProvideComboExit();
  // However the dialog closes: OK, the close box or Escape.
  void FormClose();
  void NeaAccountCLKBtnClick();
  void NewAccountKapBtnClick();

  // Runs FormClose, then closes: every way of closing a dialog ends here.
  void done(int Result) override;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void CreateControls();
  // Shows a page as the program does: no GWayPageCtrlChange.
  void ShowPage(int Index);
  // Puts the account table on the record of the provider whose page Index is, if it has one.
  void LocateAccountOfPage(int Index);
  static void OpenSignUpPage(std::string_view Url);

  TMainFrm& mainFrm_;
  bool showingPage_ = false;
};

}  // namespace wrenly
