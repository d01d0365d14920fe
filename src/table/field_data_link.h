#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "table/data_link.h"

namespace wrenly {

// The link of a control bound to one field of the current record: an edit box or a combo box.
// It tells the control when to show the field again, when it may be changed, and when to write
// its text into the field; the control tells it when its text changed.
//
// The editing flag is on while the table is in an editing state (edit, insert, set-key), the link
// is not read-only and the field can be modified. The modified flag says the control's text
// changed since the field was last shown; it is cleared when the field is shown again and
// whenever the editing flag changes.
class TFieldDataLink : public TDataLink {
 public:
  // The prefix of this link's errors: the control's name.
  std::string ControlName;

  // Binding. The field name is resolved against the table's fields ignoring letter case, as
  // soon as both are known and again whenever the table opens; a name that matches no field
  // raises "<ControlName>: Field '<name>' not found".
  void SetDataSource(TDataSource* Source);
  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(std::string_view FieldName);
  // The bound field, or none.
  TField* Field() const { return field_; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  bool Editing() const { return editing_; }
  bool Modified() const { return modified_; }
  // The control's text changed. Outside an editing state there is nothing to write it into, so
  // the flag stays clear: a change made there is never written into a later edit by surprise.
  void SetModified() { modified_ = modified_ || editing_; }
  // A bound field that may be changed, through a link that is not read-only.
  bool CanModify() const;

  // The edit request: puts the table into an editing state if the data source's AutoEdit allows
  // it (an insert on a table without records). Returns the editing flag afterwards. The table's
  // own errors (a closed or read-only table) go to the caller.
  bool Edit();
  // Shows the field again, discarding what the control held, and clears the modified flag.
  void Reset();
  // UpdateRecord() (inherited) has the control write its text into the field when the modified
  // flag is set, and clears it; the table runs it before every post.

  // What the control does for the link.
  std::function<void()> OnDataChange;     // show the field's text (none when Field() is none)
  std::function<void()> OnEditingChange;  // the editing flag changed
  std::function<void()> OnUpdateData;     // write the control's text into Field()
  std::function<void()> OnActiveChange;   // the table opened or closed

 protected:
  void ActiveChanged() override;
  void StateChanged() override;
  void RecordChanged(TField* Field) override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void UpdateData() override;

 private:
  void UpdateField();
  void UpdateEditing();

  std::string fieldName_;
  TField* field_ = nullptr;
  bool readOnly_ = false;
  bool editing_ = false;
  bool modified_ = false;
};

// The table's field named Name, ignoring letter case; when there is none, raises
// "<ControlName>: Field '<Name>' not found".
TField& ControlFieldByName(const TDataSet& Table, std::string_view Name,
                           std::string_view ControlName);

}  // namespace wrenly
