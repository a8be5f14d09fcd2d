#pragma once
// A table held in memory, for running statements without files. It counts the fields it
// decodes, so that tests can see what a scan reads.

#include "db/ParadoxTable.h"
#include "db/SqlLexer.h"

#include <map>

namespace spv::db::test {

inline TValue Int(std::int64_t v) { TValue x; x.kind = TValue::Kind::Integer; x.Integer = v; return x; }
inline TValue Num(double v) { TValue x; x.kind = TValue::Kind::Float; x.Float = v; return x; }
inline TValue Text(std::string v) { TValue x; x.kind = TValue::Kind::Text; x.Bytes = std::move(v); return x; }
inline TValue Bytes(std::string v) { TValue x; x.kind = TValue::Kind::Bytes; x.Bytes = std::move(v); return x; }
inline TValue Date(double v) { TValue x; x.kind = TValue::Kind::Date; x.Float = v; return x; }
inline TValue Time(double v) { TValue x; x.kind = TValue::Kind::Time; x.Float = v; return x; }
inline TValue Stamp(double v) { TValue x; x.kind = TValue::Kind::Timestamp; x.Float = v; return x; }
inline TValue Bool(bool v) { TValue x; x.kind = TValue::Kind::Logical; x.Integer = v; return x; }
inline TValue Null() { return {}; }

class TMemoryTable : public TParadoxTable {
 public:
  TMemoryTable(std::filesystem::path path, std::vector<TFieldDef> fields, std::vector<std::vector<TValue>> rows,
               int codePage = 1251)
      : Path_(std::move(path)), Fields_(std::move(fields)), Rows_(std::move(rows)), CodePage_(codePage) {}

  const std::filesystem::path& Path() const override { return Path_; }
  const std::vector<TFieldDef>& Fields() const override { return Fields_; }
  int FieldIndex(std::string_view name) const override {
    for (std::size_t i = 0; i < Fields_.size(); ++i)
      if (SameSqlName(Fields_[i].Name, name)) return int(i);
    return -1;
  }
  std::uint32_t RecordCount() const override { return std::uint32_t(Rows_.size()); }
  int CodePage() const override { return CodePage_; }
  int FileVersion() const override { return 7; }

  void Scan(const std::function<bool(const TRecord&)>& visit) const override {
    for (const auto& row : Rows_) {
      const TRow record(*this, row);
      if (!visit(record)) return;
    }
  }

  // How often each field was decoded by Value (IsNull decodes nothing).
  mutable std::map<int, int> Decoded;

 private:
  class TRow : public TRecord {
   public:
    TRow(const TMemoryTable& table, const std::vector<TValue>& row) : Table_(table), Row_(row) {}
    bool IsNull(int field) const override { return Row_.at(std::size_t(field)).IsNull(); }
    TValue Value(int field) const override {
      ++Table_.Decoded[field];
      return Row_.at(std::size_t(field));
    }

   private:
    const TMemoryTable& Table_;
    const std::vector<TValue>& Row_;
  };

  std::filesystem::path Path_;
  std::vector<TFieldDef> Fields_;
  std::vector<std::vector<TValue>> Rows_;
  int CodePage_;
};

}  // namespace spv::db::test

namespace spv::db::test {

// Lends a table to the engine, which takes ownership of what it opens.
class TBorrowedTable : public TParadoxTable {
 public:
  explicit TBorrowedTable(const TParadoxTable& table) : Table_(table) {}
  const std::filesystem::path& Path() const override { return Table_.Path(); }
  const std::vector<TFieldDef>& Fields() const override { return Table_.Fields(); }
  int FieldIndex(std::string_view name) const override { return Table_.FieldIndex(name); }
  std::uint32_t RecordCount() const override { return Table_.RecordCount(); }
  int CodePage() const override { return Table_.CodePage(); }
  int FileVersion() const override { return Table_.FileVersion(); }
  void Scan(const std::function<bool(const TRecord&)>& visit) const override { Table_.Scan(visit); }

 private:
  const TParadoxTable& Table_;
};

}  // namespace spv::db::test
