#include "table/db_lookup_combo_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QWheelEvent>

#include "platform/application.h"
#include "platform/qt_text.h"

namespace wrenly {
namespace {

constexpr int kListFrame = 1;
constexpr int kRowPadding = 2;
constexpr int kWheelNotch = 120;

}  // namespace

TDBLookupComboBox::TDBLookupComboBox(QWidget* Parent)
    : QWidget(Parent), logic_(SystemTimeSource()), list_(new TDBLookupList(*this)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  logic_.OnTextChange = [this] { update(); };
  logic_.OnListChange = [this] { list_->update(); };
  logic_.OnListVisibleChange = [this] { ListVisibleChanged(); };
  logic_.OnCloseUp = [this] {
    if (OnCloseUp) {
      OnCloseUp();
    }
  };
}

TDBLookupComboBox::~TDBLookupComboBox() {
  logic_.OnTextChange = nullptr;
  logic_.OnListChange = nullptr;
  logic_.OnListVisibleChange = nullptr;
  logic_.OnCloseUp = nullptr;
  delete list_;
}

void TDBLookupComboBox::SetListSource(TDataSource* Source) {
  logic_.ControlName = FromQString(objectName());
  logic_.SetListSource(Source);
}

void TDBLookupComboBox::SetKeyField(std::string_view Name) {
  logic_.ControlName = FromQString(objectName());
  logic_.SetKeyField(Name);
}

void TDBLookupComboBox::SetListField(std::string_view Name) {
  logic_.ControlName = FromQString(objectName());
  logic_.SetListField(Name);
}

void TDBLookupComboBox::DropDown() {
  logic_.DropDown();
}

void TDBLookupComboBox::ListVisibleChanged() {
  if (logic_.ListVisible()) {
    list_->Place();
    list_->show();
  } else {
    list_->hide();
  }
  update();
}

QSize TDBLookupComboBox::sizeHint() const {
  QStyleOptionComboBox option;
  option.initFrom(this);
  const QSize text(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 16, fontMetrics().height());
  return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

QSize TDBLookupComboBox::minimumSizeHint() const {
  return sizeHint();
}

void TDBLookupComboBox::paintEvent(QPaintEvent* /*Event*/) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  option.initFrom(this);
  option.editable = false;
  option.frame = true;
  option.currentText = ToQString(logic_.Text());
  if (logic_.ListVisible()) {
    option.state |= QStyle::State_On;
  }
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void TDBLookupComboBox::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(Event);
    return;
  }
  RunGuarded([this] {
    if (logic_.ListVisible()) {
      logic_.CloseUp(false);
      return;
    }
    setFocus(Qt::MouseFocusReason);
    if (logic_.DropDown()) {
      list_->BeginOpeningPress();
    }
  });
}

void TDBLookupComboBox::keyPressEvent(QKeyEvent* Event) {
  bool used = true;
  RunGuarded([&] { used = logic_.KeyDown(KeyStrokeOf(Event)); });
  if (used) {
    Event->accept();
  } else {
    QWidget::keyPressEvent(Event);
  }
}

void TDBLookupComboBox::focusInEvent(QFocusEvent* Event) {
  if (MovesFocusWithinWindow(Event->reason())) {
    logic_.FocusEntered();
  }
  QWidget::focusInEvent(Event);
}

void TDBLookupComboBox::focusOutEvent(QFocusEvent* Event) {
  QWidget::focusOutEvent(Event);
  if (LeavesControl(this, Event) && logic_.ListVisible()) {
    RunGuarded([this] { logic_.CloseUp(false); });
  }
}

TDBLookupList::TDBLookupList(TDBLookupComboBox& Box)
    : QWidget(&Box, Qt::Popup), box_(Box), logic_(Box.logic_) {
  setObjectName(QStringLiteral("DropDownList"));
  // The box's font, although the list is a window of its own.
  setAttribute(Qt::WA_WindowPropagation);
  // A press outside closes the list and goes no further, so a press on the box does not open
  // it again at once.
  setAttribute(Qt::WA_NoMouseReplay);
}

int TDBLookupList::RowHeight() const {
  return fontMetrics().height() + kRowPadding;
}

int TDBLookupList::RowAt(QPoint Position) const {
  const int y = Position.y() - kListFrame;
  return y >= 0 ? y / RowHeight() : -1 - (-1 - y) / RowHeight();
}

