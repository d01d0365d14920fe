#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "table/csv_text.h"
#include "table/dataset.h"

namespace wrenly {

// A table kept in a CSV file: read whole when it opens, written whole when it closes (or is
// destroyed while open) after a change, and only then. Each record is held as its line, so a
// record that is never written keeps its text exactly.
class TCsvDataSet : public TDataSet {
 public:
  TCsvDataSet();
  ~TCsvDataSet() override;

  // The file. A name beginning with "./" is taken from the directory that was current when the
  // table was created; any other relative name from the current directory at open.
  std::string FileName;
  // The column names, separated by Separator; each stored field is bound to the column of its
  // name, ignoring letter case.
  std::string CsvFieldDef;
  char Separator = ',';
  bool HasHeaderRow = true;
  // Columns are found by the header's names; otherwise the header line is not examined at all
  // and values belong to the columns in definition order.
  bool ValidateHeaderRow = true;
  // Read the file when the table opens; otherwise it opens empty.
  bool LoadsFromFile = true;
  // Write the file when the table closes after a change.
  bool SavesChanges = true;
  // Key comparisons ignore letter case. No table declares key columns, so nothing reads it.
  bool CaseInsensitive = false;

  // The full path that reading and writing use, fixed when the table opens; empty while
  // closed.
  const std::string& FilePath() const { return path_; }

 protected:
  void InternalOpen() override;
  void InternalSave() override;
  void InternalRelease() override;
  std::string_view ReadValue(const TRecordLine& Line, int Column,
                             std::string& Scratch) const override;
  void WriteValue(TRecordLine& Line, int Column, std::string_view Text) override;
  TRecordLine NewRecordLine() const override;
  void RecordReadFailed(int RecordIndex) override;

 private:
  std::string ResolvePath() const;

  std::filesystem::path creationDir_;
  std::string path_;
  TCsvFormat format_;
  TCsvLayout layout_;
  // What the records read from the file point into; released after them.
  std::unique_ptr<const TCsvStore> store_;
};

}  // namespace wrenly
