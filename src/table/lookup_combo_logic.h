#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "table/control_rules.h"
#include "table/control_timing.h"
#include "table/data_link.h"

namespace wrenly {

// The time between two scroll steps of a lookup list dragged Distance pixels past its edge:
// 200 ms less 15 for every pixel, never below 0.
int DragScrollInterval(int Distance);

// What a lookup combo box does, without the drawing: it picks a record of its list table and
// shows one field of it. It changes no table value; choosing only moves the list table's cursor.
//
// Its key value is a value of KeyField, or null (empty text, as for a field); its shown text is
// ListField of the first record whose KeyField equals the key exactly, recomputed whenever the
// key changes and when the list table opens or closes, and empty when there is none. The
// drop-down list is a view of the list table of at most DropDownRows rows, through a window of
// records that follows the list table's cursor; while it is open, browsing moves that cursor and
// makes the record under it the list's own key, which becomes the box's key only when the list
// is accepted. Typing searches the list field by prefix, ignoring letter case, with a pause of
// more than 2000 ms starting a new search.
//
// Errors: a field name that matches no field raises "<ControlName>: Field '<name>' not found".
// Locating never raises (a failure counts as not found); moving the cursor while browsing may,
// when it has to post a pending edit that fails.
class TLookupComboLogic {
 public:
  static constexpr int kSearchPauseMs = 2000;
  static constexpr std::size_t kMaxSearchLength = 32;

  explicit TLookupComboLogic(TTimeSource& Time);
  ~TLookupComboLogic();
  TLookupComboLogic(const TLookupComboLogic&) = delete;
  TLookupComboLogic& operator=(const TLookupComboLogic&) = delete;

  // The prefix of binding errors.
  std::string ControlName;

  TDataSource* ListSource() const { return link_->DataSource(); }
  void SetListSource(TDataSource* Source);
  const std::string& KeyField() const { return keyFieldName_; }
  void SetKeyField(std::string_view Name);
  const std::string& ListField() const { return listFieldName_; }
  void SetListField(std::string_view Name);
  int DropDownRows() const { return link_->BufferCount(); }
  void SetDropDownRows(int Rows);
  // Takes the timers from Time from now on; stops a drag scroll in progress.
  void SetTimeSource(TTimeSource& Time);

  const std::string& KeyValue() const { return key_; }
  void SetKeyValue(std::string_view Value);
  const std::string& Text() const { return text_; }
  const std::string& SearchText() const { return search_; }

  // The drop-down list.
  bool ListVisible() const { return listVisible_; }
  // The rows the open list is sized for: one per record, at most DropDownRows; DropDownRows
  // when the list table has no records.
  int ListRowCount() const;
  // The rows it shows now (at most ListRowCount()), their text, and the highlighted one: the
  // row of the list table's current record once the list's key stands on it.
  int ListRows() const;
  std::string ListRowText(int Row) const;
  bool ListRowSelected(int Row) const;
  const std::string& ListKeyValue() const { return listKey_; }

  // Opens the list when the list table is open: the list takes the box's key, which moves the
  // cursor to that key's record, or to the first record when the key cannot be located. Returns
  // whether the list is open.
  bool DropDown();
  // Closes the list. Accepting makes the list's key the box's key (which locates it again when
  // it changed); dismissing keeps the box's key and leaves the cursor where the list left it.
  // Either way the search text is cleared and then OnCloseUp runs.
  void CloseUp(bool Accept);

  // Browsing the open list: each moves the cursor and takes the key under it.
  void ListMoveBy(int Distance);
  void ListFirst();
  void ListLast();
  // Page Up (-1) and Page Down (+1): by the list's rows less one.
  void ListPage(int Direction);
  // The pointer, with the button held, over Row of the list.
  void ListTrackRow(int Row);
  // The pointer, with the button held, Distance pixels above (negative) or below (positive)
  // the list: one record per tick in that direction, the tick following the distance. 0 stops.
  void ListTrackOutside(int Distance);

  // A key pressed in the box or in its open list; returns whether it was used.
  bool KeyDown(const TKeyStroke& Key);
  // The box gained the focus.
  void FocusEntered() { search_.clear(); }

  std::function<void()> OnCloseUp;
  // The shown text changed.
  std::function<void()> OnTextChange;
  // The open list's rows or its highlight may have changed.
  std::function<void()> OnListChange;
  // The list opened or closed.
  std::function<void()> OnListVisibleChange;

 private:
  class TListLink;
  friend class TListLink;

  TDataSet* ListTable() const { return link_->DataSet(); }
  bool Ready() const;
  void UpdateFields();
  void UpdateText();
  bool SafeLocate(const TField& Field, const std::string& Value, TLocateOptions Options = {});
  std::string CurrentKey() const;
  void TakeListKey();
  void StepKey(int Direction);
  void Search(char Char);
  void ScrollTick();
  void ListActiveChanged();
  void ListDataChanged();
  void Notify(const std::function<void()>& Event) const;

  std::unique_ptr<TDataLink> link_;  // a TListLink
  TTimeSource* time_;
  std::unique_ptr<TTimer> scrollTimer_;
  std::string keyFieldName_;
  std::string listFieldName_;
  TField* keyField_ = nullptr;
  TField* listField_ = nullptr;
  std::string key_;
  std::string text_;
  std::string search_;
  std::int64_t lastSearchKey_ = 0;
  bool listVisible_ = false;
  std::string listKey_;
  bool listOnKey_ = false;
  int scrollDirection_ = 0;
  int scrollInterval_ = 0;
};

}  // namespace wrenly
