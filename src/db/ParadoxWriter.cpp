#include "db/ParadoxWriter.h"

#include "db/ParadoxFile.h"
#include "db/ParadoxFormat.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>

namespace spv::db {

using namespace paradox;

namespace {

constexpr int kHeaderUnit = 0x800;  // headers take whole multiples of this
constexpr int kMaxFieldName = 25;
constexpr std::uint32_t kBlockLimit = 0xFFFF;  // block numbers are 16 bits
constexpr std::size_t kFlushBytes = 1 << 20;  // blocks are written a megabyte at a time
constexpr char kSortOrderName[] = "ascii";  // binary order, whatever the code page
const char* const kTempSuffix = ".writing";

std::filesystem::path TempPath(const std::filesystem::path& path) {
  std::filesystem::path temp = path;
  temp += kTempSuffix;
  return temp;
}

std::filesystem::path BlobPath(const std::filesystem::path& path) {
  const std::string ext = PathText(path.extension());
  std::filesystem::path blob = path;
  blob.replace_extension(ext.size() > 1 && ext[1] >= 'A' && ext[1] <= 'Z' ? ".MB" : ".mb");
  return blob;
}

// An output file under its temporary name: removed unless it was kept.
class TTempFile {
 public:
  explicit TTempFile(const std::filesystem::path& path) : Final(path), Temp(TempPath(path)) {
    Out.open(Temp, std::ios::binary | std::ios::trunc);
    if (!Out) throw TDatabaseError(PathText(Final) + ": cannot create the table");
  }
  ~TTempFile() {
    if (!Kept) {
      Out.close();
      std::error_code ignored;
      std::filesystem::remove(Temp, ignored);
    }
  }
  void Write(const void* data, std::size_t size) {
    Out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!Out) throw TDatabaseError(PathText(Final) + ": cannot write the table (is the disk full?)");
  }
  void WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    Out.seekp(static_cast<std::streamoff>(offset));
    Write(data, size);
  }
  void Close() {
    Out.close();
    if (!Out) throw TDatabaseError(PathText(Final) + ": cannot write the table (is the disk full?)");
  }
  void Keep() {
    std::error_code error;
    std::filesystem::rename(Temp, Final, error);
    if (error) throw TDatabaseError(PathText(Final) + ": cannot replace the table: " + error.message());
    Kept = true;
  }

 private:
  std::filesystem::path Final, Temp;
  std::ofstream Out;
  bool Kept = false;
};

}  // namespace

class TParadoxWriter::TImpl {
 public:
  TImpl(const std::filesystem::path& path, std::vector<TFieldDef> fields, TParadoxWriterOptions options);

  [[noreturn]] void Fail(const std::string& what) const { throw TDatabaseError(Name + ": " + what); }
  [[noreturn]] void Refuse(int field, const std::string& what) const {
    Fail("field " + FieldDefs[static_cast<std::size_t>(field)].Name + " (" +
         FieldTypeName(FieldDefs[static_cast<std::size_t>(field)].Type) + ") " + what);
  }
  std::uint8_t* Slot(int field) {
    if (field < 0 || field >= static_cast<int>(FieldDefs.size())) Fail("there is no field " + std::to_string(field));
    return Record.data() + Offsets[static_cast<std::size_t>(field)];
  }
  TFieldType Type(int field) const { return FieldDefs[static_cast<std::size_t>(field)].Type; }
  int Size(int field) const { return Sizes[static_cast<std::size_t>(field)]; }

  std::vector<std::uint8_t> Header() const;
  void SetMemo(int field, std::string_view bytes);
  void Append();
  void Finish();

  std::filesystem::path FilePath;
  std::string Name;
  std::vector<TFieldDef> FieldDefs;
  std::vector<int> Offsets, Sizes;
  TParadoxWriterOptions Options;
  int RecordSize = 0;
  int PerBlock = 0;
  std::vector<std::uint8_t> Record;

  std::optional<TTempFile> Table, Blobs;
  std::vector<std::uint8_t> Pending;  // whole blocks not yet written
  std::size_t BlockAt = 0;            // the current block in Pending
  std::uint32_t BlockCount = 0;       // blocks begun, the current one included
  int InBlock = 0;                    // records in the current block
  std::uint32_t Records = 0;
  std::uint64_t BlobEnd = 0;          // bytes in the blob file
  std::int64_t NextAutoInc = 1;
  bool Finished = false;
};

