#include "table/csv_text.h"

#include <algorithm>

#include "table/ansi_text.h"
#include "table/db_errors.h"

namespace wrenly {

namespace {

constexpr std::size_t kMaxHeaderLength = 2048;

std::string_view Trimmed(std::string_view Text) {
  while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t')) {
    Text.remove_prefix(1);
  }
  while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t')) {
    Text.remove_suffix(1);
  }
  return Text;
}

std::vector<std::string_view> SplitAt(std::string_view Text, char Separator) {
  std::vector<std::string_view> parts;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t end = Text.find(Separator, begin);
    parts.push_back(Text.substr(begin, end == std::string_view::npos ? end : end - begin));
    if (end == std::string_view::npos) {
      return parts;
    }
    begin = end + 1;
  }
}

// The end of the line that begins at From: its first CR or LF, or the end of the text.
std::size_t LineEnd(std::string_view Text, std::size_t From) {
  const char* p = Text.data() + From;
  const char* const end = Text.data() + Text.size();
  while (p != end && *p != '\r' && *p != '\n') {
    ++p;
  }
  return static_cast<std::size_t>(p - Text.data());
}

// Where the next line begins after a line ending at End: past CR LF, a lone CR or a lone LF.
std::size_t NextLineStart(std::string_view Text, std::size_t End) {
  if (End == Text.size()) {
    return End;
  }
  if (Text[End] == '\r' && End + 1 < Text.size() && Text[End + 1] == '\n') {
    return End + 2;
  }
  return End + 1;
}

// Calls Each for every line of Text. A last line without a break counts; a break at the very
// end starts no further line.
template <typename Function>
void ForEachLine(std::string_view Text, Function Each) {
  std::size_t begin = 0;
  while (begin < Text.size()) {
    const std::size_t end = LineEnd(Text, begin);
    Each(Text.substr(begin, end - begin));
    begin = NextLineStart(Text, end);
  }
}

// The layout a validated header line gives, and how many defined columns it lacked.
TCsvLayout HeaderLayout(std::string_view Header, const std::vector<std::string>& Columns,
                        char Separator, std::string_view FileName, std::size_t& Missing) {
  Missing = 0;
  if (Header.size() >= kMaxHeaderLength) {
    RaiseTooManyColumns();
  }
  if (Header.empty()) {
    return DefinitionLayout(Columns);
  }
  const std::vector<std::string_view> names = SplitAt(Header, Separator);
  if (names.size() > kMaxCsvColumns) {
    RaiseTooManyColumns();
  }
  TCsvLayout layout;
  layout.Positions.assign(Columns.size(), -1);
  for (std::string_view name : names) {
    name = Trimmed(name);
    name = Trimmed(name.substr(0, name.find(':')));
    if (name.empty()) {
      throw ECsvDataSetError(FileName, "Error processing first line of CSV file");
    }
    std::size_t column = 0;
    while (column < Columns.size() && !AnsiSameText(Columns[column], name)) {
      ++column;
    }
    if (column == Columns.size()) {
      throw ECsvDataSetError(FileName, "ProcessCsvHeaderRow: Field " + std::string(name) +
                                           " found in file, but not in field definitions");
    }
    layout.Positions[column] = static_cast<int>(layout.HeaderNames.size());
    layout.HeaderNames.emplace_back(name);
  }
  for (std::size_t column = 0; column < Columns.size(); ++column) {
    if (layout.Positions[column] < 0) {
      layout.Positions[column] = static_cast<int>(layout.HeaderNames.size());
      layout.HeaderNames.push_back(Columns[column]);
      ++Missing;
    }
    // Written back in the definition's spelling.
    layout.HeaderNames[static_cast<std::size_t>(layout.Positions[column])] = Columns[column];
  }
  return layout;
}

}  // namespace

std::vector<std::string> ParseCsvFieldDef(std::string_view Def, char Separator) {
  if (Def.size() >= kMaxHeaderLength) {
    RaiseTooManyColumns();
  }
  std::vector<std::string> columns;
  if (Trimmed(Def).empty()) {
    return columns;
  }
  const std::vector<std::string_view> names = SplitAt(Def, Separator);
  if (names.size() > kMaxCsvColumns) {
    RaiseTooManyColumns();
  }
  for (std::string_view name : names) {
    std::size_t suffix = name.find(':');
    if (Separator != ';') {
      suffix = std::min(suffix, name.find(';'));
    }
    columns.emplace_back(Trimmed(name.substr(0, suffix)));
  }
  return columns;
}

TCsvLayout DefinitionLayout(const std::vector<std::string>& Columns) {
  TCsvLayout layout;
  layout.HeaderNames = Columns;
  for (std::size_t column = 0; column < Columns.size(); ++column) {
    layout.Positions.push_back(static_cast<int>(column));
  }
  return layout;
}

TCsvContent ReadCsvText(std::string Text, const std::vector<std::string>& Columns,
                        const TCsvFormat& Format, std::string_view FileName) {
  auto store = std::make_unique<TCsvStore>();
  std::string& text = store->Text;
  text = std::move(Text);
  text.resize(std::min(text.size(), text.find('\0')));
  TCsvContent content;
  content.Layout = DefinitionLayout(Columns);
  const char separator = Format.Separator;

  std::string_view body = text;
  if (Format.HasHeaderRow && !body.empty()) {
    const std::size_t headerEnd = LineEnd(body, 0);
    const std::string_view header = body.substr(0, headerEnd);
    body.remove_prefix(NextLineStart(body, headerEnd));
    if (Format.ValidateHeaderRow) {
      std::size_t missing = 0;
      content.Layout = HeaderLayout(header, Columns, separator, FileName, missing);
      if (missing > 0) {
        // Defined columns the header lacked read as empty values at the end of every line.
        std::string extended;
        extended.reserve(body.size() + body.size() / 4);
        ForEachLine(body, [&](std::string_view line) {
          extended.append(line).append(missing, separator).push_back('\n');
        });
        text = std::move(extended);
        body = text;
      }
    }
  }

  // Room for every record and value start up front: the records point into both vectors.
  std::size_t separators = 0;
  std::size_t breaks = 0;
  for (const char c : body) {
    separators += c == separator ? 1 : 0;
    breaks += c == '\n' || c == '\r' ? 1 : 0;
  }
  store->Starts.reserve(separators + breaks + 1);
  content.Records.reserve(breaks + 1);
  ForEachLine(body, [&](std::string_view line) {
    if (line.empty() || line.starts_with(">>")) {
      return;
    }
    if (line.size() >= kCsvLineTooLong) {
      RaiseLineTooLong(line);
    }
    const std::uint16_t* starts = store->Starts.data() + store->Starts.size();
    const int count = SplitCsvValues(line, separator, store->Starts);
    content.Records.emplace_back(line, starts, count);
  });
  content.Store = std::move(store);
  return content;
}

std::string WriteCsvText(const TCsvLayout& Layout, const std::vector<TRecordLine>& Records,
                         const TCsvFormat& Format) {
  std::size_t size = 0;
  for (const TRecordLine& record : Records) {
    size += record.Text().size() + 2;
  }
  std::string text;
  text.reserve(size + 256);
  if (Format.HasHeaderRow) {
    for (std::size_t i = 0; i < Layout.HeaderNames.size(); ++i) {
      if (i > 0) {
        text.push_back(Format.Separator);
      }
      text += Layout.HeaderNames[i];
    }
    text += "\r\n";
  }
  for (const TRecordLine& record : Records) {
    text += record.Text();
    text += "\r\n";
  }
  return text;
}

}  // namespace wrenly
