#pragma once
// The on-disk layout of Paradox tables (.db) and their blob files (.MB), shared by the reader
// and the writer, and the codecs of field values.
//
// Header integers are little-endian. Field values are stored so that their bytes sort as the
// values do: integers big-endian with the sign bit flipped, doubles big-endian with the sign
// bit flipped when positive and every bit flipped when negative. A field whose bytes are all
// zero is empty.

#include "db/ParadoxTable.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace spv::db::paradox {

// --- The table header ------------------------------------------------------------------------

inline constexpr int kRecordSize = 0x00;       // u16
inline constexpr int kHeaderSize = 0x02;       // u16
inline constexpr int kFileType = 0x04;         // u8
inline constexpr int kMaxTableSize = 0x05;     // u8: the block size in KiB
inline constexpr int kNumRecords = 0x06;       // u32
inline constexpr int kNextBlock = 0x0A;        // u16: blocks in use
inline constexpr int kFileBlocks = 0x0C;       // u16: blocks in the file
inline constexpr int kFirstBlock = 0x0E;       // u16
inline constexpr int kLastBlock = 0x10;        // u16
inline constexpr int kNumFields = 0x21;        // u16
inline constexpr int kEncryption1 = 0x25;      // u32
inline constexpr int kFileVersionId = 0x39;    // u8
inline constexpr int kMaxBlocks = 0x3A;        // u16
inline constexpr int kUnknown3E = 0x3E;        // u16: Paradox writes 0x0F1F
inline constexpr int kAutoInc = 0x49;          // u32: the next autoincrement value
inline constexpr int kRealHeaderSize = 0x51;   // u16
inline constexpr int kUnknown56 = 0x56;        // u16: Paradox writes 0x20
inline constexpr int kBaseHeaderEnd = 0x58;

// Data files of file version 4 and later carry an extension of the header.
inline constexpr int kFileVerId3 = 0x58;       // u16
inline constexpr int kFileVerId4 = 0x5A;       // u16
inline constexpr int kEncryption2 = 0x5C;      // u32
inline constexpr int kHiFieldId = 0x64;        // u16
inline constexpr int kDosGlobalCodePage = 0x6A;   // u16
inline constexpr int kChangeCount4 = 0x70;     // u16
inline constexpr int kExtendedHeaderEnd = 0x78;

// After the field list (a type byte and a size byte per field): a pointer to the table name,
// a pointer per field name, the table name in a fixed-size area, the field names (each ended
// by a zero byte), the field numbers (u16 each, from 1) and the name of the sort order.
inline constexpr int kTableNameSizeOld = 79;
inline constexpr int kTableNameSize7 = 261;

inline constexpr std::uint8_t kFileTypeIndexedDb = 0;
inline constexpr std::uint8_t kFileTypeNonIndexedDb = 2;
inline constexpr std::uint8_t kFileVersion7 = 0x0C;
inline constexpr std::uint32_t kNoEncryption1 = 0xFF00FF00;  // "see the extended header"

// Paradox's file version from the header's version byte: 3 (3.0 and 3.5), 4, 5 or 7;
// 0 for a byte no Paradox wrote.
constexpr int FileVersionOf(std::uint8_t id) {
  if (id == 3 || id == 4) return 3;
  if (id >= 5 && id <= 9) return 4;
  if (id == 10 || id == 11) return 5;
  if (id == 12) return 7;
  return 0;
}
constexpr bool HasExtendedHeader(std::uint8_t id) { return id >= 5; }
constexpr int TableNameSize(std::uint8_t id) {
  return id >= kFileVersion7 ? kTableNameSize7 : kTableNameSizeOld;
}

// A data block: u16 next block, u16 previous block, i16 offset of its last record (the
// record count minus one, times the record size; minus the record size when empty).
inline constexpr int kBlockHeaderSize = 6;

// --- Blob files ----------------------------------------------------------------------------
//
// A blob file is made of chunks; its first chunk is its header. A blob reference in a record
// (the last 10 bytes of a blob field, after the leading part of the blob) holds a u32 offset,
// a u32 length and a u16 modification number. The offset's low byte is 0xFF for a blob with a
// block of its own, else the blob's entry in a suballocated block; an offset of 0 means the
// whole blob is the record's leader.