TParadoxWriter::TImpl::TImpl(const std::filesystem::path& path, std::vector<TFieldDef> fields,
                             TParadoxWriterOptions options)
    : FilePath(path), Name(PathText(path)), FieldDefs(std::move(fields)), Options(options) {
  const int bs = Options.BlockSize;
  if (bs != 1024 && bs != 2048 && bs != 3072 && bs != 4096 && bs != 8192 && bs != 16384 && bs != 32768)
    Fail("invalid block size " + std::to_string(bs));
  if (Options.CodePage < 0 || Options.CodePage > 0xFFFF) Fail("invalid code page " + std::to_string(Options.CodePage));
  if (FieldDefs.empty() || FieldDefs.size() > 255) Fail("a table has 1 to 255 fields");
  bool hasMemo = false;
  for (std::size_t i = 0; i < FieldDefs.size(); ++i) {
    const TFieldDef& f = FieldDefs[i];
    if (f.Name.empty() || f.Name.size() > kMaxFieldName || f.Name.find('\0') != std::string::npos)
      Fail("invalid field name \"" + f.Name + "\" (1 to 25 characters)");
    for (std::size_t j = 0; j < i; ++j)
      if (SameFieldName(FieldDefs[j].Name, f.Name)) Fail("two fields are named " + f.Name);
    int size = FixedSize(f.Type);
    switch (f.Type) {
      case TFieldType::Alpha:
      case TFieldType::Bytes:
        if (f.Size < 1 || f.Size > 255) Fail("field " + f.Name + " needs a size of 1 to 255");
        size = f.Size;
        break;
      case TFieldType::Memo:
        if (f.Size < kBlobTailSize || f.Size > kBlobTailSize + 240) Fail("field " + f.Name + " needs a size of 10 to 250");
        size = f.Size;
        hasMemo = true;
        break;
      case TFieldType::BCD:
        if (f.Size < 0 || f.Size > 32) Fail("field " + f.Name + " needs 0 to 32 decimals");
        break;
      case TFieldType::Blob:
      case TFieldType::FormattedMemo:
      case TFieldType::OLE:
      case TFieldType::Graphic:
        Fail("field " + f.Name + ": " + FieldTypeName(f.Type) + " fields cannot be written");
      default:
        break;
    }
    Offsets.push_back(RecordSize);
    Sizes.push_back(size);
    RecordSize += size;
    if (FixedSize(f.Type) != 0 && f.Type != TFieldType::BCD) FieldDefs[i].Size = size;  // as the table reports it
  }
  if (RecordSize > bs - kBlockHeaderSize) Fail("records of " + std::to_string(RecordSize) + " bytes do not fit a block");
  PerBlock = (bs - kBlockHeaderSize) / RecordSize;
  Record.assign(static_cast<std::size_t>(RecordSize), 0);
  Pending.reserve(kFlushBytes + static_cast<std::size_t>(bs));

  Table.emplace(FilePath);
  // Room for the header, which can only be written once the blocks are counted.
  const std::vector<std::uint8_t> header = Header();
  Table->Write(header.data(), header.size());
  if (hasMemo) {
    Blobs.emplace(BlobPath(FilePath));
    // The first chunk of a blob file is its header; blobs follow in whole chunks.
    std::vector<std::uint8_t> head(kBlobChunk, 0);
    StoreLe16(head.data() + 1, 1);
    Blobs->Write(head.data(), head.size());
    BlobEnd = kBlobChunk;
  }
}

void TParadoxWriter::TImpl::SetMemo(int field, std::string_view bytes) {
  std::uint8_t* p = Slot(field);
  const int leader = Size(field) - kBlobTailSize;
  std::memset(p, 0, static_cast<std::size_t>(Size(field)));
  if (bytes.empty()) return;
  const std::size_t lead = std::min(bytes.size(), static_cast<std::size_t>(leader));
  std::memcpy(p, bytes.data(), lead);
  std::uint8_t* tail = p + leader;
  if (bytes.size() <= static_cast<std::size_t>(leader)) {
    // Held by the record alone: no offset into the blob file.
    StoreLe32(tail + 4, static_cast<std::uint32_t>(bytes.size()));
    return;
  }
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max() - 4 * kBlobChunk) Refuse(field, "cannot hold 4 GiB");
  // A blob block of its own: a type byte, its size in chunks, the length, a modification number.
  const std::size_t chunks = (kSingleBlobHeader + bytes.size() + kBlobChunk - 1) / kBlobChunk;
  if (chunks > 0xFFFF || BlobEnd + chunks * kBlobChunk > 0xFFFFFF00u) Fail("the blob file is full");
  std::uint8_t head[kSingleBlobHeader] = {kBlobSingle};
  StoreLe16(head + 1, static_cast<std::uint32_t>(chunks));
  StoreLe32(head + 3, static_cast<std::uint32_t>(bytes.size()));
  StoreLe16(head + 7, 1);
  Blobs->Write(head, sizeof head);
  Blobs->Write(bytes.data(), bytes.size());
  const std::vector<std::uint8_t> pad(chunks * kBlobChunk - kSingleBlobHeader - bytes.size(), 0);
  Blobs->Write(pad.data(), pad.size());
  StoreLe32(tail, static_cast<std::uint32_t>(BlobEnd) | 0xFF);
  StoreLe32(tail + 4, static_cast<std::uint32_t>(bytes.size()));
  StoreLe16(tail + 8, 1);
  BlobEnd += chunks * kBlobChunk;
}

