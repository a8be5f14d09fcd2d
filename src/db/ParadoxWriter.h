#pragma once
// Writes a new Paradox 7 table (.db, non-indexed, with a .MB blob file when it has memo fields)
// that Paradox, its database engine and our own reader open: the demo folders and the
// benchmarks are made of such tables.
//
// Records are built one at a time: every field of the record being built starts empty, the
// setters fill it, AppendRecord adds it and starts the next one. The files are written under
// a temporary name beside their final one and take that name only in Finish, so a write that
// fails or is abandoned leaves no half-written table behind and replaces nothing.

#include "base/DateTime.h"
#include "db/DatabaseError.h"
#include "db/ParadoxTable.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace spv::db {

struct TParadoxWriterOptions {
  int CodePage = 1251;     // written into the header; text is stored as the caller's bytes
  int BlockSize = 4096;    // bytes: 1024, 2048, 3072, 4096, 8192, 16384 or 32768
};

class TParadoxWriter {
 public:
  // Field sizes: Alpha and Bytes 1 to 255; Memo 10 to 250 (10 bytes of blob reference plus the
  // leading part of the text kept in the record); BCD the number of decimals, 0 to 32; the
  // other types have their own size and ignore Size. Other field types, duplicate or empty
  // names and records too large for a block are refused with a TDatabaseError.
  TParadoxWriter(const std::filesystem::path& path, std::vector<TFieldDef> fields,
                 TParadoxWriterOptions options = {});
  ~TParadoxWriter();  // without Finish: removes what was written
  TParadoxWriter(const TParadoxWriter&) = delete;
  TParadoxWriter& operator=(const TParadoxWriter&) = delete;

  const std::filesystem::path& Path() const;
  const std::vector<TFieldDef>& Fields() const;
  // Case-insensitive; -1 when there is no such field.
  int FieldIndex(std::string_view name) const;

  // Setters of the record being built. A value the field cannot hold (text longer than the
  // field, a number out of the field's range, a value of the wrong kind) is a TDatabaseError.
  void SetNull(int field);
  void SetInteger(int field, std::int64_t value);  // Short, Long, AutoInc, Number, Money, BCD
  void SetFloat(int field, double value);          // Number, Money, BCD
  void SetText(int field, std::string_view bytes); // Alpha, Memo: bytes in the table's code page
  void SetBytes(int field, std::string_view bytes);  // Bytes
  // Date takes the day (integer part), Time the fraction of the day, Timestamp both;
  // times are stored to the millisecond.
  void SetDateTime(int field, base::TDateTime value);
  void SetLogical(int field, bool value);
  // Any value of the kind the reader gives for the field's type.
  void SetValue(int field, const TValue& value);

  void AppendRecord();
  std::uint32_t RecordCount() const;

  // Writes the header, closes the files and gives them their final names.
  void Finish();

 private:
  class TImpl;
  std::unique_ptr<TImpl> Impl;
};

}  // namespace spv::db
