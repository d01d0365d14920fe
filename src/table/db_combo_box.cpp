#include "table/db_combo_box.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

#include <exception>

#include "platform/application.h"
#include "platform/qt_text.h"
#include "table/control_rules.h"

namespace wrenly {

TDBComboBox::TDBComboBox(QWidget* Parent) : QComboBox(Parent) {
  setEditable(false);
  link_.OnDataChange = [this] { ShowField(); };
  link_.OnUpdateData = [this] { link_.Field()->SetAsString(Text()); };
  Connect(this, &QComboBox::activated, this, &TDBComboBox::Chosen);
}

TDBComboBox::~TDBComboBox() = default;

void TDBComboBox::SetDataSource(TDataSource* Source) {
  link_.ControlName = FromQString(objectName());
  link_.SetDataSource(Source);
}

void TDBComboBox::SetDataField(std::string_view FieldName) {
  link_.ControlName = FromQString(objectName());
  link_.SetFieldName(FieldName);
}

std::vector<std::string> TDBComboBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0; i < count(); ++i) {
    items.push_back(FromQString(itemText(i)));
  }
  return items;
}

void TDBComboBox::SetItems(const std::vector<std::string>& Items) {
  clear();
  for (const std::string& item : Items) {
    addItem(ToQString(item));
  }
  ShowField();
}

std::string TDBComboBox::Text() const {
  return currentIndex() >= 0 ? FromQString(currentText()) : std::string();
}

void TDBComboBox::ShowField() {
  if (choosing_ || view()->isVisible()) {
    return;
  }
  const std::string text = link_.Field() != nullptr ? link_.Field()->AsString() : std::string();
  shownIndex_ = ComboBoxItemIndex(Items(), text);
  setCurrentIndex(shownIndex_);
}

void TDBComboBox::Chosen(int Index) {
  if (Index == shownIndex_) {
    return;
  }
  // Showing the field again while the choice is handled would undo the choice: the edit request
  // re-reads the record as the table begins to edit.
  struct TChoosing {
    bool& Flag;
    explicit TChoosing(bool& Choosing) : Flag(Choosing) { Flag = true; }
    ~TChoosing() { Flag = false; }
  };
  bool editing = false;
  std::exception_ptr error;
  {
    TChoosing choosing(choosing_);
    try {
      editing = link_.Edit();
    } catch (...) {
      error = std::current_exception();
    }
  }
  if (!editing) {
    // Refused: the field's entry shows again, and a table that refused with an error says why.
    hidePopup();
    ShowField();
    if (error) {
      std::rethrow_exception(error);
    }
    return;
  }
  TChoosing choosing(choosing_);
  shownIndex_ = Index;
  link_.Edit();
  if (OnClick) {
    OnClick();
  }
  link_.SetModified();
  link_.Edit();
  if (OnChange) {
    OnChange();
  }
  link_.SetModified();
}

void TDBComboBox::keyPressEvent(QKeyEvent* Event) {
  RunGuarded([&] {
    const TKeyStroke key = KeyStrokeOf(Event);
    if (key.Key == vkEscape) {
      link_.Reset();
      Event->accept();
      return;
    }
    if (ComboBoxKeyStartsEdit(key) && !link_.Edit() && (key.Key == vkUp || key.Key == vkDown)) {
      Event->accept();
      return;
    }
    QComboBox::keyPressEvent(Event);
  });
}

void TDBComboBox::focusOutEvent(QFocusEvent* Event) {
  QComboBox::focusOutEvent(Event);
  if (!LeavesControl(this, Event)) {
    return;
  }
  RunGuarded([this] {
    try {
      link_.UpdateRecord();
    } catch (...) {
      setFocus();
      throw;
    }
    if (OnExit) {
      OnExit();
    }
  });
}

}  // namespace wrenly
