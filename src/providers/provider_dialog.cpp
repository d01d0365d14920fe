#include "providers/provider_dialog.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "app/main_window.h"
#include "platform/application.h"
#include "platform/form_style.h"
#include "platform/message_box.h"
#include "platform/program_path.h"
#include "platform/shell.h"
#include "providers/provider_account.h"
#include "table/db_combo_box.h"
#include "table/db_edit.h"

namespace wrenly {
namespace {

constexpr int kBottomPanelHeight = 41;
constexpr int kTabHeight = 28;
constexpr int kEditHeight = 21;
constexpr int kLabelWidth = 64;

// Tabs of one fixed height, whatever the font asks for.
class TFixedHeightTabBar final : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int Index) const override {
    return {QTabBar::tabSizeHint(Index).width(), kTabHeight};
  }
  QSize minimumTabSizeHint(int Index) const override {
    return {QTabBar::minimumTabSizeHint(Index).width(), kTabHeight};
  }
};

class TPageControl final : public QTabWidget {
 public:
  explicit TPageControl(QWidget* Parent) : QTabWidget(Parent) {
    setTabBar(new TFixedHeightTabBar(this));
  }
};

// A push button whose caption wraps at blanks to fit the button, as a square button with a
// sentence on it needs. The caption stays the button's text.
class TWordWrapButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* /*Event*/) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), caption,
                         QPalette::ButtonText);
  }
};

// A caption set flush right in the column before the edit boxes.
QLabel* PlaceFieldLabel(QWidget* Page, const char* Name, const QString& Caption, QPoint Position) {
  QLabel* label = PlaceLabel(Page, Name, Caption, Position);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->resize(kLabelWidth, label->height());
  return label;
}

TDBEdit* PlaceEdit(QWidget* Page, const char* Name, TDataSource& Source, const char* Field,
                   QPoint Position) {
  auto* edit = Place(new TDBEdit(Page), Name, {Position, QSize(160, kEditHeight)});
  edit->SetDataSource(&Source);
  edit->SetDataField(Field);
  return edit;
}

QPushButton* PlaceSignUpButton(QWidget* Page, const char* Name, const QString& Caption) {
  return Place(new TWordWrapButton(Caption, Page), Name, {248, 8, 75, 75});
}

}  // namespace

TSmsGwayFrm::TSmsGwayFrm(TMainFrm* MainFrm) : QDialog(MainFrm), mainFrm_(*MainFrm) {
  setObjectName(QStringLiteral("SmsGwayFrm"));
  setWindowTitle(QStringLiteral("SMS Service Providers"));
  setFont(FormFont());
  MakeFixedDialog(this, QSize(kClientWidth, kClientHeight));
  CreateControls();
}

