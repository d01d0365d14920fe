#include "table/navigator_rules.h"

#include <charconv>

namespace wrenly {

TNavigateButtons NavigatorEnabled(const TDataSet* Table) {
  TNavigateButtons enabled;
  if (Table == nullptr || !Table->Active()) {
    return enabled;
  }
  const bool canModify = Table->CanModify();
  const bool empty = Table->Bof() && Table->Eof();
  if (!Table->Bof()) {
    enabled.Include(nbFirst);
    enabled.Include(nbPrior);
  }
  if (!Table->Eof()) {
    enabled.Include(nbNext);
    enabled.Include(nbLast);
  }
  if (canModify && !empty) {
    enabled.Include(nbRecNo);
    enabled.Include(nbDelete);
  }
  if (canModify) {
    enabled.Include(nbNew);
    enabled.Include(nbInsert);
  }
  enabled.Include(nbRecordCount);
  return enabled;
}

TRecordNumberAction RecordNumberAction(std::string_view Text, int Count) {
  // Blanks around the number are forgiven; anything else that is not digits is not a number.
  while (!Text.empty() && Text.front() == ' ') {
    Text.remove_prefix(1);
  }
  while (!Text.empty() && Text.back() == ' ') {
    Text.remove_suffix(1);
  }
  if (!Text.empty() && Text.front() == '+') {
    Text.remove_prefix(1);
    if (!Text.empty() && Text.front() == '-') {
      return {.Ignore = true};
    }
  }
  long long number = 0;
  const char* end = Text.data() + Text.size();
  const auto [stop, error] = std::from_chars(Text.data(), end, number);
  const bool digitsOnly = !Text.empty() && stop == end;
  if (error == std::errc::result_out_of_range && digitsOnly) {
    return {};  // a whole number, far from any record
  }
  if (error != std::errc() || !digitsOnly) {
    return {.Ignore = true};
  }
  if (number < 0 || number >= Count) {
    return {};
  }
  return {.GoTo = static_cast<int>(number)};
}

}  // namespace wrenly
