#pragma once

#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/csv_line.h"
#include "table/field.h"

// The table model: an ordered list of records of named text fields with one cursor, an editing
// state machine, events, calculated fields, locate, and a window of records that the bound
// controls read through their data links. Everything is synchronous; handlers and
// notifications run inside the operation that causes them.
namespace wrenly {

class TDataLink;
class TDataSource;

enum TDataSetState {
  dsInactive,    // closed
  dsBrowse,      // open, nothing pending
  dsEdit,        // the current record's working copy is being changed
  dsInsert,      // a new record, not yet in the record list, is being filled
  dsSetKey,      // never entered here; treated as an editing state by the browse-mode check
  dsCalcFields,  // while OnCalcFields runs; the previous state returns afterwards
};

enum TLocateOption { loCaseInsensitive, loPartialKey };

class TLocateOptions {
 public:
  constexpr TLocateOptions() = default;
  constexpr TLocateOptions(std::initializer_list<TLocateOption> Options) {
    for (const TLocateOption option : Options) {
      bits_ |= 1u << option;
    }
  }
  constexpr bool Contains(TLocateOption Option) const { return (bits_ & (1u << Option)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }

 private:
  unsigned bits_ = 0;
};

// The key values of a locate: one value, or an array with one value per key field.
class TKeyValues {
 public:
  TKeyValues(const char* Value) : values_{Value}, array_(false) {}
  TKeyValues(std::string_view Value) : values_{std::string(Value)}, array_(false) {}
  TKeyValues(const std::string& Value) : values_{Value}, array_(false) {}
  TKeyValues(std::initializer_list<std::string_view> Values)
      : values_(Values.begin(), Values.end()) {}
  TKeyValues(std::vector<std::string> Values) : values_(std::move(Values)) {}

  int Count() const { return array_ ? static_cast<int>(values_.size()) : 1; }
  // The value for the key field at Index: the array element, or the one value for every field.
  const std::string& operator[](int Index) const {
    return values_[array_ ? static_cast<std::size_t>(Index) : 0];
  }

 private:
  std::vector<std::string> values_;
  bool array_ = true;
};

// What a table tells the links of its data sources.
enum class TDataEvent {
  StateChanged,     // the state changed
  RecordChanged,    // a stored field of the working copy was written (the field), or edit began
  DataSetChanged,   // the record window was rebuilt
  DataSetScrolled,  // a move kept the number of records in the window (the distance it slid)
  UpdateRecord,     // bound controls write their pending text into their fields
  CheckBrowseMode,  // a pending edit is about to be settled
};

class TDataSet {
 public:
  using TDataSetNotifyEvent = std::function<void(TDataSet&)>;

  TDataSet();
  virtual ~TDataSet();
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  // The component name; the prefix of the table's error messages.
  std::string Name;
  // Edit, insert and append fail with "Cannot modify a read-only dataset".
  bool ReadOnly = false;
  // Recompute the calculated fields after every write of a stored field while editing.
  bool AutoCalcFields = true;
  // Run around every post, and to compute the calculated fields of one record.
  TDataSetNotifyEvent BeforePost;
  TDataSetNotifyEvent AfterPost;
  TDataSetNotifyEvent OnCalcFields;

  // The field list, fixed by configuration while the table is closed: stored fields are bound
  // by name to the file's columns when the table opens.
  TStringField& AddField(std::string_view FieldName, TFieldKind Kind = fkData, int Size = 80);
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField& Fields(int Index) const { return *fields_.at(static_cast<std::size_t>(Index)); }
  // Names are compared ignoring the letter case of Windows-1252 letters.
  TField* FindField(std::string_view FieldName) const;
  // Raises "Field '<name>' not found" when there is none.
  TField& FieldByName(std::string_view FieldName) const;

  // Opening reads the records and goes to the first; on an open table it does nothing. If it
  // fails the table stays closed and holds no records.
  void Open();
  // Discards a pending edit or insert, writes the records if they changed, and drops them. If
  // the write fails the table is closed but keeps its records and its changed flag, and the
  // write is tried again by the next open or by destruction.
  void Close();
  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool Value);

  // Moves; each first settles a pending edit (the browse-mode check).
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Steps one record at a time; a step past either end sets EOF or BOF and stops, leaving the
  // current record where it was. Returns the number of steps made.
  int MoveBy(int Distance);

  // Begins editing the current record; on a table without records begins an insert instead.
  void Edit();
  // Begins a new record that post stores before the current one (first on an empty table).
  void Insert();
  // Begins a new record that post stores after the last one.
  void Append();
  void Post();
  void Cancel();
  void Delete();

