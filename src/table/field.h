#pragma once

#include <string>
#include <string_view>

namespace wrenly {

class TDataSet;

enum TFieldKind {
  fkData,        // stored: one column of the table's file
  fkCalculated,  // computed by the table's OnCalcFields, never stored
};

// A named text value of every record of a table. Fields are made by their table
// (TDataSet::AddField) and live as long as it does. Empty text is the null value.
class TField {
 public:
  virtual ~TField() = default;
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  const std::string& FieldName() const { return fieldName_; }
  TFieldKind FieldKind() const { return fieldKind_; }
  bool Calculated() const { return fieldKind_ == fkCalculated; }
  // The greatest number of characters the value holds; longer text is cut.
  int Size() const { return size_; }
  // The position in the table's field list.
  int Index() const { return index_; }
  TDataSet& DataSet() const { return *dataSet_; }

  // The value in the current record, or in the record being calculated while OnCalcFields runs.
  // Empty on a closed table and on a table without a current record.
  std::string AsString() const;
  // Writes the value, cut to Size (and at a NUL byte): a stored field into the record being
  // edited or inserted, a calculated one into the record being calculated. See TDataSet.
  void SetAsString(std::string_view Value);
  bool IsNull() const { return AsString().empty(); }
  // Whether the user may change the value: a stored field of a table that is not read-only.
  bool CanModify() const;

 protected:
  TField(TDataSet& DataSet, std::string_view FieldName, TFieldKind Kind, int Size, int Index)
      : dataSet_(&DataSet), fieldName_(FieldName), fieldKind_(Kind), size_(Size), index_(Index) {}

 private:
  friend class TDataSet;

  TDataSet* dataSet_;
  std::string fieldName_;
  TFieldKind fieldKind_;
  int size_;
  int index_;
  // Stored field: the column it is bound to while the table is open (-1 before). Calculated
  // field: its slot among the calculated values of a record copy.
  int slot_ = -1;
};

// The text field, the only kind of field the tables have.
class TStringField final : public TField {
 private:
  friend class TDataSet;
  using TField::TField;
};

}  // namespace wrenly
