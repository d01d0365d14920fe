#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One record as the CSV file holds it: the text of its line and where each value starts. A
// record that is never written keeps its line byte for byte (blanks, quoting, extra values).
namespace wrenly {

// A line holds at most this many values.
inline constexpr int kMaxCsvColumns = 120;
// A line of this many characters or more cannot be read, so no line may ever grow to it.
inline constexpr std::size_t kCsvLineTooLong = 2047;

class TRecordLine {
 public:
  TRecordLine() : starts_{0} {}
  // Splits Text into values: a double quote switches between outside and inside quotes, two
  // double quotes inside quotes stand for one, and a separator outside quotes starts the next
  // value. Raises ERangeError when the line has more than kMaxCsvColumns values.
  TRecordLine(std::string Text, char Separator);

  const std::string& Text() const { return text_; }
  // At least 1: an empty line holds one empty value.
  int ValueCount() const { return static_cast<int>(starts_.size()); }

  // The value at Position, decoded: blanks and tabs around it removed, and enclosing double
  // quotes removed with the doubled quotes inside undoubled. Empty when the line has no such
  // value. The view points into the line, or into Scratch when quotes had to be undoubled.
  std::string_view Value(int Position, std::string& Scratch) const;
  std::string Value(int Position) const;

  // Replaces the value at Position by Text as EncodeCsvValue writes it; every other value keeps
  // its text. A line without that position is first extended with empty values. Raises
  // ECsvDataSetError, leaving the line as it was, when the line would grow too long to be read
  // back.
  void SetValue(int Position, std::string_view Text, char Separator);

 private:
  std::string_view RawValue(int Position) const;

  std::string text_;
  // The start of each value in text_; lines are shorter than kCsvLineTooLong.
  std::vector<std::uint16_t> starts_;
};

// The text written for a value: unchanged unless it holds the separator, a CR, a LF or a double
// quote; then it is enclosed in double quotes, with a double quote doubled, CR written as \r, LF
// as \n, a tab kept and every other control character dropped.
std::string EncodeCsvValue(std::string_view Text, char Separator);

// The error for a line that is too long: its first 40 characters.
[[noreturn]] void RaiseLineTooLong(std::string_view Line);
// The error for more values or columns than kMaxCsvColumns.
[[noreturn]] void RaiseTooManyColumns();

}  // namespace wrenly
