#include "table/db_access_navigator.h"

#include <QEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "platform/application.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"
#include "platform/text_guard.h"
#include "table/data_link.h"

// The pictures live in a static library: their resource must be registered by name.
static void InitNavigatorPictures() {
  Q_INIT_RESOURCE(navigator_pictures);
}

namespace wrenly {
namespace {

struct TPictureButton {
  TNavigateBtn Button;
  const char* Picture;
};

constexpr TPictureButton kButtons[] = {
    {nbFirst, "NAV_FIRST"},   {nbPrior, "NAV_PRIOR"}, {nbNext, "NAV_NEXT"},
    {nbLast, "NAV_LAST"},     {nbNew, "NAV_NEW"},     {nbInsert, "NAV_INSERT"},
    {nbDelete, "NAV_DELETE"},
};

const char* const kControlNames[kNavigateBtnCount] = {"nbFirst",       "nbPrior",  "nbRecNo",
                                                      "nbRecordCount", "nbNext",   "nbLast",
                                                      "nbNew",         "nbInsert", "nbDelete"};

// The picture drawn at 16 × 16, with its 32 × 32 drawing for high-density screens.
QIcon NavigatorPicture(const char* Name) {
  const QString path = QStringLiteral(":/navigator/") + QLatin1String(Name);
  QIcon icon;
  icon.addFile(path, QSize(16, 16));
  icon.addFile(path + QStringLiteral("@2x"), QSize(32, 32));
  return icon;
}

}  // namespace

class TDBAccessNavigator::TNavigatorLink final : public TDataLink {
 public:
  explicit TNavigatorLink(TDBAccessNavigator& Bar) : bar_(Bar) {}

 protected:
  void ActiveChanged() override { bar_.UpdateControls(); }
  void StateChanged() override { bar_.UpdateControls(); }
  void DataSetChanged() override { bar_.UpdateControls(); }
  void DataSetScrolled(int /*Distance*/) override { bar_.UpdateControls(); }

