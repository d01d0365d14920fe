#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/csv_line.h"

// The whole text of a CSV table file, parsed from memory and built in memory; the disk is the
// caller's business.
namespace wrenly {

struct TCsvFormat {
  char Separator = ',';
  // The first line names the columns and is not a record.
  bool HasHeaderRow = true;
  // Columns are found by the names in the header line; otherwise by definition order.
  bool ValidateHeaderRow = true;
};

// Where each defined column sits in a record line, fixed when the file is read.
struct TCsvLayout {
  // Per defined column, in definition order: the index of its value in a record line.
  std::vector<int> Positions;
  // Per position: the name the header line carries there. This is the definition order unless a
  // validated header gave another; writing the header from it keeps header and values together.
  std::vector<std::string> HeaderNames;
};

// The text of a file and the value starts of its record lines, in one piece each: the records
// read from it point into this instead of holding copies.
struct TCsvStore {
  std::string Text;
  std::vector<std::uint16_t> Starts;
};

struct TCsvContent {
  TCsvLayout Layout;
  // Must outlive Records and every copy of them.
  std::unique_ptr<const TCsvStore> Store;
  std::vector<TRecordLine> Records;
};

// The column names of a definition: names separated by Separator, blanks and tabs around a name
// ignored, a type suffix after ":" (or ";") cut off. An empty definition has no columns. Raises
// ERangeError for a definition of 2048 characters or more, or for more than 120 columns.
std::vector<std::string> ParseCsvFieldDef(std::string_view Def, char Separator);

// The layout of a file this program creates: positions in definition order.
TCsvLayout DefinitionLayout(const std::vector<std::string>& Columns);

// Reads the text of a file: lines end at CR LF, CR or LF, a NUL ends the text, the header line
// fixes the layout, and every further line except empty ones and those beginning with ">>" is a
// record. FileName prefixes the header errors.
TCsvContent ReadCsvText(std::string Text, const std::vector<std::string>& Columns,
                        const TCsvFormat& Format, std::string_view FileName);

// The file text: the header line from the layout, then every record line as held, each line
// ending in CR LF.
std::string WriteCsvText(const TCsvLayout& Layout, const std::vector<TRecordLine>& Records,
                         const TCsvFormat& Format);

}  // namespace wrenly
