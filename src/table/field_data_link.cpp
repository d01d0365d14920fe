#include "table/field_data_link.h"

#include "table/db_errors.h"

namespace wrenly {

TField& ControlFieldByName(const TDataSet& Table, std::string_view Name,
                           std::string_view ControlName) {
  TField* field = Table.FindField(Name);
  if (field == nullptr) {
    throw EDatabaseError(ControlName, "Field '" + std::string(Name) + "' not found");
  }
  return *field;
}

void TFieldDataLink::SetDataSource(TDataSource* Source) {
  TDataLink::SetDataSource(Source);
  UpdateField();
}

void TFieldDataLink::SetFieldName(std::string_view FieldName) {
  if (FieldName == fieldName_ && (field_ != nullptr || fieldName_.empty())) {
    return;
  }
  fieldName_ = FieldName;
  UpdateField();
}

void TFieldDataLink::SetReadOnly(bool Value) {
  readOnly_ = Value;
  UpdateEditing();
}

bool TFieldDataLink::CanModify() const {
  return !readOnly_ && field_ != nullptr && field_->CanModify();
}

bool TFieldDataLink::Edit() {
  if (CanModify() && DataSource() != nullptr) {
    DataSource()->Edit();
  }
  return editing_;
}

void TFieldDataLink::Reset() {
  if (OnDataChange) {
    OnDataChange();
  }
  modified_ = false;
}

// Resolves the field and shows it. A failed resolution leaves the control unbound and showing
// nothing before the error goes on.
void TFieldDataLink::UpdateField() {
  TDataSet* table = DataSet();
  TField* field = nullptr;
  std::string missing;
  if (table != nullptr && !fieldName_.empty()) {
    field = table->FindField(fieldName_);
    if (field == nullptr) {
      missing = fieldName_;
    }
  }
  field_ = field;
  UpdateEditing();
  Reset();
  if (!missing.empty() && table != nullptr) {
    ControlFieldByName(*table, missing, ControlName);
  }
}

void TFieldDataLink::UpdateEditing() {
  const TDataSetState state = DataSource() != nullptr ? DataSource()->State() : dsInactive;
  const bool editing =
      Active() && (state == dsEdit || state == dsInsert || state == dsSetKey) && CanModify();
  if (editing == editing_) {
    return;
  }
  editing_ = editing;
  modified_ = false;
  if (OnEditingChange) {
    OnEditingChange();
  }
}

void TFieldDataLink::ActiveChanged() {
  if (OnActiveChange) {
    OnActiveChange();
  }
  UpdateField();
}

void TFieldDataLink::StateChanged() {
  UpdateEditing();
}

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field == nullptr || Field == field_) {
    Reset();
  }
}

void TFieldDataLink::DataSetChanged() {
  Reset();
}

void TFieldDataLink::DataSetScrolled(int /*Distance*/) {
  Reset();
}

void TFieldDataLink::UpdateData() {
  if (!modified_) {
    return;
  }
  if (field_ != nullptr && OnUpdateData) {
    OnUpdateData();
  }
  modified_ = false;
}

}  // namespace wrenly
