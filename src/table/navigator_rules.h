#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>

#include "table/dataset.h"

// The rules of the record navigator bar, apart from its buttons.
namespace wrenly {

// The bar's controls, in the order they stand left to right.
enum TNavigateBtn {
  nbFirst,
  nbPrior,
  nbRecNo,        // the record number box
  nbRecordCount,  // " of " and the record count box
  nbNext,
  nbLast,
  nbNew,     // append a record
  nbInsert,  // insert a record at the current position
  nbDelete,
};
inline constexpr int kNavigateBtnCount = nbDelete + 1;

class TNavigateButtons {
 public:
  constexpr TNavigateButtons() = default;
  constexpr TNavigateButtons(std::initializer_list<TNavigateBtn> Buttons) {
    for (const TNavigateBtn button : Buttons) {
      bits_ |= 1u << button;
    }
  }
  static constexpr TNavigateButtons All() {
    TNavigateButtons all;
    all.bits_ = (1u << kNavigateBtnCount) - 1;
    return all;
  }
  constexpr bool Contains(TNavigateBtn Button) const { return (bits_ & (1u << Button)) != 0; }
  constexpr void Include(TNavigateBtn Button) { bits_ |= 1u << Button; }
  constexpr void Exclude(TNavigateBtn Button) { bits_ &= ~(1u << Button); }
  friend constexpr bool operator==(TNavigateButtons, TNavigateButtons) = default;

 private:
  unsigned bits_ = 0;
};

// Which controls are enabled for Table (none without a table or with a closed one): First and
// Prior unless the table is at its beginning, Next and Last unless at its end, the record number
// box and Delete when it can be modified and is not empty (not at both ends at once), New and
// Insert when it can be modified. The count box and its label are always enabled while open.
TNavigateButtons NavigatorEnabled(const TDataSet* Table);

// What the record number box does with its Text, given the table's record count. Text that is
// not a whole number does nothing (Ignore). A whole number from 0 to Count - 1 names the record
// to go to (GoTo); any other leaves GoTo empty, and the box shows the current number again.
struct TRecordNumberAction {
  bool Ignore = false;
  std::optional<int> GoTo;
};
TRecordNumberAction RecordNumberAction(std::string_view Text, int Count);

}  // namespace wrenly
