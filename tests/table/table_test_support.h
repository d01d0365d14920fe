#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/wrenly_tables.h"

namespace wrenly::testing {

using TRows = std::vector<std::vector<std::string>>;

// One of the program's tables, open and holding Rows (values of its stored fields in order),
// kept in memory only: it neither reads nor writes a file. The cursor is on the first record.
inline std::unique_ptr<TCsvDataSet> MemoryTable(void (&Configure)(TCsvDataSet&),
                                                const TRows& Rows = {}) {
  auto table = std::make_unique<TCsvDataSet>();
  Configure(*table);
  table->LoadsFromFile = false;
  table->SavesChanges = false;
  table->Open();
  for (const auto& row : Rows) {
    table->Append();
    for (std::size_t i = 0; i < row.size(); ++i) {
      table->Fields(static_cast<int>(i)).SetAsString(row[i]);
    }
    table->Post();
  }
  table->First();
  return table;
}

// The value of Field in every record, in table order. Moves the cursor.
inline std::vector<std::string> Column(TDataSet& Table, std::string_view Field) {
  std::vector<std::string> values;
  for (Table.First(); !Table.Eof(); Table.Next()) {
    values.push_back(Table.FieldByName(Field).AsString());
  }
  return values;
}

// The message of the Error that Call raises, or "(nothing raised)": the messages are what the
// user reads, so tests compare them whole.
template <typename Error, typename Function>
std::string MessageOf(Function&& Call) {
  try {
    Call();
  } catch (const Error& error) {
    return error.what();
  }
  return "(nothing raised)";
}

// The current record's value of Field.
inline std::string Value(const TDataSet& Table, std::string_view Field) {
  return Table.FieldByName(Field).AsString();
}

}  // namespace wrenly::testing
