#include "db/Query.h"

#include "db/ParadoxFile.h"
#include "db/SqlExecutor.h"
#include "db/SqlValueText.h"

#include <cmath>
#include <limits>

namespace spv::db {

struct TQuery::Result {
  TSqlResult Rows;
  std::size_t Current = 0;
};

TQuery::TQuery() = default;
TQuery::~TQuery() = default;

void TQuery::Open() {
  // A failed open leaves the query closed, never holding the rows of an earlier statement.
  Close();
  std::string text;
  for (const std::string& line : SQL_) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  TSqlOptions options;
  options.ShortDateFormat = ShortDateFormat_;
  options.CurrentFolder = CurrentFolder_;
  options.OpenTable = OpenTableFile;
  options.Utf8Statement = true;
  auto result = std::make_unique<Result>();
  result->Rows = ExecuteSql(text, options);
  Result_ = std::move(result);
}

void TQuery::Close() { Result_.reset(); }

bool TQuery::Active() const { return Result_ != nullptr; }

bool TQuery::Eof() const { return !Result_ || Result_->Current >= Result_->Rows.Rows.size(); }

void TQuery::Next() {
  if (!Eof()) ++Result_->Current;
}

const TValue& TQuery::Field(std::string_view column) const {
  if (!Result_) throw TDatabaseError("The query is not open: cannot read column \"" + std::string(column) + "\"");
  const int index = Result_->Rows.ColumnIndex(column);
  if (index < 0)
    throw TDatabaseError("Column \"" + std::string(column) + "\" is not in the result of the query on \"" +
                         PathText(Result_->Rows.Table) + "\"");
  if (Eof()) throw TDatabaseError("The query has no current row: cannot read column \"" + std::string(column) + "\"");
  return Result_->Rows.Rows[Result_->Current][std::size_t(index)];
}

base::TDateTime TQuery::FieldAsDateTime(std::string_view column) const {
  const TValue& v = Field(column);
  switch (v.kind) {
    case TValue::Kind::Null: return 0;
    case TValue::Kind::Date:
    case TValue::Kind::Time:
    case TValue::Kind::Timestamp:
    case TValue::Kind::Float: return v.Float;
    case TValue::Kind::Integer: return base::TDateTime(v.Integer);
    default: throw TDatabaseError("Column \"" + std::string(column) + "\" cannot be read as a date-time value");
  }
}

std::int32_t TQuery::FieldAsInteger(std::string_view column) const {
  const TValue& v = Field(column);
  const auto outOfRange = [&] {
    return TDatabaseError("The value of column \"" + std::string(column) + "\" does not fit a 32-bit integer");
  };
  switch (v.kind) {
    case TValue::Kind::Null: return 0;
    case TValue::Kind::Integer:
    case TValue::Kind::Logical:
      if (v.Integer < std::numeric_limits<std::int32_t>::min() || v.Integer > std::numeric_limits<std::int32_t>::max())
        throw outOfRange();
      return std::int32_t(v.Integer);
    case TValue::Kind::Float: {
      const double rounded = std::round(v.Float);
      if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw outOfRange();
      return std::int32_t(rounded);
    }
    default: throw TDatabaseError("Column \"" + std::string(column) + "\" cannot be read as an integer");
  }
}

std::string TQuery::FieldAsString(std::string_view column) const {
  const TValue& v = Field(column);
  switch (v.kind) {
    case TValue::Kind::Null: return {};
    case TValue::Kind::Text:
    case TValue::Kind::Bytes: return v.Bytes;
    case TValue::Kind::Integer: return std::to_string(v.Integer);
    case TValue::Kind::Float: return FormatSqlNumber(v.Float);
    case TValue::Kind::Logical: return v.Integer ? "True" : "False";
    case TValue::Kind::Date: return base::FormatDate(v.Float, ShortDateFormat_);
    case TValue::Kind::Time: return FormatSqlTime(v.Float);
    case TValue::Kind::Timestamp: return FormatSqlTimestamp(v.Float, ShortDateFormat_);
  }
  return {};
}

}  // namespace spv::db
