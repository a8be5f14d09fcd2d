#include "db/SqlExecutor.h"

#include "base/CodePage.h"
#include "db/ParadoxFile.h"
#include "db/SqlLexer.h"
#include "db/SqlValueText.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace spv::db {
namespace {

// What can be compared with what: numbers with numbers, texts with texts, dates with dates
// and timestamps, times with times, logical values with logical values. Bytes and blobs are
// only ever tested for being empty.
enum class TClass { Number, Logical, Text, Date, Time, Timestamp, Binary };

TClass ClassOf(TFieldType type) {
  switch (type) {
    case TFieldType::Alpha:
    case TFieldType::Memo:
    case TFieldType::FormattedMemo: return TClass::Text;
    case TFieldType::Short:
    case TFieldType::Long:
    case TFieldType::AutoInc:
    case TFieldType::Money:
    case TFieldType::Number:
    case TFieldType::BCD: return TClass::Number;
    case TFieldType::Logical: return TClass::Logical;
    case TFieldType::Date: return TClass::Date;
    case TFieldType::Time: return TClass::Time;
    case TFieldType::Timestamp: return TClass::Timestamp;
    case TFieldType::Blob:
    case TFieldType::OLE:
    case TFieldType::Graphic:
    case TFieldType::Bytes: return TClass::Binary;
  }
  return TClass::Binary;
}

const char* ClassName(TClass c) {
  switch (c) {
    case TClass::Number: return "a number";
    case TClass::Logical: return "a logical value";
    case TClass::Text: return "a text";
    case TClass::Date: return "a date";
    case TClass::Time: return "a time";
    case TClass::Timestamp: return "a timestamp";
    case TClass::Binary: return "binary data";
  }
  return "";
}

bool IsDateLike(TClass c) { return c == TClass::Date || c == TClass::Timestamp; }

bool Comparable(TClass a, TClass b) {
  if (a == TClass::Binary || b == TClass::Binary) return false;
  return a == b || (IsDateLike(a) && IsDateLike(b));
}

bool IsTextual(TValue::Kind k) { return k == TValue::Kind::Text || k == TValue::Kind::Bytes; }
bool IsIntegral(TValue::Kind k) { return k == TValue::Kind::Integer || k == TValue::Kind::Logical; }

// Orders two values that hold no text and are not empty.
int CompareScalars(TValue::Kind ak, std::int64_t ai, double af, TValue::Kind bk, std::int64_t bi, double bf) {
  if (IsIntegral(ak) && IsIntegral(bk)) return (ai > bi) - (ai < bi);
  const double x = IsIntegral(ak) ? double(ai) : af;
  const double y = IsIntegral(bk) ? double(bi) : bf;
  return (x > y) - (x < y);
}

// Orders two values that are not empty and of comparable kinds. Text compares byte by byte,
// as the table stores it.
int CompareValues(const TValue& a, const TValue& b) {
  if (IsTextual(a.kind) || IsTextual(b.kind)) {
    const int c = a.Bytes.compare(b.Bytes);
    return (c > 0) - (c < 0);
  }
  return CompareScalars(a.kind, a.Integer, a.Float, b.kind, b.Integer, b.Float);
}

// The sort order of ORDER BY: empty values first, as the lowest of all.
int CompareForOrder(const TValue& a, const TValue& b) {
  if (a.IsNull() || b.IsNull()) return int(!a.IsNull()) - int(!b.IsNull());
  return CompareValues(a, b);
}

enum class TTruth : std::uint8_t { False, True, Unknown };

TTruth Negate(TTruth t) {
  return t == TTruth::Unknown ? t : t == TTruth::True ? TTruth::False : TTruth::True;
}

struct TOperand {
  int Field = -1;  // a column of the table, or -1 for the literal
  TValue Literal;
};

// A condition with its columns resolved and its literals converted to what they are
// compared with.
struct TNode {
  TSqlCondition::Kind kind = TSqlCondition::Kind::Compare;
  TSqlCompare Compare = TSqlCompare::Equal;
  TOperand First, Second;
  std::vector<TNode> Terms;
};

// A literal is used where it stands; only a column's value is decoded, into `decoded`.
const TValue& OperandValue(const TOperand& o, const TRecord& record, TValue& decoded) {
  if (o.Field < 0) return o.Literal;
  decoded = record.Value(o.Field);
  return decoded;
}

// The same without text: false when the column's value holds some (or the literal does).
bool OperandScalar(const TOperand& o, const TRecord& record, TScalar& value) {
  if (o.Field >= 0) return record.Scalar(o.Field, value);
  if (IsTextual(o.Literal.kind)) return false;
  value = {o.Literal.kind, o.Literal.Integer, o.Literal.Float};
  return true;
}

bool Holds(TSqlCompare op, int c) {
  switch (op) {
    case TSqlCompare::Equal: return c == 0;
    case TSqlCompare::NotEqual: return c != 0;
    case TSqlCompare::Less: return c < 0;
    case TSqlCompare::LessEqual: return c <= 0;
    case TSqlCompare::Greater: return c > 0;
    case TSqlCompare::GreaterEqual: return c >= 0;
  }
  return false;
}

// An empty value makes a comparison unknown, which no row passes and NOT leaves unknown.
TTruth Evaluate(const TNode& node, const TRecord& record) {
  switch (node.kind) {
    case TSqlCondition::Kind::Or: {
      TTruth result = TTruth::False;
      for (const TNode& term : node.Terms) {
        const TTruth t = Evaluate(term, record);
        if (t == TTruth::True) return t;
        if (t == TTruth::Unknown) result = t;
      }
      return result;
    }
    case TSqlCondition::Kind::And: {
      TTruth result = TTruth::True;
      for (const TNode& term : node.Terms) {
        const TTruth t = Evaluate(term, record);
        if (t == TTruth::False) return t;
        if (t == TTruth::Unknown) result = t;
      }
      return result;
    }
    case TSqlCondition::Kind::Not: return Negate(Evaluate(node.Terms.front(), record));
    case TSqlCondition::Kind::IsNull:
    case TSqlCondition::Kind::IsNotNull: {
      const bool isNull = node.First.Field >= 0 ? record.IsNull(node.First.Field) : node.First.Literal.IsNull();
      return isNull == (node.kind == TSqlCondition::Kind::IsNull) ? TTruth::True : TTruth::False;
    }
    case TSqlCondition::Kind::Compare: {
      // Numbers, dates and times are compared without building a TValue for each row.
      TScalar x, y;
      if (OperandScalar(node.First, record, x) && OperandScalar(node.Second, record, y)) {
        if (x.kind == TValue::Kind::Null || y.kind == TValue::Kind::Null) return TTruth::Unknown;
        return Holds(node.Compare, CompareScalars(x.kind, x.Integer, x.Float, y.kind, y.Integer, y.Float))
                   ? TTruth::True
                   : TTruth::False;
      }
      TValue first, second;
      const TValue& a = OperandValue(node.First, record, first);
      if (a.IsNull()) return TTruth::Unknown;
      const TValue& b = OperandValue(node.Second, record, second);
      if (b.IsNull()) return TTruth::Unknown;
      return Holds(node.Compare, CompareValues(a, b)) ? TTruth::True : TTruth::False;
    }
  }
  return TTruth::Unknown;
}

class TCompiler {
 public:
  TCompiler(const TSqlSelect& statement, const TSqlOptions& options, const TParadoxTable& table)
      : Statement_(statement), Options_(options), Table_(table) {}

