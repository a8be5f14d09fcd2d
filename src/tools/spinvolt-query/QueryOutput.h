#pragma once
// The rows of a statement as the console tool prints them, in UTF-8: an aligned table for
// people or CSV (RFC 4180, CRLF line ends) for programs.

#include "db/SqlExecutor.h"

#include <ostream>

namespace spv::tools {

// The code page the result's text is read in: the table's, or 437 (Paradox's own default)
// for a table that names none. TDatabaseError for one we cannot convert.
int OutputCodePage(const db::TSqlResult& result);

// Column names over a rule, number columns (and their names) right-aligned, then "(N rows)". Line breaks and other
// control characters inside values show as spaces, so that every row stays one line.
void WriteTable(const db::TSqlResult& result, std::ostream& out);

// A header line of column names, then one line a row; a field is quoted when it holds a
// comma, a quote or a line break.
void WriteCsv(const db::TSqlResult& result, std::ostream& out);

}  // namespace spv::tools