void TParadoxWriter::TImpl::Append() {
  if (Finished) Fail("the table is already finished");
  for (std::size_t i = 0; i < FieldDefs.size(); ++i) {
    if (FieldDefs[i].Type != TFieldType::AutoInc) continue;
    std::uint8_t* p = Record.data() + Offsets[i];
    if (AllZero(p, 4)) {
      if (NextAutoInc > std::numeric_limits<std::int32_t>::max()) Fail("the autoincrement field is exhausted");
      EncodeInteger(p, 4, NextAutoInc);
    }
    NextAutoInc = std::max(NextAutoInc, DecodeInteger(p, 4) + 1);
  }
  const int bs = Options.BlockSize;
  if (BlockCount == 0 || InBlock == PerBlock) {
    if (BlockCount == kBlockLimit)
      Fail("the table is full: " + std::to_string(Records) + " records fill all its blocks (a larger block size holds more)");
    if (BlockCount > 0) StoreLe16(Pending.data() + BlockAt, BlockCount + 1);  // the next block follows
    if (Pending.size() + static_cast<std::size_t>(bs) > kFlushBytes) {
      Table->Write(Pending.data(), Pending.size());
      Pending.clear();
    }
    BlockAt = Pending.size();
    Pending.resize(Pending.size() + static_cast<std::size_t>(bs), 0);
    ++BlockCount;
    StoreLe16(Pending.data() + BlockAt + 2, BlockCount - 1);
    InBlock = 0;
  }
  std::uint8_t* block = Pending.data() + BlockAt;
  std::memcpy(block + kBlockHeaderSize + static_cast<std::size_t>(InBlock) * RecordSize, Record.data(), Record.size());
  StoreLe16(block + 4, static_cast<std::uint32_t>(InBlock * RecordSize));
  ++InBlock;
  ++Records;
  std::memset(Record.data(), 0, Record.size());
}

