#pragma once

#include <QWidget>

#include <string>
#include <string_view>

#include "table/bound_control_support.h"
#include "table/lookup_combo_logic.h"

namespace wrenly {

class TDBLookupList;

// A combo box that picks a record of its list table (ListSource) and shows its ListField: the
// record whose KeyField equals the box's key value. Opening the list (a press on the box, or
// Alt+Down or Alt+Up) shows up to DropDownRows records around the one chosen; browsing it moves
// the list table's cursor; Enter or releasing the button on a row accepts, Escape, a click
// elsewhere or leaving the box dismisses, and OnCloseUp runs either way. With the list closed,
// Up and Down step to the previous or next record's key and typing searches the list field.
// See TLookupComboLogic for the rules.
class TDBLookupComboBox : public QWidget {
  Q_OBJECT

 public:
  explicit TDBLookupComboBox(QWidget* Parent = nullptr);
  ~TDBLookupComboBox() override;

  // Binding; the object name is the prefix of a binding error.
  TDataSource* ListSource() const { return logic_.ListSource(); }
  void SetListSource(TDataSource* Source);
  const std::string& KeyField() const { return logic_.KeyField(); }
  void SetKeyField(std::string_view Name);
  const std::string& ListField() const { return logic_.ListField(); }
  void SetListField(std::string_view Name);
  int DropDownRows() const { return logic_.DropDownRows(); }
  void SetDropDownRows(int Rows) { logic_.SetDropDownRows(Rows); }
  // The search clock and the drag-scroll tick; the system's by default.
  void SetTimeSource(TTimeSource& Time) { logic_.SetTimeSource(Time); }

  const std::string& KeyValue() const { return logic_.KeyValue(); }
  void SetKeyValue(std::string_view Value) { logic_.SetKeyValue(Value); }
  const std::string& Text() const { return logic_.Text(); }

  bool ListVisible() const { return logic_.ListVisible(); }
  void DropDown();
  void CloseUp(bool Accept) { logic_.CloseUp(Accept); }
  // The drop-down list, a pop-up window while it is open.
  TDBLookupList* List() const { return list_; }
  const TLookupComboLogic& Logic() const { return logic_; }

  // The drop-down list closed, accepted or dismissed.
  TNotifyEvent OnCloseUp;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  friend class TDBLookupList;

  void ListVisibleChanged();

  TLookupComboLogic logic_;
  TDBLookupList* list_;
};

// The drop-down list of a TDBLookupComboBox: the list table's rows around its cursor, the chosen
// one highlighted. A press on a row and a drag follow the pointer, scrolling past the edges.
class TDBLookupList : public QWidget {
  Q_OBJECT

 public:
  explicit TDBLookupList(TDBLookupComboBox& Box);

  int RowHeight() const;
  // The row under a point of the list, which may lie outside it.
  int RowAt(QPoint Position) const;
  // Sizes the list for the logic's rows and places it below the box (above when the screen
  // has no room below).
  void Place();
  // A press on the box opened the list and the button is still down.
  void BeginOpeningPress() { pressed_ = true, openingPress_ = true, entered_ = false; }

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;

 private:
  void Track(QPoint Position);

  TDBLookupComboBox& box_;
  TLookupComboLogic& logic_;
  bool pressed_ = false;
  bool openingPress_ = false;
  bool entered_ = false;
};

}  // namespace wrenly
