#pragma once
// A Paradox table (.db, with its .MB blob file when it has blob fields), read-only.
//
// The broadcast system writes these tables while we read them: a table is opened read-only
// with full sharing, never locked, never written, and no lock file is made. Everything the
// file says is checked against the file's size before it is believed; a table that cannot be
// read gives a TDatabaseError naming the file and what is wrong.
//
// This is the seam between the table reader and the SQL engine: the engine scans records and
// decodes only the fields it needs, on demand.

#include "base/DateTime.h"
#include "db/DatabaseError.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace spv::db {

enum class TFieldType {
  Alpha, Date, Short, Long, Money, Number, Logical, Memo, Blob, FormattedMemo, OLE, Graphic,
  Time, Timestamp, AutoInc, BCD, Bytes,
};

struct TFieldDef {
  std::string Name;  // as the table spells it, in the table's code page
  TFieldType Type = TFieldType::Alpha;
  int Size = 0;  // bytes in the record (for BCD: the number of decimals)
};

// One field value. Text and blob contents keep the table's bytes (its code page).
struct TValue {
  enum class Kind { Null, Integer, Float, Text, Date, Time, Timestamp, Logical, Bytes };
  Kind kind = Kind::Null;
  std::int64_t Integer = 0;  // Integer; Logical (0 or 1)
  double Float = 0;          // Float (number, money, BCD); Date, Time (fraction of a day), Timestamp
  std::string Bytes;         // Text (alpha, memo text); Bytes (bytes, blobs)

  bool IsNull() const { return kind == Kind::Null; }
};

// A value that holds no text or bytes: numbers, dates, times, timestamps, logical values.
struct TScalar {
  TValue::Kind kind = TValue::Kind::Null;
  std::int64_t Integer = 0;
  double Float = 0;
};

class TParadoxTable;

// A record of a scan: valid only inside the visit call that received it.
class TRecord {
 public:
  virtual ~TRecord() = default;
  virtual bool IsNull(int field) const = 0;
  virtual TValue Value(int field) const = 0;  // decodes that one field (blob fields read their .MB)
  // The field as Value gives it, for a field whose values hold no text or bytes; false (and
  // `value` untouched) when the record cannot give it so, and the field is read with Value. A
  // scan compares a million dates this way without building a TValue for each.
  virtual bool Scalar(int /*field*/, TScalar& /*value*/) const { return false; }
};

class TParadoxTable {
 public:
  static std::unique_ptr<TParadoxTable> Open(const std::filesystem::path& path);
  virtual ~TParadoxTable() = default;

  virtual const std::filesystem::path& Path() const = 0;
  virtual const std::vector<TFieldDef>& Fields() const = 0;
  // Case-insensitive; -1 when the table has no such field.
  virtual int FieldIndex(std::string_view name) const = 0;
  virtual std::uint32_t RecordCount() const = 0;
  virtual int CodePage() const = 0;  // 1251, 866, 1252, ...; 0 when the table names none
  virtual int FileVersion() const = 0;  // 3, 4, 5, 7 (Paradox's own numbering)

  // Visits every record in the table's order; stops early when `visit` returns false.
  virtual void Scan(const std::function<bool(const TRecord&)>& visit) const = 0;
};

}  // namespace spv::db