inline constexpr std::uint64_t kBlobChunk = 4096;
inline constexpr std::uint8_t kBlobSingle = 2;        // u8 type, u16 chunks, u32 length, u16 modification
inline constexpr int kSingleBlobHeader = 9;
inline constexpr std::uint8_t kBlobSuballocated = 3;  // u8 type, u16 chunks, 9 bytes, then the entries
inline constexpr int kSubBlockHeader = 12;
inline constexpr int kSubBlockEntries = 64;
// An entry: u8 offset in 16-byte units, u8 length in 16-byte units rounded up,
// u16 modification number, u8 length modulo 16.
inline constexpr int kSubBlockEntrySize = 5;

// --- Field types ---------------------------------------------------------------------------

inline constexpr int kBcdSize = 17;  // bytes of a BCD field, whatever its decimals
inline constexpr int kBlobTailSize = 10;  // u32 offset, u32 length, u16 modification number

std::optional<TFieldType> FieldTypeOfCode(std::uint8_t code);
std::uint8_t CodeOfFieldType(TFieldType type);
// Bytes in the record for a type of fixed size; 0 for the types whose size the table sets.
int FixedSize(TFieldType type);
bool IsBlob(TFieldType type);
const char* FieldTypeName(TFieldType type);

// Field names compare without regard to the case of ASCII letters, as the engine did.
inline bool SameFieldName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

// --- Integers ------------------------------------------------------------------------------

inline std::uint16_t LoadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline void StoreLe16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void StoreLe32(std::uint8_t* p, std::uint32_t v) {
  StoreLe16(p, v);
  StoreLe16(p + 2, v >> 16);
}

// --- Field values --------------------------------------------------------------------------

inline bool AllZero(const std::uint8_t* p, int size) {
  for (int i = 0; i < size; ++i)
    if (p[i] != 0) return false;
  return true;
}

// Short (2 bytes), long, date, time and autoincrement (4 bytes).
inline std::int64_t DecodeInteger(const std::uint8_t* p, int size) {
  std::uint32_t raw = 0;
  for (int i = 0; i < size; ++i) raw = raw << 8 | p[i];
  // The stored value is offset by half the range.
  return static_cast<std::int64_t>(raw) - (std::int64_t{1} << (size * 8 - 1));
}
inline void EncodeInteger(std::uint8_t* p, int size, std::int64_t value) {
  const std::uint32_t sign = 1u << (size * 8 - 1);
  std::uint32_t raw = static_cast<std::uint32_t>(value + static_cast<std::int64_t>(sign));
  for (int i = size - 1; i >= 0; --i, raw >>= 8) p[i] = static_cast<std::uint8_t>(raw);
}

// Number, money and timestamp (8 bytes).
inline double DecodeDouble(const std::uint8_t* p) {
  std::uint64_t raw = 0;
  for (int i = 0; i < 8; ++i) raw = raw << 8 | p[i];
  raw = (raw & 0x8000000000000000ull) ? raw ^ 0x8000000000000000ull : ~raw;
  return std::bit_cast<double>(raw);
}
inline void EncodeDouble(std::uint8_t* p, double value) {
  std::uint64_t raw = std::bit_cast<std::uint64_t>(value);
  raw = (raw & 0x8000000000000000ull) ? ~raw : raw ^ 0x8000000000000000ull;
  for (int i = 7; i >= 0; --i, raw >>= 8) p[i] = static_cast<std::uint8_t>(raw);
}

// BCD: the first byte holds the sign (set when positive), a bit Paradox always sets and the
// number of decimals; then 32 digits, one a nibble, the last ones being the decimals; the
// digits of a negative number are stored complemented. Programs that filled these fields from
// a double left noise past the digits that mean anything: a nibble above 9 ends the number
// (nullopt when it comes before the decimals).
std::optional<double> DecodeBcd(const std::uint8_t* p);
// false when the value does not fit 32 digits with that many decimals.
bool EncodeBcd(std::uint8_t* p, double value, int decimals);

// Dates count days from 1 January of year 1 (day 1); our date-time values count from
// 30 December 1899. Times count milliseconds since midnight; timestamps milliseconds since
// the start of day 0 of the dates.
inline constexpr std::int64_t kDateDelta = 693594;
inline constexpr double kMsPerDay = 86400000.0;

}  // namespace spv::db::paradox
