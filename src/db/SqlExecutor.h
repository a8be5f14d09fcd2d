#pragma once
// Runs a parsed statement over one Paradox table and keeps its rows.
//
// The scan decodes, for each record, only the fields the WHERE clause needs, in the order
// the condition asks for them, and stops at the first term that decides; the selected
// fields are decoded only for the records that pass. Rows with equal ORDER BY keys keep the
// table's order.

#include "db/ParadoxTable.h"
#include "db/SqlParser.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace spv::db {

using TTableOpener = std::function<std::unique_ptr<TParadoxTable>(const std::filesystem::path&)>;

struct TSqlOptions {
  // The pattern of the date literals ("dd.MM.yyyy"), with which a quoted text compared with
  // a date or timestamp column is read.
  std::string ShortDateFormat = "dd.MM.yyyy";
  // Where a bare table name or a relative path is looked for; empty: the process's current
  // folder.
  std::filesystem::path CurrentFolder;
  // Opens the table the statement names; OpenTableFile for tables on disk.
  TTableOpener OpenTable;
  // The statement's text is UTF-8 (a console's, the program's paths) instead of the table's
  // code page: its
  // quoted texts are converted to the table's code page before they are compared, and its
  // table path is read as UTF-8.
  bool Utf8Statement = false;
};

struct TSqlColumn {
  std::string Name;  // as the table spells it
  TFieldType Type = TFieldType::Alpha;
  int Size = 0;
};

struct TSqlResult {
  std::filesystem::path Table;
  int CodePage = 0;  // the table's
  std::vector<TSqlColumn> Columns;
  std::vector<std::vector<TValue>> Rows;  // each with one value per column

  // The column of that name, case-insensitively; -1 when there is none.
  int ColumnIndex(std::string_view name) const;
};

// The table a statement names: an absolute path as it is, anything else (History.db,
// Report/rep_2612.db) under the current folder; a name without an extension is a .db (or
// .DB) table.
std::filesystem::path ResolveTablePath(const std::filesystem::path& name, const std::filesystem::path& currentFolder);

// Opens a table on disk: TDatabaseError "Table not found: <path>" when no such file exists,
// else whatever the reader says of a file it cannot read.
std::unique_ptr<TParadoxTable> OpenTableFile(const std::filesystem::path& path);

// Throws TDatabaseError for an unknown column (naming it, the table and the position), a
// comparison of values that cannot be compared, a literal that is no date where a date is
// compared, and whatever opening the table throws.
TSqlResult ExecuteSql(const TSqlSelect& statement, const TSqlOptions& options);
// Parses, then runs.
TSqlResult ExecuteSql(std::string_view text, const TSqlOptions& options);

}  // namespace spv::db