void TSmsGwayFrm::CreateControls() {
  GWayPageCtrl = Place(new TPageControl(this), "GWayPageCtrl",
                       {0, 0, kClientWidth, kClientHeight - kBottomPanelHeight});
  auto addPage = [this](const char* Name, const QString& Caption) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(Name));
    GWayPageCtrl->addTab(page, Caption);
    return page;
  };

  SelectDefaultGwayPage = addPage("SelectDefaultGwayPage", QStringLiteral("CURRENT PROVIDER"));
  DefGwayLbl = PlaceLabel(SelectDefaultGwayPage, "DefGwayLbl",
                          QStringLiteral("Currently the used provider is:"), {12, 4});
  DefProvideCombo =
      Place(new TDBComboBox(SelectDefaultGwayPage), "DefProvideCombo", {164, 4, 151, kEditHeight});
  DefProvideCombo->SetItems({std::string(kClickatell), std::string(kKapow)});
  DefProvideCombo->SetDataSource(&mainFrm_.DefGwaySRC);
  DefProvideCombo->SetDataField("GATEWATY");
  DefProvideCombo->OnChange = [this] { DefProvideComboChange(); };
  DefProvideCombo->OnExit = [this] { DefProvideComboExit(); };
  ImportantLbl =
      PlaceLabel(SelectDefaultGwayPage, "ImportantLbl", QStringLiteral("IMPORTANT:"), {8, 24});
  QFont bold = ImportantLbl->font();
  bold.setBold(true);
  ImportantLbl->setFont(bold);
  ImportantLbl->adjustSize();
  QPalette red = ImportantLbl->palette();
  red.setColor(QPalette::WindowText, QColor(255, 0, 0));
  ImportantLbl->setPalette(red);
  NoteLbl = Place(new QLabel(SelectDefaultGwayPage), "NoteLbl", {8, 40, 321, 65});
  NoteLbl->setWordWrap(true);
  NoteLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  NoteLbl->setText(QStringLiteral(
      "When you create an account, you must create a HTML profile.\n"
      "The Username, Password and API_ID(Kapow) are created automatically.\n"
      "Use those details from your HTML profile to enter here into the right boxes."));

  ClickatellPage = addPage("ClickatellPage", QStringLiteral("CLICKATELL"));
  CUserNameLbl =
      PlaceFieldLabel(ClickatellPage, "CUserNameLbl", QStringLiteral("User Name:"), {8, 16});
  CPasswordLbl =
      PlaceFieldLabel(ClickatellPage, "CPasswordLbl", QStringLiteral("Password:"), {8, 40});
  CApiIDLbl = PlaceFieldLabel(ClickatellPage, "CApiIDLbl", QStringLiteral("API ID:"), {8, 64});
  CUserNameEdit =
      PlaceEdit(ClickatellPage, "CUserNameEdit", mainFrm_.GatewaysSRC, "USERNAME", {80, 12});
  CPasswordEdit =
      PlaceEdit(ClickatellPage, "CPasswordEdit", mainFrm_.GatewaysSRC, "PASSWORD", {80, 36});
  CPasswordEdit->SetPasswordChar('*');
  CApiIdEdit = PlaceEdit(ClickatellPage, "CApiIdEdit", mainFrm_.GatewaysSRC, "APIID", {80, 60});
  NeaAccountCLKBtn = PlaceSignUpButton(ClickatellPage, "NeaAccountCLKBtn",
                                       QStringLiteral("Create Clickatell Account"));

  KapowPage = addPage("KapowPage", QStringLiteral("KAPOW"));
  KUserNameLbl = PlaceFieldLabel(KapowPage, "KUserNameLbl", QStringLiteral("User Name:"), {8, 16});
  KPasswordLbl = PlaceFieldLabel(KapowPage, "KPasswordLbl", QStringLiteral("Password:"), {8, 40});
  KUserNameEdit = PlaceEdit(KapowPage, "KUserNameEdit", mainFrm_.GatewaysSRC, "USERNAME", {80, 12});
  KPasswordEdit = PlaceEdit(KapowPage, "KPasswordEdit", mainFrm_.GatewaysSRC, "PASSWORD", {80, 36});
  KPasswordEdit->SetPasswordChar('*');
  NewAccountKapBtn =
      PlaceSignUpButton(KapowPage, "NewAccountKapBtn", QStringLiteral("Create  Kapow Account"));

  BottomPanel = Place(new QFrame(this), "BottomPanel",
                      {0, kClientHeight - kBottomPanelHeight, kClientWidth, kBottomPanelHeight});
  BottomPanel->setFrameShape(QFrame::NoFrame);
  OKBtn = Place(new QPushButton(QStringLiteral("OK"), BottomPanel), "OKBtn", {136, 8, 75, 25});
  // Enter closes the dialog as OK, unless a focused button takes it for itself.
  OKBtn->setDefault(true);

  QWidget* previous = GWayPageCtrl;
  for (QWidget* next : std::initializer_list<QWidget*>{
           DefProvideCombo, CUserNameEdit, CPasswordEdit, CApiIdEdit, NeaAccountCLKBtn,
           KUserNameEdit, KPasswordEdit, NewAccountKapBtn, OKBtn}) {
    setTabOrder(previous, next);
    previous = next;
  }

  Connect(GWayPageCtrl, &QTabWidget::currentChanged, this, [this] {
    if (!showingPage_) {
      GWayPageCtrlChange();
    }
  });
  Connect(NeaAccountCLKBtn, &QPushButton::clicked, this, &TSmsGwayFrm::NeaAccountCLKBtnClick);
  Connect(NewAccountKapBtn, &QPushButton::clicked, this, &TSmsGwayFrm::NewAccountKapBtnClick);
  Connect(OKBtn, &QPushButton::clicked, this, [this] { accept(); });
}

