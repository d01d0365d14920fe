#include "table/csv_dataset.h"

#include <algorithm>

#include "table/ansi_text.h"
#include "table/db_errors.h"
#include "table/file_io.h"

namespace wrenly {

TCsvDataSet::TCsvDataSet() {
  std::error_code ignored;
  creationDir_ = std::filesystem::current_path(ignored);
}

TCsvDataSet::~TCsvDataSet() {
  CloseForDestruction();
}

std::string TCsvDataSet::ResolvePath() const {
  if (FileName.size() > 2 && FileName[0] == '.' && FileName[1] == '/') {
    return (creationDir_ / FileName).lexically_normal().string();
  }
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(FileName, ec);
  return ec ? FileName : full.lexically_normal().string();
}

void TCsvDataSet::InternalOpen() {
  format_ = {Separator, HasHeaderRow, ValidateHeaderRow};
  const std::vector<std::string> columns = ParseCsvFieldDef(CsvFieldDef, Separator);
  for (int i = 0; i < FieldCount(); ++i) {
    TField& field = Fields(i);
    if (field.Calculated()) {
      continue;
    }
    const auto column = std::find_if(columns.begin(), columns.end(), [&](const std::string& c) {
      return AnsiSameText(c, field.FieldName());
    });
    if (column == columns.end()) {
      throw EDatabaseError(Name, "Field '" + field.FieldName() + "' not found");
    }
    BindField(field, static_cast<int>(column - columns.begin()));
  }
  path_ = ResolvePath();
  TCsvContent content;
  if (LoadsFromFile && FileExists(path_)) {
    content = ReadCsvText(ReadWholeFile(path_), columns, format_, FileName);
  } else {
    content.Layout = DefinitionLayout(columns);
  }
  layout_ = std::move(content.Layout);
  store_ = std::move(content.Store);
  Records() = std::move(content.Records);
}

void TCsvDataSet::InternalSave() {
  if (SavesChanges) {
    ReplaceFileContents(path_, WriteCsvText(layout_, Records(), format_));
  }
}

void TCsvDataSet::InternalRelease() {
  path_.clear();
  layout_ = {};
  store_.reset();
}

std::string_view TCsvDataSet::ReadValue(const TRecordLine& Line, int Column,
                                        std::string& Scratch) const {
  return Line.Value(layout_.Positions[static_cast<std::size_t>(Column)], Scratch);
}

void TCsvDataSet::WriteValue(TRecordLine& Line, int Column, std::string_view Text) {
  Line.SetValue(layout_.Positions[static_cast<std::size_t>(Column)], Text, format_.Separator);
}

TRecordLine TCsvDataSet::NewRecordLine() const {
  const std::size_t values = std::max<std::size_t>(layout_.HeaderNames.size(), 1);
  return TRecordLine(std::string(values - 1, format_.Separator), format_.Separator);
}

void TCsvDataSet::RecordReadFailed(int RecordIndex) {
  try {
    throw;
  } catch (const ECsvDataSetError&) {
    throw;
  } catch (const std::exception& error) {
    throw ECsvDataSetError(
        FileName, "Problem reading row " + std::to_string(RecordIndex) + " " + error.what());
  }
}

}  // namespace wrenly
