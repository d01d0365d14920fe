#pragma once

#include <QLineEdit>

#include <memory>
#include <string>
#include <string_view>

#include "table/bound_control_support.h"
#include "table/field_data_link.h"

class QMenu;

namespace wrenly {

// An edit box bound to a field of the current record. It shows the field and is read-only until
// the user starts changing it: the first key, paste, cut or undo that would change the text
// first runs the edit request (which begins an edit, or an insert on a table without records),
// and has no effect when the table does not end up editing. What is typed reaches the field
// when the focus leaves the box or the table posts; Escape shows the field again. Characters the
// code page cannot hold are refused with a beep.
class TDBEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TDBEdit(QWidget* Parent = nullptr);
  ~TDBEdit() override;

  // Binding; the object name is the prefix of a binding error.
  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Source);
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(std::string_view FieldName);
  TField* Field() const { return link_.Field(); }
  const TFieldDataLink& DataLink() const { return link_; }

  // Shows every character as this one (the text is unchanged); 0 shows the text.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char Char);
  // The longest text that can be typed; 0 (the default) takes the bound field's size.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Length);

  std::string Text() const;

  // The box's context menu: its editing entries run the edit request first.
  std::unique_ptr<QMenu> CreateContextMenu();

  // The text changed, by the user or by showing the field.
  TNotifyEvent OnChange;
  // The focus left the box, after its text was written into the field.
  TNotifyEvent OnExit;

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;

 private:
  void ShowField();
  void TextChanged();
  void ApplyMaxLength();

  TFieldDataLink link_;
  char passwordChar_ = 0;
  int maxLength_ = 0;
  bool keepingText_ = false;
};

}  // namespace wrenly
