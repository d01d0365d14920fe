#include "table/csv_line.h"

#include <algorithm>
#include <utility>

#include "table/db_errors.h"

namespace wrenly {

namespace {

// The value starts of a line of one empty value.
constexpr std::uint16_t kFirstStart[] = {0};

bool IsBlank(char C) {
  return C == ' ' || C == '\t';
}

}  // namespace

void RaiseTooManyColumns() {
  throw ERangeError("CsvData - Internal Limit of MAXCOLUMNS (" + std::to_string(kMaxCsvColumns) +
                    ") reached. CSV Data has too many columns");
}

void RaiseLineTooLong(std::string_view Line) {
  throw ECsvDataSetError("CSV string is too long: " + std::string(Line.substr(0, 40)) + "...");
}

int SplitCsvValues(std::string_view Line, char Separator, std::vector<std::uint16_t>& Starts) {
  Starts.push_back(0);
  int count = 1;
  const char* const begin = Line.data();
  const char* const end = begin + Line.size();
  bool inQuotes = false;
  for (const char* p = begin; p != end; ++p) {
    const char c = *p;
    if (c == '"') {
      if (inQuotes && p + 1 != end && p[1] == '"') {
        ++p;
      } else {
        inQuotes = !inQuotes;
      }
    } else if (c == Separator && !inQuotes) {
      if (count == kMaxCsvColumns) {
        RaiseTooManyColumns();
      }
      Starts.push_back(static_cast<std::uint16_t>(p - begin + 1));
      ++count;
    }
  }
  return count;
}

TRecordLine::TRecordLine() : data_(""), size_(0), count_(1), starts_(kFirstStart) {}

TRecordLine::TRecordLine(std::string Text, char Separator)
    : owned_(std::make_unique<TOwned>(TOwned{std::move(Text), {}})) {
  count_ = static_cast<std::uint16_t>(SplitCsvValues(owned_->Text, Separator, owned_->Starts));
  PointAtOwned();
}

TRecordLine::TRecordLine(const TRecordLine& Other)
    : data_(Other.data_), size_(Other.size_), count_(Other.count_), starts_(Other.starts_) {
  if (Other.owned_) {
    owned_ = std::make_unique<TOwned>(*Other.owned_);
    PointAtOwned();
  }
}

TRecordLine& TRecordLine::operator=(const TRecordLine& Other) {
  if (this != &Other) {
    *this = TRecordLine(Other);
  }
  return *this;
}

void TRecordLine::PointAtOwned() {
  data_ = owned_->Text.data();
  size_ = static_cast<std::uint32_t>(owned_->Text.size());
  starts_ = owned_->Starts.data();
}

std::string_view TRecordLine::RawValue(int Position) const {
  const std::size_t begin = starts_[Position];
  const std::size_t end = Position + 1 < count_ ? starts_[Position + 1] - 1u : size_;
  return Text().substr(begin, end - begin);
}

std::string_view TRecordLine::Value(int Position, std::string& Scratch) const {
  if (Position < 0 || Position >= ValueCount()) {
    return {};
  }
  std::string_view value = RawValue(Position);
  while (!value.empty() && IsBlank(value.front())) {
    value.remove_prefix(1);
  }
  while (!value.empty() && IsBlank(value.back())) {
    value.remove_suffix(1);
  }
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
    return value;
  }
  value = value.substr(1, value.size() - 2);
  if (value.find("\"\"") == std::string_view::npos) {
    return value;
  }
  Scratch.clear();
  for (std::size_t i = 0; i < value.size(); ++i) {
    Scratch.push_back(value[i]);
    if (value[i] == '"' && i + 1 < value.size() && value[i + 1] == '"') {
      ++i;
    }
  }
  return Scratch;
}

std::string TRecordLine::Value(int Position) const {
  std::string scratch;
  return std::string(Value(Position, scratch));
}

void TRecordLine::SetValue(int Position, std::string_view Text, char Separator) {
  std::string text(this->Text());
  if (Position >= ValueCount()) {
    text.append(static_cast<std::size_t>(Position - ValueCount() + 1), Separator);
  }
  const TRecordLine extended(std::move(text), Separator);
  const std::string_view old = extended.RawValue(Position);
  std::string changed(
      extended.Text().substr(0, static_cast<std::size_t>(old.data() - extended.data_)));
  changed += EncodeCsvValue(Text, Separator);
  changed +=
      extended.Text().substr(static_cast<std::size_t>(old.data() - extended.data_) + old.size());
  // Checked before anything changes: a longer line would make the whole file unreadable.
  if (changed.size() >= kCsvLineTooLong) {
    RaiseLineTooLong(changed);
  }
  *this = TRecordLine(std::move(changed), Separator);
}

std::string EncodeCsvValue(std::string_view Text, char Separator) {
  const bool quoted = std::any_of(Text.begin(), Text.end(), [Separator](char c) {
    return c == Separator || c == '\r' || c == '\n' || c == '"';
  });
  if (!quoted) {
    return std::string(Text);
  }
  std::string out;
  out.reserve(Text.size() + 2);
  out.push_back('"');
  for (const char c : Text) {
    switch (c) {
      case '"':
        out += "\"\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out.push_back(c);
        break;
      default:
        if (static_cast<unsigned char>(c) >= 32) {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
  return out;
}

}  // namespace wrenly
