#pragma once

#include <string>
#include <vector>

#include "table/dataset.h"

// The link side of a table: a data source names a table, and each bound control reaches it
// through a data link attached to a data source. Links see the table through its record window
// and are told of every change synchronously.
namespace wrenly {

class TDataSource {
 public:
  TDataSource() = default;
  ~TDataSource();
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  // A control that starts changing a value puts the table into edit state by itself.
  bool AutoEdit = true;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* DataSet);
  // The table's state; inactive without a table.
  TDataSetState State() const { return dataSet_ != nullptr ? dataSet_->State() : dsInactive; }
  // The edit request: edit when AutoEdit is on and the table is in browse state (which begins
  // an insert on a table without records).
  void Edit();

 private:
  friend class TDataSet;
  friend class TDataLink;

  void UpdateLinksActive();

  TDataSet* dataSet_ = nullptr;
  std::vector<TDataLink*> links_;
};

// The base of everything bound to a table. A link is active while its data source has an open
// table; only active links are told of changes, except state changes, which every attached
// link hears.
//
// The record window: the table keeps a window of consecutive records that holds the current
// one, as many as the largest BufferCount of its links asks for. Each link shows BufferCount
// rows of it starting at its own FirstRecord, which follows scrolling and is moved as little as
// needed to keep the current record among its rows.
class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return source_; }
  void SetDataSource(TDataSource* Source);
  // The data source's table, or none.
  TDataSet* DataSet() const { return source_ != nullptr ? source_->dataSet_ : nullptr; }
  bool Active() const { return active_; }

  // The rows this link shows: 1 for a control of one record, more for a list.
  int BufferCount() const { return bufferCount_; }
  void SetBufferCount(int Value);
  // This link's first row, as a position in the table's window.
  int FirstRecord() const { return first_; }
  // The row of the current record among this link's rows.
  int ActiveRecord() const;
  // The number of rows this link has now: at most BufferCount, fewer near a short table's end.
  int RecordCount() const;
  // A field of the record at Row (0 to RecordCount() - 1) as the window holds it: as read, or the
  // working copy while editing. Empty for a row the link does not have.
  std::string FieldText(int Row, const TField& Field) const;

  // Runs UpdateData; while it runs this link is not told of the field writes it makes.
  void UpdateRecord();

 protected:
  // The link became active or inactive (its table opened or closed, or it was attached to or
  // detached from an open table).
  virtual void ActiveChanged() {}
  // The table's state changed.
  virtual void StateChanged() {}
  // A stored field of the record being edited was written (Field), or editing began (none).
  virtual void RecordChanged(TField* /*Field*/) {}
  // The window was rebuilt: every row may hold another record.
  virtual void DataSetChanged() {}
  // The records already in the window moved by Distance rows (negative toward the end);
  // FirstRecord has already followed them.
  virtual void DataSetScrolled(int /*Distance*/) {}
  // Write pending text into the field: the table is about to post or settle an edit.
  virtual void UpdateData() {}
  // The table is about to settle a pending edit, post, cancel or delete.
  virtual void CheckBrowseMode() {}

 private:
  friend class TDataSet;
  friend class TDataSource;

  void Notify(TDataEvent Event, TField* Field, int Distance);
  void UpdateActive();
  void UpdateRange();
  void Detach();

  TDataSource* source_ = nullptr;
  int bufferCount_ = 1;
  int first_ = 0;
  bool active_ = false;
  bool updating_ = false;
};

}  // namespace wrenly