  int Field(const TSqlName& name) const {
    const int field = Table_.FieldIndex(name.Text);
    if (field < 0)
      throw TDatabaseError("Unknown column \"" + name.Text + "\" in table \"" + PathText(Table_.Path()) + "\" at " +
                           SqlPositionText(Statement_.Text, name.Offset));
    return field;
  }

  TNode Compile(const TSqlCondition& c) const {
    TNode node;
    node.kind = c.kind;
    node.Compare = c.Compare;
    for (const TSqlCondition& term : c.Terms) node.Terms.push_back(Compile(term));
    switch (c.kind) {
      case TSqlCondition::Kind::IsNull:
      case TSqlCondition::Kind::IsNotNull:
        node.First = Operand(c.First, nullptr);
        break;
      case TSqlCondition::Kind::Compare: {
        // Each side is read against the other's column, so that "01.12.2026" becomes a date
        // when it meets a date column, whichever side that column stands on.
        const std::optional<TClass> first = ColumnClass(c.First), second = ColumnClass(c.Second);
        node.First = Operand(c.First, second ? &*second : nullptr);
        node.Second = Operand(c.Second, first ? &*first : nullptr);
        const TClass a = first ? *first : LiteralClass(c.First, second);
        const TClass b = second ? *second : LiteralClass(c.Second, first);
        if (!Comparable(a, b))
          throw TDatabaseError("Cannot compare " + Describe(c.First) + " (" + ClassName(a) + ") with " +
                               Describe(c.Second) + " (" + ClassName(b) + ") at " +
                               SqlPositionText(Statement_.Text, c.Offset));
        break;
      }
      default: break;
    }
    return node;
  }