std::vector<std::uint8_t> TParadoxWriter::TImpl::Header() const {
  const int nf = static_cast<int>(FieldDefs.size());
  // The header: the fixed part, the field list, the name pointers, the table name, the field
  // names, the field numbers and the sort order.
  std::string tableName = PathText(FilePath.filename());
  tableName.resize(std::min<std::size_t>(tableName.size(), kTableNameSize7 - 1));
  std::vector<std::uint8_t> names;
  for (const TFieldDef& f : FieldDefs) {
    names.insert(names.end(), f.Name.begin(), f.Name.end());
    names.push_back(0);
  }
  const int namesAt = kExtendedHeaderEnd + 2 * nf + 4 + 4 * nf + kTableNameSize7;
  const int used = namesAt + static_cast<int>(names.size()) + 2 * nf + static_cast<int>(sizeof kSortOrderName);
  const int headerSize = (used + kHeaderUnit - 1) / kHeaderUnit * kHeaderUnit;
  if (headerSize > 0xFFFF) Fail("the field names do not fit a header");
  std::vector<std::uint8_t> header(static_cast<std::size_t>(headerSize), 0);
  std::uint8_t* h = header.data();
  StoreLe16(h + kRecordSize, static_cast<std::uint32_t>(RecordSize));
  StoreLe16(h + kHeaderSize, static_cast<std::uint32_t>(headerSize));
  h[kFileType] = kFileTypeNonIndexedDb;
  h[kMaxTableSize] = static_cast<std::uint8_t>(Options.BlockSize / 1024);
  StoreLe32(h + kNumRecords, Records);
  StoreLe16(h + kNextBlock, BlockCount);
  StoreLe16(h + kFileBlocks, BlockCount);
  StoreLe16(h + kFirstBlock, BlockCount ? 1 : 0);
  StoreLe16(h + kLastBlock, BlockCount);
  StoreLe16(h + kNumFields, static_cast<std::uint32_t>(nf));
  StoreLe32(h + kEncryption1, kNoEncryption1);
  h[kFileVersionId] = kFileVersion7;
  StoreLe16(h + kMaxBlocks, BlockCount);
  StoreLe16(h + kUnknown3E, 0x0F1F);
  StoreLe32(h + kAutoInc, static_cast<std::uint32_t>(NextAutoInc - 1));
  StoreLe16(h + kRealHeaderSize, static_cast<std::uint32_t>(used));
  StoreLe16(h + kUnknown56, 0x20);
  StoreLe16(h + kFileVerId3, 0x0100 | kFileVersion7);
  StoreLe16(h + kFileVerId4, 0x0100 | kFileVersion7);
  StoreLe16(h + kHiFieldId, static_cast<std::uint32_t>(nf + 1));
  StoreLe16(h + kDosGlobalCodePage, static_cast<std::uint32_t>(Options.CodePage));
  StoreLe16(h + kChangeCount4, 1);
  int at = kExtendedHeaderEnd;
  for (int i = 0; i < nf; ++i, at += 2) {
    h[at] = CodeOfFieldType(FieldDefs[static_cast<std::size_t>(i)].Type);
    h[at + 1] = static_cast<std::uint8_t>(FieldDefs[static_cast<std::size_t>(i)].Size);
  }
  at += 4 + 4 * nf;
  std::memcpy(h + at, tableName.data(), tableName.size());
  at = namesAt;
  std::memcpy(h + at, names.data(), names.size());
  at += static_cast<int>(names.size());
  for (int i = 0; i < nf; ++i, at += 2) StoreLe16(h + at, static_cast<std::uint32_t>(i + 1));
  std::memcpy(h + at, kSortOrderName, sizeof kSortOrderName);
  return header;
}

void TParadoxWriter::TImpl::Finish() {
  if (Finished) Fail("the table is already finished");
  Table->Write(Pending.data(), Pending.size());
  const std::vector<std::uint8_t> header = Header();
  Table->WriteAt(0, header.data(), header.size());
  Table->Close();
  if (Blobs) {
    Blobs->Close();
    Blobs->Keep();
  }
  Table->Keep();
  Finished = true;
}

TParadoxWriter::TParadoxWriter(const std::filesystem::path& path, std::vector<TFieldDef> fields,
                               TParadoxWriterOptions options)
    : Impl(std::make_unique<TImpl>(path, std::move(fields), options)) {}

TParadoxWriter::~TParadoxWriter() = default;

const std::filesystem::path& TParadoxWriter::Path() const { return Impl->FilePath; }
const std::vector<TFieldDef>& TParadoxWriter::Fields() const { return Impl->FieldDefs; }

int TParadoxWriter::FieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < Impl->FieldDefs.size(); ++i)
    if (SameFieldName(Impl->FieldDefs[i].Name, name)) return static_cast<int>(i);
  return -1;
}

void TParadoxWriter::SetNull(int field) {
  std::memset(Impl->Slot(field), 0, static_cast<std::size_t>(Impl->Size(field)));
}

void TParadoxWriter::SetInteger(int field, std::int64_t value) {
  std::uint8_t* p = Impl->Slot(field);
  switch (Impl->Type(field)) {
    case TFieldType::Short:
      // The lowest value of each width would be stored as all zero bytes: empty.
      if (value < -32767 || value > 32767) Impl->Refuse(field, "cannot hold " + std::to_string(value));
      EncodeInteger(p, 2, value);
      return;
    case TFieldType::Long:
    case TFieldType::AutoInc:
      if (value < -2147483647 || value > 2147483647) Impl->Refuse(field, "cannot hold " + std::to_string(value));
      if (Impl->Type(field) == TFieldType::AutoInc && value < 1) Impl->Refuse(field, "cannot hold " + std::to_string(value));
      EncodeInteger(p, 4, value);
      return;
    case TFieldType::Number:
    case TFieldType::Money:
    case TFieldType::BCD:
      SetFloat(field, static_cast<double>(value));
      return;
    default:
      Impl->Refuse(field, "cannot hold an integer");
  }
}

