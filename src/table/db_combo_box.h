#pragma once

#include <QComboBox>

#include <string>
#include <string_view>
#include <vector>

#include "table/bound_control_support.h"
#include "table/field_data_link.h"

namespace wrenly {

enum TComboBoxStyle {
  csDropDown,      // an edit box with a list
  csDropDownList,  // a fixed list, no typing: the only style of TDBComboBox
};

// A combo box bound to a field of the current record, choosing its value from a fixed list.
// It selects the entry equal to the field's text ignoring letter case (none when the field is
// empty or matches no entry). Choosing another entry, by mouse or keyboard, first runs the edit
// request and is refused when the table does not end up editing; otherwise the click and then
// the change handling run, each after the edit request, so OnChange finds the table editing.
// The chosen entry reaches the field when the focus leaves the box or the table posts.
class TDBComboBox : public QComboBox {
  Q_OBJECT

 public:
  static constexpr TComboBoxStyle Style = csDropDownList;

  explicit TDBComboBox(QWidget* Parent = nullptr);
  ~TDBComboBox() override;

  // Binding; the object name is the prefix of a binding error.
  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Source);
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(std::string_view FieldName);
  TField* Field() const { return link_.Field(); }
  const TFieldDataLink& DataLink() const { return link_; }

  std::vector<std::string> Items() const;
  void SetItems(const std::vector<std::string>& Items);
  // The selected entry, or empty text when none is selected.
  std::string Text() const;

  // The user chose an entry: first OnClick, then OnChange, the table editing for both.
  TNotifyEvent OnClick;
  TNotifyEvent OnChange;
  // The focus left the box, after the chosen entry was written into the field.
  TNotifyEvent OnExit;

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  void ShowField();
  void Chosen(int Index);

  TFieldDataLink link_;
  int shownIndex_ = -1;
  // While a choice is handled, showing the field again would undo it.
  bool choosing_ = false;
};

}  // namespace wrenly
