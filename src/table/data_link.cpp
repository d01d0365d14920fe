#include "table/data_link.h"

#include <algorithm>

namespace wrenly {

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  for (TDataLink* link : links_) {
    link->source_ = nullptr;
  }
}

void TDataSource::SetDataSet(TDataSet* DataSet) {
  if (DataSet == dataSet_) {
    return;
  }
  if (dataSet_ != nullptr) {
    TDataSet* old = dataSet_;
    std::erase(old->sources_, this);
    dataSet_ = nullptr;
    old->UpdateCapacity();
    UpdateLinksActive();
  }
  if (DataSet != nullptr) {
    DataSet->sources_.push_back(this);
    dataSet_ = DataSet;
    DataSet->UpdateCapacity();
    UpdateLinksActive();
  }
}

void TDataSource::Edit() {
  if (AutoEdit && State() == dsBrowse) {
    dataSet_->Edit();
  }
}

void TDataSource::UpdateLinksActive() {
  for (TDataLink* link : std::vector<TDataLink*>(links_)) {
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) {
      link->UpdateActive();
    }
  }
}

TDataLink::~TDataLink() {
  Detach();
}

void TDataLink::Detach() {
  if (source_ == nullptr) {
    return;
  }
  std::erase(source_->links_, this);
  TDataSet* table = DataSet();
  source_ = nullptr;
  if (table != nullptr) {
    table->UpdateCapacity();
  }
}

void TDataLink::SetDataSource(TDataSource* Source) {
  if (Source == source_) {
    return;
  }
  Detach();
  UpdateActive();
  if (Source != nullptr) {
    Source->links_.push_back(this);
    source_ = Source;
    if (TDataSet* table = DataSet()) {
      table->UpdateCapacity();
    }
    UpdateActive();
  }
}

void TDataLink::SetBufferCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == bufferCount_) {
    return;
  }
  bufferCount_ = Value;
  if (TDataSet* table = DataSet()) {
    table->UpdateCapacity();
  }
  UpdateRange();
}

int TDataLink::ActiveRecord() const {
  return active_ ? DataSet()->active_ - first_ : 0;
}

int TDataLink::RecordCount() const {
  if (!active_) {
    return 0;
  }
  const int rows = static_cast<int>(DataSet()->window_.size()) - first_;
  return std::clamp(rows, 0, bufferCount_);
}

std::string TDataLink::FieldText(int Row, const TField& Field) const {
  if (Row < 0 || Row >= RecordCount()) {
    return {};
  }
  const TDataSet& table = *DataSet();
  return table.RowText(table.window_[static_cast<std::size_t>(first_ + Row)], Field);
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TDataLink::UpdateActive() {
  const TDataSet* table = DataSet();
  const bool active = table != nullptr && table->Active();
  if (active == active_) {
    return;
  }
  active_ = active;
  first_ = 0;
  UpdateRange();
  ActiveChanged();
}

// Keeps this link's rows inside the window's capacity and the current record among them.
void TDataLink::UpdateRange() {
  const TDataSet* table = DataSet();
  if (!active_ || table == nullptr) {
    first_ = 0;
    return;
  }
  const int current = table->active_;
  const int lowest = std::max(0, current - bufferCount_ + 1);
  const int highest = std::min(table->capacity_ - bufferCount_, current);
  first_ = std::max(lowest, std::min(first_, highest));
}

void TDataLink::Notify(TDataEvent Event, TField* Field, int Distance) {
  if (Event == TDataEvent::StateChanged) {
    UpdateActive();
    StateChanged();
    return;
  }
  if (!active_) {
    return;
  }
  switch (Event) {
    case TDataEvent::RecordChanged:
      if (!updating_) {
        RecordChanged(Field);
      }
      break;
    case TDataEvent::DataSetChanged:
      UpdateRange();
      DataSetChanged();
      break;
    case TDataEvent::DataSetScrolled:
      first_ += Distance;
      UpdateRange();
      DataSetScrolled(Distance);
      break;
    case TDataEvent::UpdateRecord:
      UpdateRecord();
      break;
    case TDataEvent::CheckBrowseMode:
      CheckBrowseMode();
      break;
    case TDataEvent::StateChanged:
      break;
  }
}

}  // namespace wrenly
