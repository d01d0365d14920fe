#include "table/dataset.h"

#include <algorithm>

#include "table/ansi_text.h"
#include "table/data_link.h"
#include "table/db_errors.h"

namespace wrenly {

namespace {

constexpr std::string_view kClosed = "Cannot perform this operation on a closed dataset";
constexpr std::string_view kEmpty = "Cannot perform this operation on an empty dataset";
constexpr std::string_view kNotEditing = "Dataset not in edit or insert mode";
constexpr std::string_view kReadOnly = "Cannot modify a read-only dataset";
constexpr int kMaxKeyFields = 21;

bool IsEditing(TDataSetState State) {
  return State == dsEdit || State == dsInsert;
}

std::vector<std::string_view> SplitNames(std::string_view Names) {
  const char separator = Names.find(',') != std::string_view::npos ? ',' : ';';
  std::vector<std::string_view> names;
  for (;;) {
    const std::size_t end = Names.find(separator);
    names.push_back(Names.substr(0, end));
    if (end == std::string_view::npos) {
      return names;
    }
    Names.remove_prefix(end + 1);
  }
}

bool KeyMatches(std::string_view Value, std::string_view Key, TLocateOptions Options) {
  if (Value == Key) {
    return true;
  }
  if (Options.Empty()) {
    return false;
  }
  if (Options.Contains(loPartialKey) && Value.size() > Key.size()) {
    Value = Value.substr(0, Key.size());
  }
  if (Value.size() != Key.size()) {
    return false;
  }
  if (!Options.Contains(loCaseInsensitive)) {
    return Value == Key;
  }
  for (std::size_t i = 0; i < Key.size(); ++i) {
    if (AsciiUpperChar(Value[i]) != AsciiUpperChar(Key[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string TField::AsString() const {
  return dataSet_->FieldText(*this);
}

void TField::SetAsString(std::string_view Value) {
  dataSet_->SetFieldText(*this, Value);
}

bool TField::CanModify() const {
  return fieldKind_ == fkData && dataSet_->CanModify();
}

TDataSet::TDataSet() = default;

TDataSet::~TDataSet() {
  // Data sources may outlive the table: they are left without one.
  for (TDataSource* source : std::vector<TDataSource*>(sources_)) {
    source->dataSet_ = nullptr;
    source->UpdateLinksActive();
  }
}

TStringField& TDataSet::AddField(std::string_view FieldName, TFieldKind Kind, int Size) {
  if (Active()) {
    throw EDatabaseError(Name, "Cannot perform this operation on an open dataset");
  }
  if (FindField(FieldName) != nullptr) {
    throw EDatabaseError(Name, "Duplicate field name '" + std::string(FieldName) + "'");
  }
  auto* field = new TStringField(*this, FieldName, Kind, std::max(Size, 1), FieldCount());
  fields_.emplace_back(field);
  if (Kind == fkCalculated) {
    field->slot_ = calcCount_++;
  }
  return *field;
}

TField* TDataSet::FindField(std::string_view FieldName) const {
  for (const auto& field : fields_) {
    if (AnsiSameText(field->FieldName(), FieldName)) {
      return field.get();
    }
  }
  return nullptr;
}

TField& TDataSet::FieldByName(std::string_view FieldName) const {
  TField* field = FindField(FieldName);
  if (field == nullptr) {
    throw EDatabaseError(Name, "Field '" + std::string(FieldName) + "' not found");
  }
  return *field;
}

void TDataSet::Open() {
  if (Active()) {
    return;
  }
  if (unsaved_) {
    InternalSave();
    unsaved_ = false;
    changed_ = false;
    Release();
  }
  try {
    InternalOpen();
    changed_ = false;
    capacity_ = WantedCapacity();
    Install(records_.empty() ? TWindow{} : WindowAround(0, 0, nullptr));
  } catch (...) {
    window_.clear();
    Release();
    throw;
  }
  bof_ = true;
  eof_ = records_.empty();
  SetState(dsBrowse);
}

void TDataSet::Close() {
  if (!Active()) {
    return;
  }
  window_.clear();
  active_ = 0;
  // The records must reach the file even if a link fails to take the news.
  std::exception_ptr linkError;
  try {
    SetState(dsInactive);
  } catch (...) {
    linkError = std::current_exception();
  }
  if (changed_) {
    try {
      InternalSave();
    } catch (...) {
      unsaved_ = true;
      throw;
    }
    changed_ = false;
  }
  Release();
  if (linkError) {
    std::rethrow_exception(linkError);
  }
}

void TDataSet::SetActive(bool Value) {
  if (Value) {
    Open();
  } else {
    Close();
  }
}

void TDataSet::CloseForDestruction() noexcept {
  try {
    if (Active()) {
      Close();
    } else if (unsaved_) {
      InternalSave();
    }
  } catch (...) {
    // The program is ending; there is nobody left to tell.
  }
}

void TDataSet::Release() {
  records_.clear();
  records_.shrink_to_fit();
  for (const auto& field : fields_) {
    if (!field->Calculated()) {
      field->slot_ = -1;
    }
  }
  InternalRelease();
}

void TDataSet::CheckActive() const {
  if (!Active()) {
    throw EDatabaseError(Name, kClosed);
  }
}

void TDataSet::CheckCanModify() const {
  if (!CanModify()) {
    throw EDatabaseError(Name, kReadOnly);
  }
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(TDataEvent::CheckBrowseMode);
  if (IsEditing(state_)) {
    UpdateRecord();
    if (modified_) {
      Post();
    } else {
      Cancel();
    }
  } else if (state_ == dsSetKey) {
    Post();
  }
}

void TDataSet::SetState(TDataSetState Value) {
  if (state_ == Value) {
    return;
  }
  state_ = Value;
  modified_ = false;
  DataEvent(TDataEvent::StateChanged);
}

void TDataSet::UpdateRecord() {
  if (!IsEditing(state_) && state_ != dsSetKey) {
    throw EDatabaseError(Name, kNotEditing);
  }
  DataEvent(TDataEvent::UpdateRecord);
}

void TDataSet::First() {
  CheckBrowseMode();
  Install(records_.empty() ? TWindow{} : WindowAround(0, 0, nullptr));
  bof_ = true;
  eof_ = records_.empty();
  DataEvent(TDataEvent::DataSetChanged);
}

void TDataSet::Last() {
  CheckBrowseMode();
  Install(records_.empty() ? TWindow{} : WindowAround(RecordCount() - 1, capacity_ - 1, nullptr));
  bof_ = records_.empty();
  eof_ = true;
  DataEvent(TDataEvent::DataSetChanged);
}

int TDataSet::MoveBy(int Distance) {
  CheckBrowseMode();
  if (Distance == 0 || (Distance > 0 && eof_) || (Distance < 0 && bof_)) {
    return 0;
  }
  // Built aside, so that a failing OnCalcFields leaves the cursor where it was.
  TWindow window{window_, active_};
  auto& rows = window.Rows;
  const std::size_t oldCount = rows.size();
  const auto capacity = static_cast<std::size_t>(capacity_);
  bool bof = false;
  bool eof = false;
  int scrolled = 0;
  int moved = 0;
  while (Distance > 0) {
    if (static_cast<std::size_t>(window.Active) + 1 < rows.size()) {
      ++window.Active;
    } else {
      const int next = rows.empty() ? RecordCount() : rows.back().Index + 1;
      if (next >= RecordCount()) {
        eof = true;
        break;
      }
      TRecordCopy row = ReadRow(next, nullptr);
      if (rows.size() >= capacity) {
        rows.erase(rows.begin());
        --scrolled;
      }
      rows.push_back(std::move(row));
      window.Active = static_cast<int>(rows.size()) - 1;
    }
    --Distance;
    ++moved;
  }
  while (Distance < 0) {
    if (window.Active > 0) {
      --window.Active;
    } else {
      const int prior = rows.empty() ? -1 : rows.front().Index - 1;
      if (prior < 0) {
        bof = true;
        break;
      }
      TRecordCopy row = ReadRow(prior, nullptr);
      if (rows.size() >= capacity) {
        rows.pop_back();
        ++scrolled;
      }
      rows.insert(rows.begin(), std::move(row));
    }
    ++Distance;
    ++moved;
  }
  Install(std::move(window));
  bof_ = bof;
  eof_ = eof;
  if (window_.size() != oldCount) {
    DataEvent(TDataEvent::DataSetChanged);
  } else {
    DataEvent(TDataEvent::DataSetScrolled, nullptr, scrolled);
  }
  return moved;
}

void TDataSet::Edit() {
  if (IsEditing(state_)) {
    return;
  }
  if (records_.empty()) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  RunCalc(window_[static_cast<std::size_t>(active_)]);
  SetState(dsEdit);
  DataEvent(TDataEvent::RecordChanged);
}

void TDataSet::Insert() {
  BeginInsert(false);
}

void TDataSet::Append() {
  BeginInsert(true);
}

void TDataSet::BeginInsert(bool AtEnd) {
  CheckBrowseMode();
  CheckCanModify();
  TRecordCopy row{-1, NewRecordLine(),
                  std::vector<std::string>(static_cast<std::size_t>(calcCount_))};
  if (AtEnd) {
    // The last records before the new one.
    TWindow window;
    const int before = std::min(capacity_ - 1, RecordCount());
    for (int index = RecordCount() - before; index < RecordCount(); ++index) {
      window.Rows.push_back(ReadRow(index, nullptr));
    }
    window.Rows.push_back(std::move(row));
    window.Active = before;
    Install(std::move(window));
    insertPos_ = RecordCount();
    bof_ = false;
    eof_ = true;
  } else {
    const int position = window_.empty() ? 0 : active_;
    insertPos_ = window_.empty() ? 0 : window_[static_cast<std::size_t>(active_)].Index;
    window_.insert(window_.begin() + position, std::move(row));
    if (window_.size() > static_cast<std::size_t>(capacity_)) {
      window_.pop_back();
    }
    active_ = position;
  }
  SetState(dsInsert);
  modified_ = false;
  DataEvent(TDataEvent::DataSetChanged);
}

void TDataSet::Post() {
  if (!IsEditing(state_) && state_ != dsSetKey) {
    throw EDatabaseError(Name, kNotEditing);
  }
  UpdateRecord();
  if (state_ == dsSetKey) {
    return;
  }
  DataEvent(TDataEvent::CheckBrowseMode);
  if (BeforePost) {
    BeforePost(*this);
  }
  const TRecordLine& line = window_[static_cast<std::size_t>(active_)].Line;
  int index = 0;
  if (state_ == dsEdit) {
    index = window_[static_cast<std::size_t>(active_)].Index;
    records_[static_cast<std::size_t>(index)] = line;
  } else {
    index = insertPos_;
    records_.insert(records_.begin() + index, line);
  }
  changed_ = true;
  SetState(dsBrowse);
  bof_ = false;
  eof_ = false;
  Resync(index, active_);
  if (AfterPost) {
    AfterPost(*this);
  }
}

void TDataSet::Cancel() {
  if (!IsEditing(state_)) {
    return;
  }
  DataEvent(TDataEvent::CheckBrowseMode);
  // Back to the record that was current when the edit or insert began; after an append, the
  // last record.
  const int index = state_ == dsEdit ? window_[static_cast<std::size_t>(active_)].Index
                                     : std::min(insertPos_, RecordCount() - 1);
  SetState(dsBrowse);
  if (records_.empty()) {
    ShowNoRecords();
    return;
  }
  Resync(index, active_);
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert || state_ == dsSetKey) {
    Cancel();
    return;
  }
  if (window_.empty()) {
    throw EDatabaseError(Name, kEmpty);
  }
  DataEvent(TDataEvent::CheckBrowseMode);
  const int index = window_[static_cast<std::size_t>(active_)].Index;
  records_.erase(records_.begin() + index);
  changed_ = true;
  SetState(dsBrowse);
  if (records_.empty()) {
    ShowNoRecords();
    return;
  }
  // The record that followed, or the new last one; BOF and EOF stay true to what they were.
  Resync(std::min(index, RecordCount() - 1), active_);
}

// The record list became empty: no current record, and BOF and EOF both set.
void TDataSet::ShowNoRecords() {
  window_.clear();
  active_ = 0;
  bof_ = true;
  eof_ = true;
  DataEvent(TDataEvent::DataSetChanged);
}

// Rebuilds the window around a record after the record list changed. A failing OnCalcFields
// cannot undo that change, so the window is installed anyway and the error raised after.
void TDataSet::Resync(int Index, int Position) {
  std::exception_ptr error;
  Install(WindowAround(Index, Position, &error));
  DataEvent(TDataEvent::DataSetChanged);
  if (error) {
    std::rethrow_exception(error);
  }
}

bool TDataSet::Locate(std::string_view KeyFields, const TKeyValues& KeyValues,
                      TLocateOptions Options) {
  if (!Active()) {
    return false;
  }
  CheckBrowseMode();
  const std::vector<std::string_view> names = SplitNames(KeyFields);
  if (names.size() > kMaxKeyFields || static_cast<int>(names.size()) != KeyValues.Count() ||
      names.front().empty()) {
    return false;
  }
  std::vector<TField*> keys;
  for (const std::string_view name : names) {
    keys.push_back(&FieldByName(name));
  }
  for (int index = 0; index < RecordCount(); ++index) {
    if (KeysMatch(index, keys, KeyValues, Options)) {
      Install(WindowAround(index, active_, nullptr));
      bof_ = false;
      eof_ = false;
      DataEvent(TDataEvent::DataSetChanged);
      return true;
    }
  }
  return false;
}

bool TDataSet::KeysMatch(int Index, const std::vector<TField*>& Keys, const TKeyValues& Values,
                         TLocateOptions Options) {
  const TRecordLine& line = records_[static_cast<std::size_t>(Index)];
  std::string scratch;
  TRecordCopy computed;  // only for calculated key fields
  bool isComputed = false;
  for (std::size_t key = 0; key < Keys.size(); ++key) {
    const TField& field = *Keys[key];
    std::string_view value;
    if (field.Calculated()) {
      if (!isComputed) {
        computed = ReadRow(Index, nullptr);
        isComputed = true;
      }
      value = computed.Calc[static_cast<std::size_t>(field.slot_)];
    } else {
      value = ReadValue(line, field.slot_, scratch);
    }
    if (!KeyMatches(value, Values[static_cast<int>(key)], Options)) {
      return false;
    }
  }
  return true;
}

int TDataSet::RecNo() const {
  CheckActive();
  if (window_.empty()) {
    return -1;
  }
  const int index = window_[static_cast<std::size_t>(active_)].Index;
  return index < 0 ? insertPos_ : index;
}

void TDataSet::SetRecNo(int Value) {
  if (!Active() || Value < 0 || Value >= RecordCount()) {
    return;
  }
  CheckBrowseMode();
  Install(WindowAround(std::min(Value, RecordCount() - 1), active_, nullptr));
  bof_ = false;
  eof_ = false;
  DataEvent(TDataEvent::DataSetChanged);
}

void TDataSet::RecordReadFailed(int /*RecordIndex*/) {
  throw;
}

TDataSet::TRecordCopy TDataSet::ReadRow(int Index, std::exception_ptr* Deferred) {
  TRecordCopy row{Index, records_[static_cast<std::size_t>(Index)],
                  std::vector<std::string>(static_cast<std::size_t>(calcCount_))};
  try {
    RunCalc(row);
  } catch (...) {
    if (Deferred == nullptr) {
      RecordReadFailed(Index);
      throw;
    }
    try {
      RecordReadFailed(Index);
      throw;
    } catch (...) {
      if (!*Deferred) {
        *Deferred = std::current_exception();
      }
    }
    std::fill(row.Calc.begin(), row.Calc.end(), std::string());
  }
  return row;
}

void TDataSet::RunCalc(TRecordCopy& Row) {
  if (calcCount_ == 0) {
    return;
  }
  std::fill(Row.Calc.begin(), Row.Calc.end(), std::string());
  if (!OnCalcFields) {
    return;
  }
  struct Restore {
    TDataSet& Table;
    TDataSetState State;
    TRecordCopy* Row;
    ~Restore() {
      Table.state_ = State;
      Table.calcRow_ = Row;
    }
  } restore{*this, state_, calcRow_};
  state_ = dsCalcFields;
  calcRow_ = &Row;
  OnCalcFields(*this);
}

// The window with the record at Index at row Position as far as enough records precede it,
// filled after it and, where the end comes first, before it.
TDataSet::TWindow TDataSet::WindowAround(int Index, int Position, std::exception_ptr* Deferred) {
  TWindow window;
  const int before = std::max(0, std::min({Position, Index, capacity_ - 1}));
  for (int index = Index - before; index <= Index; ++index) {
    window.Rows.push_back(ReadRow(index, Deferred));
  }
  window.Active = before;
  auto full = [&] { return window.Rows.size() >= static_cast<std::size_t>(capacity_); };
  for (int index = Index + 1; !full() && index < RecordCount(); ++index) {
    window.Rows.push_back(ReadRow(index, Deferred));
  }
  for (int index = Index - before - 1; !full() && index >= 0; --index) {
    window.Rows.insert(window.Rows.begin(), ReadRow(index, Deferred));
    ++window.Active;
  }
  return window;
}

void TDataSet::Install(TWindow Window) {
  window_ = std::move(Window.Rows);
  active_ = Window.Active;
}

std::string TDataSet::FieldText(const TField& Field) const {
  if (calcRow_ != nullptr) {
    return RowText(*calcRow_, Field);
  }
  if (!Active() || window_.empty()) {
    return {};
  }
  return RowText(window_[static_cast<std::size_t>(active_)], Field);
}

std::string TDataSet::RowText(const TRecordCopy& Row, const TField& Field) const {
  if (Field.Calculated()) {
    return Row.Calc[static_cast<std::size_t>(Field.slot_)];
  }
  if (Field.slot_ < 0) {
    return {};
  }
  std::string scratch;
  const std::string_view value = ReadValue(Row.Line, Field.slot_, scratch);
  return std::string(value.substr(0, static_cast<std::size_t>(Field.Size())));
}

void TDataSet::SetFieldText(TField& Field, std::string_view Text) {
  Text = Text.substr(0, Text.find('\0'));
  Text = Text.substr(0, static_cast<std::size_t>(Field.Size()));
  if (Field.Calculated()) {
    TRecordCopy* row = calcRow_;
    if (row == nullptr && IsEditing(state_)) {
      row = &window_[static_cast<std::size_t>(active_)];
    }
    if (row == nullptr) {
      throw EDatabaseError(Name, kNotEditing);
    }
    row->Calc[static_cast<std::size_t>(Field.slot_)] = Text;
    return;
  }
  // Stored values change only through a record being edited or inserted; anything else would
  // be lost silently.
  if (!IsEditing(state_)) {
    throw EDatabaseError(Name, kNotEditing);
  }
  TRecordCopy& row = window_[static_cast<std::size_t>(active_)];
  WriteValue(row.Line, Field.slot_, Text);
  changed_ = true;
  modified_ = true;
  if (AutoCalcFields) {
    RunCalc(row);
  }
  DataEvent(TDataEvent::RecordChanged, &Field);
}

int TDataSet::WantedCapacity() const {
  int capacity = 1;
  for (const TDataSource* source : sources_) {
    for (const TDataLink* link : source->links_) {
      capacity = std::max(capacity, link->bufferCount_);
    }
  }
  return capacity;
}

void TDataSet::UpdateCapacity() {
  const int capacity = WantedCapacity();
  if (capacity == capacity_) {
    return;
  }
  capacity_ = capacity;
  if (!Active() || window_.empty()) {
    return;
  }
  TWindow window{window_, active_};
  auto& rows = window.Rows;
  const auto wanted = static_cast<std::size_t>(capacity_);
  while (rows.size() > wanted) {
    if (static_cast<std::size_t>(window.Active) + 1 < rows.size()) {
      rows.pop_back();
    } else {
      rows.erase(rows.begin());
      --window.Active;
    }
  }
  // A record being inserted sits before the record at insertPos_.
  auto after = [&](const TRecordCopy& row) { return row.Index < 0 ? insertPos_ : row.Index + 1; };
  auto before = [&](const TRecordCopy& row) {
    return row.Index < 0 ? insertPos_ - 1 : row.Index - 1;
  };
  while (rows.size() < wanted && after(rows.back()) < RecordCount()) {
    rows.push_back(ReadRow(after(rows.back()), nullptr));
  }
  while (rows.size() < wanted && before(rows.front()) >= 0) {
    rows.insert(rows.begin(), ReadRow(before(rows.front()), nullptr));
    ++window.Active;
  }
  Install(std::move(window));
  DataEvent(TDataEvent::DataSetChanged);
}

void TDataSet::DataEvent(TDataEvent Event, TField* Field, int Distance) {
  // A link may detach itself or others while it is told; each is checked before it is told.
  const std::vector<TDataSource*> sources = sources_;
  for (TDataSource* source : sources) {
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) {
      continue;
    }
    const std::vector<TDataLink*> links = source->links_;
    for (TDataLink* link : links) {
      if (source->dataSet_ == this &&
          std::find(source->links_.begin(), source->links_.end(), link) != source->links_.end()) {
        link->Notify(Event, Field, Distance);
      }
    }
  }
}

}  // namespace wrenly