void TSmsGwayFrm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) {
    RunGuarded([this] { FormShow(); });
  }
}

void TSmsGwayFrm::done(int Result) {
  if (isVisible()) {
    // The dialog closes even when FormClose fails: the error box says why, and the pending
    // edit stays in the table, where the next post or move settles it.
    RunGuarded([this] { FormClose(); });
  }
  QDialog::done(Result);
}

void TSmsGwayFrm::ShowPage(int Index) {
  struct TFlag {
    bool& Value;
    explicit TFlag(bool& Flag) : Value(Flag) { Value = true; }
    ~TFlag() { Value = false; }
  } showing(showingPage_);
  GWayPageCtrl->setCurrentIndex(Index);
}

void TSmsGwayFrm::LocateAccountOfPage(int Index) {
  if (Index == kClickatellPage) {
    mainFrm_.GatewaysDS.Locate("GATEWAY", kClickatell);
  }
  if (Index == kKapowPage) {
    mainFrm_.GatewaysDS.Locate("GATEWAY", kKapow);
  }
}

void TSmsGwayFrm::FormShow() {
  // A table whose file failed to open stays closed; its error was shown when the main window
  // tried to open it, and the next activation tries again. There is nothing to show or seed.
  if (mainFrm_.DefGway.Active()) {
    mainFrm_.DefGway.First();
  }
  ShowPage(kCurrentProviderPage);
  TCsvDataSet& accounts = mainFrm_.GatewaysDS;
  if (accounts.Active() && accounts.RecordCount() == 0) {
    // Each insert goes before the current record, so KAPOW ends up first, and current.
    for (std::string_view provider : {kClickatell, kKapow}) {
      accounts.Insert();
      accounts.FieldByName("GATEWAY").SetAsString(provider);
      accounts.Post();
    }
  }
}

void TSmsGwayFrm::GWayPageCtrlChange() {
  if (!mainFrm_.GatewaysDS.Active()) {
    return;
  }
  // The locate first settles a pending edit: what was typed on the page left behind goes into
  // the record it was typed into.
  LocateAccountOfPage(GWayPageCtrl->currentIndex());
}

void TSmsGwayFrm::DefProvideComboChange() {
  if (!mainFrm_.GatewaysDS.Active()) {
    return;
  }
  const std::string provider = DefProvideCombo->Text();
  int page = -1;
  if (provider == kClickatell) {
    page = kClickatellPage;
  }
  if (provider == kKapow) {
    page = kKapowPage;
  }
  if (page < 0) {
    return;
  }
  // Showing the page takes the focus off the selector, which stands on the page left behind;
  // its exit writes the choice and posts it. The account table follows the page, as it does for
  // a tab click, so the boxes the user is about to fill belong to the chosen provider and not
  // to whichever record happened to be current.
  ShowPage(page);
  LocateAccountOfPage(page);
}

void TSmsGwayFrm::DefProvideComboExit() {
  const TDataSetState state = mainFrm_.DefGway.State();
  if (state == dsEdit || state == dsInsert || state == dsSetKey) {
    mainFrm_.DefGway.Post();
  }
}

void TSmsGwayFrm::FormClose() {
  if (DefProvideCombo->Text().empty()) {
    MessageBox(this, QFile::decodeName(QByteArray::fromStdString(ApplicationTitle())),
               QStringLiteral("No provider selected. Please selct provider,\r\n"
                              "and create an account."),
               QMessageBox::NoIcon, QMessageBox::Ok);
    return;
  }
  // Only an edit: a new record is left to the browse-mode check of the next move.
  if (mainFrm_.GatewaysDS.State() == dsEdit) {
    mainFrm_.GatewaysDS.Post();
  }
}

void TSmsGwayFrm::OpenSignUpPage(std::string_view Url) {
  const QString address = QString::fromLatin1(Url.data(), static_cast<qsizetype>(Url.size()));
  if (!ShellOpenUrl(address)) {
    throw std::runtime_error("Cannot start a web browser to open " + std::string(Url));
  }
}

void TSmsGwayFrm::NeaAccountCLKBtnClick() {
  OpenSignUpPage(kClickatellSignUpUrl);
}

void TSmsGwayFrm::NewAccountKapBtnClick() {
  OpenSignUpPage(kKapowSignUpUrl);
}

}  // namespace wrenly