void TParadoxWriter::SetFloat(int field, double value) {
  std::uint8_t* p = Impl->Slot(field);
  switch (Impl->Type(field)) {
    case TFieldType::Number:
    case TFieldType::Money:
      if (!std::isfinite(value)) Impl->Refuse(field, "cannot hold a value that is not a finite number");
      EncodeDouble(p, value);
      return;
    case TFieldType::BCD:
      if (!EncodeBcd(p, value, Impl->FieldDefs[static_cast<std::size_t>(field)].Size))
        Impl->Refuse(field, "cannot hold the number " + std::to_string(value));
      return;
    default:
      Impl->Refuse(field, "cannot hold a number");
  }
}

void TParadoxWriter::SetText(int field, std::string_view bytes) {
  std::uint8_t* p = Impl->Slot(field);
  switch (Impl->Type(field)) {
    case TFieldType::Alpha:
      if (bytes.size() > static_cast<std::size_t>(Impl->Size(field)))
        Impl->Refuse(field, "holds " + std::to_string(Impl->Size(field)) + " characters, not " + std::to_string(bytes.size()));
      if (bytes.find('\0') != std::string_view::npos) Impl->Refuse(field, "cannot hold a zero byte");
      std::memset(p, 0, static_cast<std::size_t>(Impl->Size(field)));
      std::memcpy(p, bytes.data(), bytes.size());
      return;
    case TFieldType::Memo:
      Impl->SetMemo(field, bytes);
      return;
    default:
      Impl->Refuse(field, "cannot hold text");
  }
}

void TParadoxWriter::SetBytes(int field, std::string_view bytes) {
  std::uint8_t* p = Impl->Slot(field);
  if (Impl->Type(field) != TFieldType::Bytes) Impl->Refuse(field, "cannot hold bytes");
  if (bytes.size() > static_cast<std::size_t>(Impl->Size(field)))
    Impl->Refuse(field, "holds " + std::to_string(Impl->Size(field)) + " bytes, not " + std::to_string(bytes.size()));
  std::memset(p, 0, static_cast<std::size_t>(Impl->Size(field)));
  std::memcpy(p, bytes.data(), bytes.size());
}

void TParadoxWriter::SetDateTime(int field, base::TDateTime value) {
  std::uint8_t* p = Impl->Slot(field);
  if (!std::isfinite(value) || value < -kDateDelta + 1 || value >= 2958466)  // 1 January 1 to 31 December 9999
    Impl->Refuse(field, "cannot hold the date-time value " + std::to_string(value));
  const double day = std::floor(value);
  switch (Impl->Type(field)) {
    case TFieldType::Date:
      EncodeInteger(p, 4, static_cast<std::int64_t>(day) + kDateDelta);
      return;
    case TFieldType::Time: {
      // Rounded to the millisecond, but never up into the next day.
      const double ms = std::min(std::round((value - day) * kMsPerDay), kMsPerDay - 1);
      EncodeInteger(p, 4, static_cast<std::int64_t>(ms));
      return;
    }
    case TFieldType::Timestamp:
      EncodeDouble(p, std::round((value + static_cast<double>(kDateDelta)) * kMsPerDay));
      return;
    default:
      Impl->Refuse(field, "cannot hold a date or time");
  }
}

void TParadoxWriter::SetLogical(int field, bool value) {
  std::uint8_t* p = Impl->Slot(field);
  if (Impl->Type(field) != TFieldType::Logical) Impl->Refuse(field, "cannot hold a logical value");
  p[0] = value ? 0x81 : 0x80;
}

void TParadoxWriter::SetValue(int field, const TValue& value) {
  switch (value.kind) {
    case TValue::Kind::Null:
      return SetNull(field);
    case TValue::Kind::Integer:
      return SetInteger(field, value.Integer);
    case TValue::Kind::Float:
      return SetFloat(field, value.Float);
    case TValue::Kind::Text:
      return SetText(field, value.Bytes);
    case TValue::Kind::Bytes:
      return SetBytes(field, value.Bytes);
    case TValue::Kind::Date:
    case TValue::Kind::Time:
    case TValue::Kind::Timestamp:
      return SetDateTime(field, value.Float);
    case TValue::Kind::Logical:
      return SetLogical(field, value.Integer != 0);
  }
}

void TParadoxWriter::AppendRecord() { Impl->Append(); }
std::uint32_t TParadoxWriter::RecordCount() const { return Impl->Records; }
void TParadoxWriter::Finish() { Impl->Finish(); }

}  // namespace spv::db
