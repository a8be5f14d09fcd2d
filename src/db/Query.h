#pragma once
// The query component: local SQL over Paradox tables named by their full file path.
//
//   query.SQL().clear();
//   query.SQL().push_back("SELECT FDate,FTime FROM \"D:\\Rep\\rep_2612.db\"");
//   query.Open();                       // runs the SQL, stands on the first row
//   for (; !query.Eof(); query.Next()) query.FieldAsDateTime("FTime");
//   query.Close();
//
// An empty column reads as 0 or as the empty text. Every failure (table missing or locked,
// bad SQL, unknown column) is thrown as a TDatabaseError whose message names what failed.

#include "base/DateTime.h"
#include "db/DatabaseError.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace spv::db {

struct TValue;

class TQuery {
 public:
  TQuery();
  ~TQuery();
  TQuery(const TQuery&) = delete;
  TQuery& operator=(const TQuery&) = delete;

  // The SQL text, one line an element; the lines are joined with line breaks when opened.
  // The text is UTF-8, as the program keeps its paths: a table's path is found whatever the
  // system's code page, and a quoted text is compared in the table's code page.
  std::vector<std::string>& SQL() { return SQL_; }

  // The pattern in which date literals of the SQL text are written: the user's short date
  // format ("dd.MM.yyyy" on a Russian Windows).
  void SetShortDateFormat(std::string pattern) { ShortDateFormat_ = std::move(pattern); }
  const std::string& ShortDateFormat() const { return ShortDateFormat_; }

  // Where a table named without a full path (History.db, Report\rep_2612.db) is looked for;
  // empty, as it starts: the process's current folder.
  void SetCurrentFolder(std::filesystem::path folder) { CurrentFolder_ = std::move(folder); }
  const std::filesystem::path& CurrentFolder() const { return CurrentFolder_; }

  void Open();
  void Close();
  bool Active() const;
  bool Eof() const;
  void Next();

  base::TDateTime FieldAsDateTime(std::string_view column) const;
  std::int32_t FieldAsInteger(std::string_view column) const;
  // Text keeps the table's bytes (its code page); conversion happens at the screen.
  std::string FieldAsString(std::string_view column) const;

 private:
  struct Result;
  const TValue& Field(std::string_view column) const;

  std::vector<std::string> SQL_;
  std::string ShortDateFormat_ = "dd.MM.yyyy";
  std::filesystem::path CurrentFolder_;
  std::unique_ptr<Result> Result_;
};

}  // namespace spv::db
