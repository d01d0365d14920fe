#include "table/lookup_combo_logic.h"

#include <algorithm>

#include "table/field_data_link.h"

namespace wrenly {

namespace {

constexpr int kDefaultDropDownRows = 7;
constexpr int kDragTickMs = 200;
constexpr int kDragTickStepMs = 15;

}  // namespace

int DragScrollInterval(int Distance) {
  return std::max(0, kDragTickMs - kDragTickStepMs * std::max(Distance, 0));
}

class TLookupComboLogic::TListLink final : public TDataLink {
 public:
  explicit TListLink(TLookupComboLogic& Owner) : owner_(Owner) {}

 protected:
  void ActiveChanged() override { owner_.ListActiveChanged(); }
  void DataSetChanged() override { owner_.ListDataChanged(); }
  void DataSetScrolled(int /*Distance*/) override { owner_.ListDataChanged(); }

 private:
  TLookupComboLogic& owner_;
};

TLookupComboLogic::TLookupComboLogic(TTimeSource& Time)
    : link_(std::make_unique<TListLink>(*this)), time_(&Time) {
  link_->SetBufferCount(kDefaultDropDownRows);
  SetTimeSource(Time);
}

TLookupComboLogic::~TLookupComboLogic() {
  // Nobody is left to tell once the control goes.
  OnCloseUp = nullptr;
  OnTextChange = nullptr;
  OnListChange = nullptr;
  OnListVisibleChange = nullptr;
  link_->SetDataSource(nullptr);
}

void TLookupComboLogic::SetTimeSource(TTimeSource& Time) {
  time_ = &Time;
  scrollDirection_ = 0;
  scrollTimer_ = Time.CreateTimer();
  scrollTimer_->OnTimer = [this] { ScrollTick(); };
}

void TLookupComboLogic::SetListSource(TDataSource* Source) {
  if (Source == ListSource()) {
    return;
  }
  if (listVisible_) {
    CloseUp(false);
  }
  link_->SetDataSource(Source);
  UpdateFields();
  UpdateText();
}

void TLookupComboLogic::SetKeyField(std::string_view Name) {
  keyFieldName_ = Name;
  UpdateFields();
  UpdateText();
}

void TLookupComboLogic::SetListField(std::string_view Name) {
  listFieldName_ = Name;
  UpdateFields();
  UpdateText();
}

void TLookupComboLogic::SetDropDownRows(int Rows) {
  link_->SetBufferCount(Rows);
  Notify(OnListChange);
}

// Resolves both names; a name that matches no field leaves that field unbound and raises.
void TLookupComboLogic::UpdateFields() {
  keyField_ = nullptr;
  listField_ = nullptr;
  const TDataSet* table = ListTable();
  if (table == nullptr) {
    return;
  }
  if (!keyFieldName_.empty()) {
    keyField_ = &ControlFieldByName(*table, keyFieldName_, ControlName);
  }
  if (!listFieldName_.empty()) {
    listField_ = &ControlFieldByName(*table, listFieldName_, ControlName);
  }
}

bool TLookupComboLogic::Ready() const {
  const TDataSet* table = ListTable();
  return table != nullptr && table->Active() && keyField_ != nullptr && listField_ != nullptr;
}

void TLookupComboLogic::SetKeyValue(std::string_view Value) {
  if (Value == key_) {
    return;
  }
  key_ = Value;
  UpdateText();
}

void TLookupComboLogic::UpdateText() {
  std::string text;
  if (Ready() && !key_.empty() && SafeLocate(*keyField_, key_)) {
    text = listField_->AsString();
  }
  if (text != text_) {
    text_ = std::move(text);
    Notify(OnTextChange);
  }
}

bool TLookupComboLogic::SafeLocate(const TField& Field, const std::string& Value,
                                   TLocateOptions Options) {
  try {
    return ListTable()->Locate(Field.FieldName(), Value, Options);
  } catch (...) {
    // A pending edit that could not be posted, say: the record simply is not found.
    return false;
  }
}

std::string TLookupComboLogic::CurrentKey() const {
  return keyField_ != nullptr ? keyField_->AsString() : std::string();
}

int TLookupComboLogic::ListRowCount() const {
  const TDataSet* table = ListTable();
  const int records = table != nullptr ? table->RecordCount() : 0;
  return records == 0 ? DropDownRows() : std::min(records, DropDownRows());
}

int TLookupComboLogic::ListRows() const {
  return listField_ != nullptr ? std::min(link_->RecordCount(), ListRowCount()) : 0;
}

std::string TLookupComboLogic::ListRowText(int Row) const {
  return listField_ != nullptr ? link_->FieldText(Row, *listField_) : std::string();
}

bool TLookupComboLogic::ListRowSelected(int Row) const {
  return listVisible_ && listOnKey_ && Row == link_->ActiveRecord();
}

bool TLookupComboLogic::DropDown() {
  if (listVisible_) {
    return true;
  }
  if (!Ready()) {
    return false;
  }
  listKey_ = key_;
  listOnKey_ = !key_.empty() && SafeLocate(*keyField_, key_);
  if (!listOnKey_) {
    ListTable()->First();
  }
  listVisible_ = true;
  Notify(OnListVisibleChange);
  Notify(OnListChange);
  return true;
}

void TLookupComboLogic::CloseUp(bool Accept) {
  if (!listVisible_) {
    return;
  }
  ListTrackOutside(0);
  listVisible_ = false;
  Notify(OnListVisibleChange);
  if (Accept) {
    SetKeyValue(listKey_);
  }
  search_.clear();
  Notify(OnCloseUp);
}

void TLookupComboLogic::TakeListKey() {
  listKey_ = CurrentKey();
  listOnKey_ = true;
  Notify(OnListChange);
}

void TLookupComboLogic::ListMoveBy(int Distance) {
  if (!listVisible_ || !Ready()) {
    return;
  }
  ListTable()->MoveBy(Distance);
  TakeListKey();
}

void TLookupComboLogic::ListFirst() {
  if (!listVisible_ || !Ready()) {
    return;
  }
  ListTable()->First();
  TakeListKey();
}

void TLookupComboLogic::ListLast() {
  if (!listVisible_ || !Ready()) {
    return;
  }
  ListTable()->Last();
  TakeListKey();
}

void TLookupComboLogic::ListPage(int Direction) {
  ListMoveBy(Direction * (ListRowCount() - 1));
}

void TLookupComboLogic::ListTrackRow(int Row) {
  ListTrackOutside(0);
  if (!listVisible_ || ListRows() == 0) {
    return;
  }
  Row = std::clamp(Row, 0, ListRows() - 1);
  ListMoveBy(Row - link_->ActiveRecord());
}

void TLookupComboLogic::ListTrackOutside(int Distance) {
  const int direction = (Distance > 0) - (Distance < 0);
  if (direction == 0 || !listVisible_) {
    scrollDirection_ = 0;
    scrollTimer_->Stop();
    return;
  }
  scrollDirection_ = direction;
  scrollInterval_ = DragScrollInterval(Distance * direction);
  // A running tick keeps its pace until it fires, so that a pointer moving on does not keep
  // putting the next step off.
  if (!scrollTimer_->Running()) {
    scrollTimer_->Start(scrollInterval_);
  }
}

void TLookupComboLogic::ScrollTick() {
  if (scrollDirection_ == 0 || !listVisible_) {
    scrollTimer_->Stop();
    return;
  }
  scrollTimer_->Start(scrollInterval_);
  ListMoveBy(scrollDirection_);
}

bool TLookupComboLogic::KeyDown(const TKeyStroke& Key) {
  const bool vertical = Key.Key == vkUp || Key.Key == vkDown;
  const bool typed = Key.Char >= vkSpace && !(Key.Ctrl && !Key.Alt);
  if (listVisible_) {
    if (vertical && Key.Alt) {
      CloseUp(true);
      return true;
    }
    switch (Key.Key) {
      case vkUp:
      case vkLeft:
        ListMoveBy(-1);
        return true;
      case vkDown:
      case vkRight:
        ListMoveBy(1);
        return true;
      case vkPrior:
        ListPage(-1);
        return true;
      case vkNext:
        ListPage(1);
        return true;
      case vkHome:
        ListFirst();
        return true;
      case vkEnd:
        ListLast();
        return true;
      case vkReturn:
        CloseUp(true);
        return true;
      case vkEscape:
        CloseUp(false);
        return true;
      case vkBack:
        search_.clear();
        return true;
      default:
        break;
    }
    if (typed) {
      Search(static_cast<char>(Key.Char));
      return true;
    }
    return false;
  }
  if (vertical) {
    if (Key.Alt) {
      DropDown();
    } else {
      StepKey(Key.Key == vkUp ? -1 : 1);
    }
    return true;
  }
  if (Key.Key == vkBack || Key.Key == vkEscape) {
    search_.clear();
    // Escape goes on to the window, which may close on it.
    return Key.Key == vkBack;
  }
  if (typed) {
    Search(static_cast<char>(Key.Char));
    return true;
  }
  return false;
}

// Up or Down with the list closed: one record on from the key's record (the first record when
// the key cannot be located), whose key becomes the box's. With duplicate keys the step starts
// from the record under the cursor when it holds the key, so that Down gets past them.
void TLookupComboLogic::StepKey(int Direction) {
  if (!Ready()) {
    return;
  }
  TDataSet& table = *ListTable();
  const bool located =
      !key_.empty() && !table.IsEmpty() && (CurrentKey() == key_ || SafeLocate(*keyField_, key_));
  if (located) {
    table.MoveBy(Direction);
  } else {
    table.First();
  }
  SetKeyValue(CurrentKey());
}

void TLookupComboLogic::Search(char Char) {
  if (!Ready() || listField_->FieldKind() != fkData) {
    return;
  }
  const std::int64_t now = time_->NowMs();
  if (now - lastSearchKey_ > kSearchPauseMs) {
    search_.clear();
  }
  lastSearchKey_ = now;
  if (search_.size() >= kMaxSearchLength) {
    return;
  }
  const std::string wanted = search_ + Char;
  if (!SafeLocate(*listField_, wanted, {loCaseInsensitive, loPartialKey})) {
    return;
  }
  search_ = wanted;
  if (listVisible_) {
    TakeListKey();
  } else {
    SetKeyValue(CurrentKey());
  }
}

void TLookupComboLogic::ListActiveChanged() {
  if (!link_->Active() && listVisible_) {
    CloseUp(false);
  }
  UpdateFields();
  UpdateText();
}

void TLookupComboLogic::ListDataChanged() {
  if (listVisible_) {
    Notify(OnListChange);
  }
}

void TLookupComboLogic::Notify(const std::function<void()>& Event) const {
  if (Event) {
    Event();
  }
}

}  // namespace wrenly