 private:
  std::optional<TClass> ColumnClass(const TSqlOperand& o) const {
    if (o.kind != TSqlOperand::Kind::Column) return std::nullopt;
    return ClassOf(Table_.Fields()[std::size_t(Field({o.Text, o.Offset}))].Type);
  }

  static TClass LiteralClass(const TSqlOperand& o, std::optional<TClass> other) {
    switch (o.kind) {
      case TSqlOperand::Kind::Integer:
      case TSqlOperand::Kind::Decimal: return TClass::Number;
      case TSqlOperand::Kind::Logical: return TClass::Logical;
      case TSqlOperand::Kind::Text:
        return other && (IsDateLike(*other) || *other == TClass::Time) ? *other : TClass::Text;
      case TSqlOperand::Kind::Column: break;
    }
    return TClass::Text;
  }

  std::string Describe(const TSqlOperand& o) const {
    switch (o.kind) {
      case TSqlOperand::Kind::Column: return o.Text;
      case TSqlOperand::Kind::Text: return o.DoubleQuoted ? "\"" + o.Text + "\"" : "'" + o.Text + "'";
      case TSqlOperand::Kind::Logical: return o.Integer ? "TRUE" : "FALSE";
      case TSqlOperand::Kind::Integer: return std::to_string(o.Integer);
      case TSqlOperand::Kind::Decimal: return FormatSqlNumber(o.Decimal);
    }
    return {};
  }

  [[noreturn]] void NotA(const TSqlOperand& o, const std::string& what) const {
    throw TDatabaseError(Describe(o) + " is not " + what + " at " + SqlPositionText(Statement_.Text, o.Offset));
  }

  // A literal as the value it is compared with: a quoted text meeting a date column is a
  // date in the user's short date format, and so on.
  TOperand Operand(const TSqlOperand& o, const TClass* other) const {
    TOperand result;
    TValue& v = result.Literal;
    switch (o.kind) {
      case TSqlOperand::Kind::Column: result.Field = Field({o.Text, o.Offset}); break;
      case TSqlOperand::Kind::Integer:
        v.kind = TValue::Kind::Integer;
        v.Integer = o.Integer;
        break;
      case TSqlOperand::Kind::Decimal:
        v.kind = TValue::Kind::Float;
        v.Float = o.Decimal;
        break;
      case TSqlOperand::Kind::Logical:
        v.kind = TValue::Kind::Logical;
        v.Integer = o.Integer;
        break;
      case TSqlOperand::Kind::Text:
        if (other && *other == TClass::Date) {
          const auto date = base::ParseDate(o.Text, Options_.ShortDateFormat);
          if (!date) NotA(o, "a date in the format " + Options_.ShortDateFormat);
          v.kind = TValue::Kind::Date;
          v.Float = *date;
        } else if (other && *other == TClass::Time) {
          const auto time = ParseSqlTime(o.Text);
          if (!time) NotA(o, "a time (H:mm, H:mm:ss or H:mm:ss.zzz)");
          v.kind = TValue::Kind::Time;
          v.Float = *time;
        } else if (other && *other == TClass::Timestamp) {
          v.kind = TValue::Kind::Timestamp;
          v.Float = Timestamp(o);
        } else {
          v.kind = TValue::Kind::Text;
          v.Bytes = Options_.Utf8Statement ? base::Utf8ToCodePage(o.Text, Table_.CodePage()) : o.Text;
        }
        break;
    }
    return result;
  }