  // Goes to the first record, in table order, whose key fields equal the key values. KeyFields
  // is split at "," if it holds one, otherwise at ";". False, without moving, when nothing
  // matches, when the names and values do not pair up, and on a closed table.
  bool Locate(std::string_view KeyFields, const TKeyValues& KeyValues, TLocateOptions Options = {});

  // Stored records; while closed, the records kept after a failed write.
  int RecordCount() const { return static_cast<int>(records_.size()); }
  // Zero-based position of the current record (of the place a new record will take while
  // inserting); -1 without a current record.
  int RecNo() const;
  // Goes to the record at Value; nothing when there is none or the table is closed.
  void SetRecNo(int Value);

  bool IsEmpty() const { return window_.empty(); }
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  TDataSetState State() const { return state_; }
  bool CanModify() const { return !ReadOnly; }
  // A stored field of the working copy was written since the state last changed.
  bool Modified() const { return modified_; }
  // Something changed since the file was read or written: closing writes it.
  bool Changed() const { return changed_; }

  // Has every bound control write its pending text into its field; editing states only.
  void UpdateRecord();

 protected:
  // Binds the stored fields (BindField), reads the records into Records().
  virtual void InternalOpen() = 0;
  // Writes Records() to the file.
  virtual void InternalSave() = 0;
  // Forgets what InternalOpen fixed; called once the records are gone, so they may point into
  // storage that lives until then.
  virtual void InternalRelease() {}
  // The decoded value of a bound column; may point into Scratch.
  virtual std::string_view ReadValue(const TRecordLine& Line, int Column,
                                     std::string& Scratch) const = 0;
  virtual void WriteValue(TRecordLine& Line, int Column, std::string_view Text) = 0;
  // The line of a new record: every value empty.
  virtual TRecordLine NewRecordLine() const = 0;
  // Called inside the catch block when computing a record read into the window failed; may
  // raise another error in its place. The default lets the error go on.
  virtual void RecordReadFailed(int RecordIndex);

  std::vector<TRecordLine>& Records() { return records_; }
  const std::vector<TRecordLine>& Records() const { return records_; }
  static void BindField(TField& Field, int Column) { Field.slot_ = Column; }
  // For the destructor of a derived table: closes (writing changes) or retries a failed write,
  // ignoring every error.
  void CloseForDestruction() noexcept;

 private:
  friend class TField;
  friend class TDataLink;
  friend class TDataSource;

  // A record as the window holds it: a copy of its line and its calculated values.
  struct TRecordCopy {
    int Index = -1;  // position in the record list; -1 for a record being inserted
    TRecordLine Line;
    std::vector<std::string> Calc;
  };
  struct TWindow {
    std::vector<TRecordCopy> Rows;
    int Active = 0;
  };

  void CheckActive() const;
  void CheckCanModify() const;
  void CheckBrowseMode();
  void SetState(TDataSetState Value);
  void BeginInsert(bool AtEnd);
  void Release();

  TRecordCopy ReadRow(int Index, std::exception_ptr* Deferred);
  void RunCalc(TRecordCopy& Row);
  TWindow WindowAround(int Index, int Position, std::exception_ptr* Deferred);
  void Install(TWindow Window);
  void Resync(int Index, int Position);
  void ShowNoRecords();

  std::string FieldText(const TField& Field) const;
  void SetFieldText(TField& Field, std::string_view Text);
  std::string RowText(const TRecordCopy& Row, const TField& Field) const;
  bool KeysMatch(int Index, const std::vector<TField*>& Keys, const TKeyValues& Values,
                 TLocateOptions Options);

  int WantedCapacity() const;
  void UpdateCapacity();
  void DataEvent(TDataEvent Event, TField* Field = nullptr, int Distance = 0);

  std::vector<std::unique_ptr<TField>> fields_;
  int calcCount_ = 0;
  std::vector<TRecordLine> records_;
  TDataSetState state_ = dsInactive;
  std::vector<TRecordCopy> window_;
  int active_ = 0;    // the current record's row in window_
  int capacity_ = 1;  // rows the window may hold
  int insertPos_ = 0;
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;
  bool changed_ = false;
  bool unsaved_ = false;  // the last close failed to write; records_ are kept for a retry
  TRecordCopy* calcRow_ = nullptr;
  std::vector<TDataSource*> sources_;
};

}  // namespace wrenly