void TDBLookupList::Place() {
  const QSize size(box_.width(), logic_.ListRowCount() * RowHeight() + 2 * kListFrame);
  QPoint position = box_.mapToGlobal(QPoint(0, box_.height()));
  if (const QScreen* screen = box_.screen()) {
    const QRect room = screen->availableGeometry();
    const QPoint above = box_.mapToGlobal(QPoint(0, 0)) - QPoint(0, size.height());
    if (position.y() + size.height() > room.bottom() + 1 && above.y() >= room.top()) {
      position = above;
    }
  }
  setGeometry(QRect(position, size));
}

void TDBLookupList::paintEvent(QPaintEvent* /*Event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  const int rows = logic_.ListRows();
  for (int row = 0; row < rows; ++row) {
    const QRect line(kListFrame, kListFrame + row * RowHeight(), width() - 2 * kListFrame,
                     RowHeight());
    if (logic_.ListRowSelected(row)) {
      painter.fillRect(line, palette().highlight());
      painter.setPen(palette().color(QPalette::HighlightedText));
    } else {
      painter.setPen(palette().color(QPalette::Text));
    }
    painter.drawText(line.adjusted(kRowPadding, 0, -kRowPadding, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     ToQString(logic_.ListRowText(row)));
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TDBLookupList::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) {
    return;
  }
  const QPoint position = Event->position().toPoint();
  RunGuarded([&] {
    if (!rect().contains(position)) {
      // Anywhere else, the box included, dismisses.
      logic_.CloseUp(false);
      return;
    }
    pressed_ = true;
    openingPress_ = false;
    entered_ = true;
    logic_.ListTrackRow(RowAt(position));
  });
}

void TDBLookupList::mouseMoveEvent(QMouseEvent* Event) {
  if (pressed_) {
    const QPoint position = Event->position().toPoint();
    RunGuarded([&] { Track(position); });
  }
}

// The pointer with the button down: beside the list it follows the row at its height, above or
// below it scrolls. The press that opened the list follows only once it has reached the list.
void TDBLookupList::Track(QPoint Position) {
  if (rect().contains(Position)) {
    entered_ = true;
  }
  if (!entered_) {
    return;
  }
  if (Position.y() < 0) {
    logic_.ListTrackOutside(Position.y());
  } else if (Position.y() >= height()) {
    logic_.ListTrackOutside(Position.y() - height() + 1);
  } else {
    logic_.ListTrackRow(RowAt(Position));
  }
}

void TDBLookupList::mouseReleaseEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton || !pressed_) {
    return;
  }
  const QPoint position = Event->position().toPoint();
  const bool opening = openingPress_ && !entered_;
  pressed_ = false;
  openingPress_ = false;
  RunGuarded([&] {
    logic_.ListTrackOutside(0);
    if (rect().contains(position)) {
      logic_.ListTrackRow(RowAt(position));
      logic_.CloseUp(true);
    } else if (!opening) {
      logic_.CloseUp(false);
    }
    // A click on the box leaves the list open.
  });
}

void TDBLookupList::wheelEvent(QWheelEvent* Event) {
  const int notches = Event->angleDelta().y() / kWheelNotch;
  if (notches != 0) {
    RunGuarded([&] { logic_.ListMoveBy(-notches); });
  }
  Event->accept();
}

void TDBLookupList::keyPressEvent(QKeyEvent* Event) {
  bool used = true;
  RunGuarded([&] { used = logic_.KeyDown(KeyStrokeOf(Event)); });
  if (used) {
    Event->accept();
    return;
  }
  if (Event->key() == Qt::Key_Tab || Event->key() == Qt::Key_Backtab) {
    // Tab leaves the box: the list goes and the box's window moves the focus on.
    RunGuarded([this] { logic_.CloseUp(false); });
    QCoreApplication::sendEvent(&box_, Event);
    return;
  }
  Event->ignore();
}

void TDBLookupList::hideEvent(QHideEvent* Event) {
  QWidget::hideEvent(Event);
  pressed_ = false;
  // Closed from outside (the window lost the activation, say): that dismisses.
  if (logic_.ListVisible()) {
    RunGuarded([this] { logic_.CloseUp(false); });
  }
}

}  // namespace wrenly