  // A date, or a date and a time after a space.
  double Timestamp(const TSqlOperand& o) const {
    std::string_view text = o.Text;
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const std::size_t space = text.find(' ');
    const auto date = base::ParseDate(text.substr(0, space), Options_.ShortDateFormat);
    std::optional<double> time = 0.0;
    if (space != std::string_view::npos) time = ParseSqlTime(text.substr(text.find_first_not_of(' ', space)));
    if (!date || !time) NotA(o, "a date in the format " + Options_.ShortDateFormat + ", with or without a time");
    return *date + *time;
  }

  const TSqlSelect& Statement_;
  const TSqlOptions& Options_;
  const TParadoxTable& Table_;
};

// Ill-formed UTF-8 becomes U+FFFD: such a path names no file, and says so as "not found".
std::filesystem::path StatementPath(const std::string& text, bool utf8) {
  if (!utf8) return std::filesystem::path(text);
  return std::filesystem::path(base::Utf8ToUtf16(text));
}

}  // namespace

int TSqlResult::ColumnIndex(std::string_view name) const {
  for (std::size_t i = 0; i < Columns.size(); ++i)
    if (SameSqlName(Columns[i].Name, name)) return int(i);
  return -1;
}

std::filesystem::path ResolveTablePath(const std::filesystem::path& name, const std::filesystem::path& currentFolder) {
  std::filesystem::path path =
      name.is_absolute() ? name : (currentFolder.empty() ? std::filesystem::current_path() : currentFolder) / name;
  if (path.has_extension()) return path;
  // Paradox writes its file names in capitals (CUSTOMER.DB); where the file system tells
  // cases apart, a bare name finds either spelling of the extension.
  std::error_code error;
  std::filesystem::path upper = path;
  upper += ".DB";
  path += ".db";
  return !std::filesystem::exists(path, error) && std::filesystem::exists(upper, error) ? upper : path;
}

TSqlResult ExecuteSql(const TSqlSelect& statement, const TSqlOptions& options) {
  if (!options.OpenTable) throw TDatabaseError("No way to open tables was given to the SQL engine");
  const std::filesystem::path path =
      ResolveTablePath(StatementPath(statement.Table.Text, options.Utf8Statement), options.CurrentFolder);
  const std::unique_ptr<TParadoxTable> table = options.OpenTable(path);
  const TCompiler compiler(statement, options, *table);

  TSqlResult result;
  result.Table = table->Path();
  result.CodePage = table->CodePage();
  // The fields each passing record gives: the selected ones, then the ORDER BY columns that
  // are not selected, which are dropped once the rows are sorted.
  std::vector<int> fields;
  if (statement.AllColumns) {
    for (std::size_t i = 0; i < table->Fields().size(); ++i) fields.push_back(int(i));
  } else {
    for (const TSqlName& name : statement.Columns) fields.push_back(compiler.Field(name));
  }
  const std::size_t shown = fields.size();
  for (const int f : fields) {
    const TFieldDef& def = table->Fields()[std::size_t(f)];
    result.Columns.push_back({def.Name, def.Type, def.Size});
  }
  std::vector<std::pair<std::size_t, bool>> keys;  // position in the row, descending
  for (const TSqlOrder& order : statement.OrderBy) {
    const int f = compiler.Field(order.Column);
    auto at = std::find(fields.begin(), fields.end(), f);
    if (at == fields.end()) at = fields.insert(fields.end(), f);
    keys.emplace_back(std::size_t(at - fields.begin()), order.Descending);
  }
  const std::optional<TNode> where =
      statement.Where ? std::optional<TNode>(compiler.Compile(*statement.Where)) : std::nullopt;

  table->Scan([&](const TRecord& record) {
    if (where && Evaluate(*where, record) != TTruth::True) return true;
    std::vector<TValue>& row = result.Rows.emplace_back();
    row.reserve(fields.size());
    for (const int f : fields) row.push_back(record.Value(f));
    return true;
  });

  if (!keys.empty()) {
    std::stable_sort(result.Rows.begin(), result.Rows.end(), [&](const auto& a, const auto& b) {
      for (const auto& [at, descending] : keys) {
        const int c = CompareForOrder(a[at], b[at]);
        if (c) return descending ? c > 0 : c < 0;
      }
      return false;
    });
    if (fields.size() > shown)
      for (auto& row : result.Rows) row.resize(shown);
  }
  return result;
}

TSqlResult ExecuteSql(std::string_view text, const TSqlOptions& options) {
  return ExecuteSql(ParseSql(text), options);
}

}  // namespace spv::db
