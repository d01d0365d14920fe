#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>

#include <initializer_list>
#include <stdexcept>

#include "about/about_dialog.h"
#include "app/pictures.h"
#include "contacts/contacts_dialog.h"
#include "gateway/gateway.h"
#include "platform/application.h"
#include "platform/form_style.h"
#include "platform/hourglass.h"
#include "platform/memo.h"
#include "platform/program_path.h"
#include "platform/qt_text.h"
#include "platform/text_guard.h"
#include "providers/provider_account.h"
#include "providers/provider_dialog.h"
#include "settings/editor_settings_dialog.h"
#include "table/db_lookup_combo_box.h"
#include "table/wrenly_tables.h"

namespace wrenly {
namespace {

constexpr int kTopPanelHeight = 121;
constexpr int kBottomPanelHeight = 41;

QFrame* PlacePanel(QWidget* Client, const char* Name, QRect Geometry) {
  auto* panel = Place(new QFrame(Client), Name, Geometry);
  panel->setFrameShape(QFrame::NoFrame);
  return panel;
}

QPushButton* PlaceButton(QWidget* Panel, const char* Name, const QString& Caption, QRect Geometry) {
  auto* button = Place(new QPushButton(Caption, Panel), Name, Geometry);
  // A focused button answers Enter as well as Space, as buttons do on a form.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

TMainFrm::TMainFrm(QWidget* Parent) : QMainWindow(Parent) {
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("HARWICKDALE-Wrenly"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(FormFont());
  CreateTables();
  CreateControls();
  CreateMenu();
  setFixedSize(sizeHint());
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, this, &TMainFrm::FocusWindowChanged);
  FormCreate();
}

void TMainFrm::CreateTables() {
  ConfigureContactsDS(ContactsDS);
  ConfigureGatewaysDS(GatewaysDS);
  ConfigureDefGway(DefGway);
  // AutoEdit stays on for all three: a bound control that starts changing a value begins the edit.
  ContactsSRC.SetDataSet(&ContactsDS);
  GatewaysSRC.SetDataSet(&GatewaysDS);
  DefGwaySRC.SetDataSet(&DefGway);
}

void TMainFrm::CreateControls() {
  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  TopPanel = PlacePanel(client, "TopPanel", {0, 0, kClientWidth, kTopPanelHeight});
  ToLbl = PlaceLabel(TopPanel, "ToLbl", QStringLiteral("Recipient:"), {8, 36});
  // Picks a contact by its full name; choosing only moves the contacts table's cursor.
  ContactCombo = Place(new TDBLookupComboBox(TopPanel), "ContactCombo", {64, 32, 201, 21});
  ContactCombo->SetListSource(&ContactsSRC);
  ContactCombo->SetKeyField("FULLNAME");
  ContactCombo->SetListField("FULLNAME");
  ContactCombo->OnCloseUp = [this] { ContactComboCloseUp(); };
  Button = PlaceButton(TopPanel, "Button", QString(), {268, 32, 21, 21});
  Button->setIcon(QIcon(ContactsPicture()));
  Button->setIconSize({16, 16});
  NumberLbl = PlaceLabel(TopPanel, "NumberLbl", QStringLiteral("Number:"), {8, 68});
  NumberCombo = Place(new QComboBox(TopPanel), "NumberCombo", {64, 64, 225, 21});
  NumberCombo->setEditable(true);
  // Typing never adds to the list, and the list drops down as the user types.
  NumberCombo->setInsertPolicy(QComboBox::NoInsert);
  NumberCombo->completer()->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  RestrictToCp1252(NumberCombo);
  SendBtn = PlaceButton(TopPanel, "SendBtn", QStringLiteral("Send >>>"), {232, 88, 57, 25});
  MessageLbl = PlaceLabel(TopPanel, "MessageLbl", QStringLiteral("Message:"), {8, 104});
  CharsLbl = PlaceLabel(TopPanel, "CharsLbl", QStringLiteral("Characters Left: 160"), {72, 104});
  LogoImg = Place(new QLabel(TopPanel), "LogoImg", {206, 4, 87, 16});
  LogoImg->setPixmap(LogoPicture());

  MessagePanel = PlacePanel(
      client, "MessagePanel",
      {0, kTopPanelHeight, kClientWidth, kClientHeight - kTopPanelHeight - kBottomPanelHeight});
  MessageMemo = Place(new TMemo(MessagePanel), "MessageMemo", MessagePanel->rect());
  MessageMemo->SetMaxLength(kMessageMaxLength);
  MessageMemo->setFont(FormFont(16));
  MessageMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  BottomPanel =
      PlacePanel(client, "BottomPanel",
                 {0, kClientHeight - kBottomPanelHeight, kClientWidth, kBottomPanelHeight});
  ResponseMemo = Place(new TMemo(BottomPanel), "ResponseMemo", {0, 0, 209, kBottomPanelHeight});
  ResponseMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ResponseMemo->setPlainText(QStringLiteral("Response code:"));
  CloseBtn = PlaceButton(BottomPanel, "CloseBtn", QStringLiteral("&Exit"), {217, 8, 75, 25});

  QWidget* previous = ContactCombo;
  for (QWidget* next : std::initializer_list<QWidget*>{Button, NumberCombo, SendBtn, MessageMemo,
                                                       ResponseMemo, CloseBtn}) {
    setTabOrder(previous, next);
    previous = next;
  }
  ContactCombo->setFocus();

  Connect(MessageMemo, &TMemo::KeyUp, this, &TMainFrm::MessageMemoKeyUp);
  Connect(SendBtn, &QPushButton::clicked, this, &TMainFrm::SendBtnClick);
  Connect(Button, &QPushButton::clicked, this, &TMainFrm::ButtonClick);
  Connect(CloseBtn, &QPushButton::clicked, this, &TMainFrm::CloseBtnClick);
}

void TMainFrm::CreateMenu() {
  // The menu keeps the platform's menu font; only the form's own controls use the form font.
  menuBar()->setFont(QApplication::font(menuBar()));
  auto addMenu = [this](const char* Name, const QString& Caption) {
    QMenu* menu = menuBar()->addMenu(Caption);
    menu->setObjectName(QLatin1String(Name));
    return menu;
  };
  auto addItem = [](QMenu* Menu, const char* Name, const QString& Caption) {
    QAction* item = Menu->addAction(Caption);
    item->setObjectName(QLatin1String(Name));
    return item;
  };
  AppMnu = addMenu("AppMnu", QStringLiteral("Application"));
  ExitMnu = addItem(AppMnu, "ExitMnu", QStringLiteral("Exit"));
  OptionsMnu = addMenu("OptionsMnu", QStringLiteral("Options"));
  ProviderMnu = addItem(OptionsMnu, "ProviderMnu", QStringLiteral("Provider Setup"));
  MsgFmtMnu = addItem(OptionsMnu, "MsgFmtMnu", QStringLiteral("Message Editor Settings"));
  StartUpMnu = addItem(OptionsMnu, "StartUpMnu", QStringLiteral("Startup Options"));
  AboutMnu = addMenu("AboutMnu", QStringLiteral("About"));
  EULAMnu = addItem(AboutMnu, "EULAMnu", QStringLiteral("License Agreement"));
  AboutWrenlyMnu = addItem(AboutMnu, "AboutWrenlyMnu", QStringLiteral("About Harwickdale Wrenly"));

  Connect(ExitMnu, &QAction::triggered, this, &TMainFrm::ExitMnuClick);
  Connect(ProviderMnu, &QAction::triggered, this, &TMainFrm::ProviderMnuClick);
  Connect(MsgFmtMnu, &QAction::triggered, this, &TMainFrm::MsgFmtMnuClick);
  Connect(EULAMnu, &QAction::triggered, this, &TMainFrm::EULAMnuClick);
  Connect(AboutWrenlyMnu, &QAction::triggered, this, &TMainFrm::AboutWrenlyMnuClick);
}

void TMainFrm::AppendResponse(const std::string& Reply) {
  ResponseMemo->AppendLine(Reply);
}

bool TMainFrm::event(QEvent* Event) {
  bool handled = QMainWindow::event(Event);
  if (Event->type() == QEvent::WindowActivate && !isCurrentForm_) {
    isCurrentForm_ = true;
    RunGuarded([this] { FormActivate(); });
  }
  return handled;
}

void TMainFrm::FocusWindowChanged(QWindow* Window) {
  if (Window == nullptr) {
    return;
  }
  for (QDialog* dialog : std::initializer_list<QDialog*>{
           dialogs_.ContactsFrm, dialogs_.SmsGwayFrm, dialogs_.MsgSettingsFrm, dialogs_.AboutFrm}) {
    if (dialog != nullptr && dialog->windowHandle() == Window) {
      isCurrentForm_ = false;
    }
  }
}

void TMainFrm::showEvent(QShowEvent* Event) {
  QMainWindow::showEvent(Event);
  // A window restored from the task bar gets a spontaneous show; only showing it counts.
  if (!Event->spontaneous()) {
    RunGuarded([this] { FormShow(); });
  }
}

void TMainFrm::closeEvent(QCloseEvent* Event) {
  // Only the close box and the system menu get here; Exit ends the program without closing.
  // Once this window is closed the program ends, as it is the last one shown. A failure of
  // FormClose is shown first; the window closes all the same.
  RunGuarded([this] { FormClose(); });
  QMainWindow::closeEvent(Event);
}

void TMainFrm::FormCreate() {
  AppDir = wrenly::AppDir();
}

void TMainFrm::FormShow() {
  SetCharacterCounter();
}

void TMainFrm::FormActivate() {
  // A table already open keeps its rows and its current row. An error ends the run here, leaving
  // the later tables closed; the next activation starts again from the first.
  for (TCsvDataSet* table : {&ContactsDS, &DefGway, &GatewaysDS}) {
    if (!table->Active()) {
      table->Open();
    }
  }
}

void TMainFrm::FormClose() {
  // Writes the address book if it changed. The provider tables stay open until the program ends.
  ContactsDS.Close();
}

void TMainFrm::CloseTables() {
  for (TCsvDataSet* table : {&ContactsDS, &DefGway, &GatewaysDS}) {
    RunGuarded([table] { table->Close(); });
  }
}

void TMainFrm::MessageMemoKeyUp(int Key) {
  if (Key != Qt::Key_Return && Key != Qt::Key_Enter) {
    SetCharacterCounter();
  }
}

void TMainFrm::SetCharacterCounter() {
  CharsLbl->setText(QStringLiteral("Characters left: ") +
                    QString::number(kMessageMaxLength - MessageMemo->TextLength()));
  CharsLbl->adjustSize();
}

void TMainFrm::SendBtnClick() {
  ScopedHourglass hourglass;
  std::string number = FromQString(NumberCombo->currentText());
  if (number.empty()) {
    throw std::runtime_error("Please enter recipient number!");
  }
  std::string message = MessageMemo->Text();
  if (message.empty()) {
    throw std::runtime_error("Please write a message");
  }
  SendThroughDefaultProvider(number, message);
}

void TMainFrm::SendThroughDefaultProvider(const std::string& Number, const std::string& Message) {
  // Two tests, not a choice: a name can equal at most one key, and one that equals neither (a
  // lower-case one, say) sends nothing and says nothing. The number and the message go as they
  // are, blanks and line breaks included.
  if (DefaultProviderName(DefGway) == kClickatell) {
    const TProviderAccount account = LocateAccount(GatewaysDS, kClickatell);
    AppendResponse(
        ClickatellRequest(account.UserName, account.Password, account.ApiId, Number, Message));
  }
  if (DefaultProviderName(DefGway) == kKapow) {
    const TProviderAccount account = LocateAccount(GatewaysDS, kKapow);
    AppendResponse(KapowRequest(account.UserName, account.Password, Number, Message));
  }
}

void TMainFrm::ShowModal(QDialog* Dialog) {
  if (Dialog != nullptr) {
    Dialog->exec();
  }
}

void TMainFrm::ButtonClick() {
  ShowModal(dialogs_.ContactsFrm);
}

void TMainFrm::CloseBtnClick() {
  // exit(), not quit(): quit() would close the windows first and so run FormClose.
  QCoreApplication::exit(0);
}

void TMainFrm::ContactComboCloseUp() {
  // Refills NumberCombo with the chosen contact's numbers once the lookup exists.
}

void TMainFrm::ExitMnuClick() {
  CloseBtnClick();
}

void TMainFrm::ProviderMnuClick() {
  ShowModal(dialogs_.SmsGwayFrm);
}

void TMainFrm::MsgFmtMnuClick() {
  ShowModal(dialogs_.MsgSettingsFrm);
}

void TMainFrm::EULAMnuClick() {
  // Opens the agreement document from AppDir once the document opener exists.
}

void TMainFrm::AboutWrenlyMnuClick() {
  ShowModal(dialogs_.AboutFrm);
}

}  // namespace wrenly