 private:
  TDBAccessNavigator& bar_;
};

TDBAccessNavigator::TDBAccessNavigator(QWidget* Parent)
    : QWidget(Parent), link_(std::make_unique<TNavigatorLink>(*this)) {
  InitNavigatorPictures();
  setFocusPolicy(Qt::NoFocus);
  CreateControls();
  SetTimeSource(SystemTimeSource());
  Layout();
  UpdateControls();
}

TDBAccessNavigator::~TDBAccessNavigator() {
  // The table may be told of the bar's going; the controls go first.
  link_->SetDataSource(nullptr);
}

void TDBAccessNavigator::CreateControls() {
  for (const TPictureButton& picture : kButtons) {
    auto* button = new QToolButton(this);
    button->setIcon(NavigatorPicture(picture.Picture));
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    controls_[picture.Button] = button;
    const TNavigateBtn member = picture.Button;
    Connect(button, &QToolButton::clicked, this, [this, member] {
      if (!(member == nbPrior || member == nbNext) || !repeated_) {
        BtnClick(member);
      }
    });
    if (member == nbPrior || member == nbNext) {
      Connect(button, &QToolButton::pressed, this, [this, member] { StartRepeat(member); });
      Connect(button, &QToolButton::released, this, [this] { repeatTimer_->Stop(); });
    }
  }
  recNoBox_ = new QLineEdit(QStringLiteral("1"), this);
  RestrictToCp1252(recNoBox_);
  recNoBox_->installEventFilter(this);
  Connect(recNoBox_, &QLineEdit::returnPressed, this, [this] { BtnClick(nbRecNo); });
  controls_[nbRecNo] = recNoBox_;

  ofLabel_ = new QLabel(QStringLiteral(" of "), this);
  ofLabel_->setObjectName(QStringLiteral("nbRecordCountLbl"));
  ofLabel_->setAlignment(Qt::AlignCenter);
  countBox_ = new QLineEdit(QStringLiteral("1"), this);
  countBox_->setReadOnly(true);
  countBox_->setFocusPolicy(Qt::NoFocus);
  QPalette palette = countBox_->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  countBox_->setPalette(palette);
  controls_[nbRecordCount] = countBox_;

  for (int i = 0; i < kNavigateBtnCount; ++i) {
    controls_[static_cast<std::size_t>(i)]->setObjectName(QLatin1String(kControlNames[i]));
  }
}

void TDBAccessNavigator::SetVisibleButtons(TNavigateButtons Buttons) {
  visible_ = Buttons;
  Layout();
}

// Left to right in the order of the members, each touching the one before.
void TDBAccessNavigator::Layout() {
  int left = 0;
  for (int i = 0; i < kNavigateBtnCount; ++i) {
    const auto member = static_cast<TNavigateBtn>(i);
    QWidget* control = Control(member);
    const bool shown = visible_.Contains(member);
    control->setVisible(shown);
    if (member == nbRecordCount) {
      ofLabel_->setVisible(shown);
    }
    if (!shown) {
      continue;
    }
    if (member == nbRecordCount) {
      ofLabel_->setGeometry(left, 0, kOfWidth, kHeight);
      left += kOfWidth;
    }
    const int width = member == nbRecNo || member == nbRecordCount ? kBoxWidth : kButtonWidth;
    control->setGeometry(left, 0, width, kHeight);
    left += width;
  }
  updateGeometry();
}

QSize TDBAccessNavigator::sizeHint() const {
  int width = 0;
  for (int i = 0; i < kNavigateBtnCount; ++i) {
    const auto member = static_cast<TNavigateBtn>(i);
    if (visible_.Contains(member)) {
      width += member == nbRecNo         ? kBoxWidth
               : member == nbRecordCount ? kOfWidth + kBoxWidth
                                         : kButtonWidth;
    }
  }
  return {width, kHeight};
}

TDataSource* TDBAccessNavigator::DataSource() const {
  return link_->DataSource();
}

void TDBAccessNavigator::SetDataSource(TDataSource* Source) {
  link_->SetDataSource(Source);
  UpdateControls();
}

void TDBAccessNavigator::SetTimeSource(TTimeSource& Time) {
  repeatTimer_ = Time.CreateTimer();
  repeatTimer_->OnTimer = [this] { Repeat(); };
}

void TDBAccessNavigator::UpdateControls() {
  const TDataSet* table = link_->Active() ? link_->DataSet() : nullptr;
  const TNavigateButtons enabled = NavigatorEnabled(table);
  for (int i = 0; i < kNavigateBtnCount; ++i) {
    const auto member = static_cast<TNavigateBtn>(i);
    Control(member)->setEnabled(enabled.Contains(member));
  }
  ofLabel_->setEnabled(enabled.Contains(nbRecordCount));
  if (table == nullptr) {
    return;
  }
  // Without a current record there is no number to show.
  const int recNo = table->RecNo();
  recNoBox_->setText(recNo >= 0 ? QString::number(recNo) : QString());
  countBox_->setText(QString::number(table->RecordCount()));
}

void TDBAccessNavigator::BtnClick(TNavigateBtn Button) {
  if (!link_->Active()) {
    return;
  }
  bool cancel = false;
  if (BeforeAction) {
    BeforeAction(Button, cancel);
  }
  if (cancel) {
    return;
  }
  try {
    RunAction(Button);
  } catch (...) {
    // The bar's actions fail quietly: the table says what it can do through the enabling.
  }
  if (OnClick) {
    OnClick(Button);
  }
}

void TDBAccessNavigator::RunAction(TNavigateBtn Button) {
  TDataSet& table = *link_->DataSet();
  switch (Button) {
    case nbFirst:
      table.First();
      break;
    case nbPrior:
      table.Prior();
      break;
    case nbRecNo:
      GoToTypedRecord();
      break;
    case nbRecordCount:
      break;
    case nbNext:
      table.Next();
      break;
    case nbLast:
      table.Last();
      break;
    case nbNew:
      table.Append();
      break;
    case nbInsert:
      table.Insert();
      break;
    case nbDelete:
      if (!ConfirmDelete || MessageBox(window(), QStringLiteral("Confirm"),
                                       QStringLiteral("Delete record?"), QMessageBox::Question,
                                       QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok) {
        table.Delete();
      }
      break;
  }
}

void TDBAccessNavigator::GoToTypedRecord() {
  TDataSet& table = *link_->DataSet();
  const TRecordNumberAction action =
      RecordNumberAction(FromQString(recNoBox_->text()), table.RecordCount());
  if (action.Ignore) {
    return;
  }
  // Going to the record already current would still settle its pending edit; it is left alone.
  if (action.GoTo && *action.GoTo != table.RecNo()) {
    table.SetRecNo(*action.GoTo);
  }
  UpdateControls();
}

bool TDBAccessNavigator::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == recNoBox_) {
    const QEvent::Type type = Event->type();
    const bool leaves = type == QEvent::FocusOut &&
                        MovesFocusWithinWindow(static_cast<QFocusEvent*>(Event)->reason());
    if (leaves || type == QEvent::MouseButtonRelease) {
      RunGuarded([this] { BtnClick(nbRecNo); });
    }
  }
  return QWidget::eventFilter(Watched, Event);
}

void TDBAccessNavigator::StartRepeat(TNavigateBtn Button) {
  repeating_ = static_cast<QAbstractButton*>(Control(Button));
  repeated_ = false;
  repeatTimer_->Start(kRepeatDelayMs);
}

void TDBAccessNavigator::Repeat() {
  repeatTimer_->Start(kRepeatIntervalMs);
  // Only while the button is still held under the pointer.
  if (repeating_ == nullptr || !repeating_->isDown()) {
    return;
  }
  repeated_ = true;
  BtnClick(repeating_ == Control(nbPrior) ? nbPrior : nbNext);
}

}  // namespace wrenly
