#pragma once

#include <cstdint>
#include <memory>
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

// Appends to Starts the start of each value of Line and returns how many there are: a double
// quote switches between outside and inside quotes, two double quotes inside quotes stand for
// one, and a separator outside quotes starts the next value. Raises ERangeError when the line
// has more than kMaxCsvColumns values.
int SplitCsvValues(std::string_view Line, char Separator, std::vector<std::uint16_t>& Starts);

class TRecordLine {
 public:
  // A line of one empty value.
  TRecordLine();
  // A line that holds its own text.
  TRecordLine(std::string Text, char Separator);
  // A line read from a file: its text and value starts stay where they are (see TCsvStore) and
  // must outlive the line and its copies. Writing a value gives the line its own text.
  TRecordLine(std::string_view Text, const std::uint16_t* Starts, int Count)
      : data_(Text.data()),
        size_(static_cast<std::uint32_t>(Text.size())),
        count_(static_cast<std::uint16_t>(Count)),
        starts_(Starts) {}

  TRecordLine(const TRecordLine& Other);
  TRecordLine& operator=(const TRecordLine& Other);
  TRecordLine(TRecordLine&&) noexcept = default;
  TRecordLine& operator=(TRecordLine&&) noexcept = default;
  ~TRecordLine() = default;

  std::string_view Text() const { return {data_, size_}; }
  // At least 1: an empty line holds one empty value.
  int ValueCount() const { return count_; }

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
  struct TOwned {
    std::string Text;
    std::vector<std::uint16_t> Starts;
  };

  std::string_view RawValue(int Position) const;
  void PointAtOwned();

  const char* data_;
  std::uint32_t size_;
  std::uint16_t count_;
  const std::uint16_t* starts_;
  // The text and starts of a line built or written here; moving the line keeps them in place.
  std::unique_ptr<TOwned> owned_;
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
