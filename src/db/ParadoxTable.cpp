#include "db/ParadoxTable.h"

#include "db/ParadoxFile.h"
#include "db/ParadoxFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace spv::db {
namespace {

using namespace paradox;

// Scans read this many bytes of consecutive blocks at a time.
constexpr std::size_t kReadAhead = 1 << 20;

class TTable;

class TRecordView final : public TRecord {
 public:
  TRecordView(const TTable& table) : Table(table) {}
  bool IsNull(int field) const override;
  TValue Value(int field) const override;
  bool Scalar(int field, TScalar& value) const override;

  const std::uint8_t* Data = nullptr;
  std::uint32_t Number = 0;  // from 1, for messages

 private:
  const TTable& Table;
};

class TTable final : public TParadoxTable {
 public:
  explicit TTable(const std::filesystem::path& path);

  const std::filesystem::path& Path() const override { return FilePath; }
  const std::vector<TFieldDef>& Fields() const override { return FieldDefs; }
  int FieldIndex(std::string_view name) const override {
    for (std::size_t i = 0; i < FieldDefs.size(); ++i)
      if (SameFieldName(FieldDefs[i].Name, name)) return static_cast<int>(i);
    return -1;
  }
  std::uint32_t RecordCount() const override { return NumRecords; }
  int CodePage() const override { return TableCodePage; }
  int FileVersion() const override { return Version; }
  void Scan(const std::function<bool(const TRecord&)>& visit) const override;

  // For the record view.
  const TFieldDef& Field(int field, std::uint32_t record) const {
    if (field < 0 || field >= static_cast<int>(FieldDefs.size()))
      Fail("record " + std::to_string(record) + " has no field " + std::to_string(field));
    return FieldDefs[static_cast<std::size_t>(field)];
  }
  int Offset(int field) const { return Offsets[static_cast<std::size_t>(field)]; }
  TValue ReadBlob(const std::uint8_t* data, const TFieldDef& field, std::uint32_t record) const;
  [[noreturn]] void Fail(const std::string& what) const { throw TDatabaseError(Name + ": " + what); }

 private:
  std::uint64_t BlockStart(std::uint32_t block) const {
    return HeaderSize + static_cast<std::uint64_t>(block - 1) * BlockSize;
  }
  // Bytes of a block that begins in the file.
  std::uint64_t BytesOfBlock(std::uint32_t block) const {
    return std::min<std::uint64_t>(BlockSize, FileSize - BlockStart(block));
  }
  // The engine does not pad the last block of a file to the block size: the file may end just
  // after the block's last record. A block cut short holds the records that lie whole in the
  // bytes the file has of it; the opening check and the scan both count with this.
  int RecordsIn(std::uint64_t blockBytes) const {
    if (blockBytes < kBlockHeaderSize) return 0;
    return static_cast<int>(std::min<std::uint64_t>(PerBlock, (blockBytes - kBlockHeaderSize) / RecordSize));
  }
  const TSharedReadFile& BlobFile(const std::string& where) const;
  void ReadBlobBytes(std::uint64_t offset, std::string& out, std::size_t size, const std::string& where) const;

  std::filesystem::path FilePath;
  std::string Name;
  TSharedReadFile File;
  std::vector<TFieldDef> FieldDefs;
  std::vector<int> Offsets;
  int RecordSize = 0;
  int HeaderSize = 0;
  int BlockSize = 0;
  int PerBlock = 0;  // records a whole block holds
  std::uint32_t NumRecords = 0;
  std::uint32_t FirstBlock = 0;
  std::uint64_t FileSize = 0;  // when the table was opened
  std::uint32_t Blocks = 0;  // blocks that begin in the file, the last one perhaps cut short
  int TableCodePage = 0;
  int Version = 0;
  mutable std::optional<TSharedReadFile> Blobs;  // opened at the first blob that needs it
  mutable std::uint64_t BlobFileSize = 0;
};

TTable::TTable(const std::filesystem::path& path)
    : FilePath(path), Name(PathText(path)), File(path) {
  const std::uint64_t fileSize = File.Size();
  std::uint8_t base[kBaseHeaderEnd];
  if (fileSize < kBaseHeaderEnd || File.ReadAt(0, base, sizeof base) < sizeof base)
    Fail("not a Paradox table: the file is too short for a table header");

  const std::uint8_t fileType = base[kFileType];
  if (fileType != kFileTypeIndexedDb && fileType != kFileTypeNonIndexedDb) {
    if (fileType <= 8) Fail("not a Paradox table but one of its index files");
    Fail("not a Paradox table: unknown file type " + std::to_string(fileType));
  }
  const std::uint8_t versionId = base[kFileVersionId];
  Version = FileVersionOf(versionId);
  if (Version == 0) Fail("not a Paradox table: unknown file version " + std::to_string(versionId));
  const int blockKb = base[kMaxTableSize];
  // Blocks larger than 4 KiB came with the table levels of Paradox 5 and 7.
  if (!(blockKb >= 1 && blockKb <= 4) && !(FileVersionOf(versionId) >= 5 && (blockKb == 8 || blockKb == 16 || blockKb == 32)))
    Fail("not a Paradox table: invalid block size of " + std::to_string(blockKb) + " KiB");
  BlockSize = blockKb * 1024;

  HeaderSize = LoadLe16(base + kHeaderSize);
  const int infoStart = HasExtendedHeader(versionId) ? kExtendedHeaderEnd : kBaseHeaderEnd;
  if (HeaderSize < infoStart) Fail("damaged header: its size " + std::to_string(HeaderSize) + " is too small");
  NumRecords = LoadLe32(base + kNumRecords);
  // The blocks of a table with records begin after its whole header. A table without records
  // needs only the part of its header read here: the rest is unused and need not be written.
  const bool headerCut = static_cast<std::uint64_t>(HeaderSize) > fileSize;
  const std::string cutHeader = "truncated: the file ends inside its header";
  if (headerCut && NumRecords > 0) Fail(cutHeader);
  std::vector<std::uint8_t> header(static_cast<std::size_t>(std::min<std::uint64_t>(HeaderSize, fileSize)));
  const int headerBytes = static_cast<int>(header.size());
  if (headerBytes < infoStart || File.ReadAt(0, header.data(), header.size()) < header.size()) Fail(cutHeader);
  const std::uint8_t* h = header.data();

  const std::uint32_t encryption1 = LoadLe32(h + kEncryption1);
  const bool encrypted = HasExtendedHeader(versionId)
                             ? (encryption1 != 0 && encryption1 != kNoEncryption1) || LoadLe32(h + kEncryption2) != 0
                             : encryption1 != 0;
  if (encrypted) Fail("the table is encrypted (protected by a password) and cannot be read");

  RecordSize = LoadLe16(h + kRecordSize);
  FirstBlock = LoadLe16(h + kFirstBlock);
  TableCodePage = HasExtendedHeader(versionId) ? LoadLe16(h + kDosGlobalCodePage) : 0;

  const int numFields = LoadLe16(h + kNumFields);
  if (numFields < 1 || numFields > 255) Fail("damaged header: " + std::to_string(numFields) + " fields");
  // The field list, the name pointers and the table name must lie inside the header.
  int at = infoStart;
  const int namesStart = at + 2 * numFields + 4 + 4 * numFields + TableNameSize(versionId);
  if (namesStart > headerBytes) Fail(headerCut ? cutHeader : "damaged header: the field list does not fit in it");
  int offset = 0;
  for (int i = 0; i < numFields; ++i, at += 2) {
    const std::uint8_t code = h[at];
    const int size = h[at + 1];
    const std::optional<TFieldType> type = FieldTypeOfCode(code);
    const std::string which = "field " + std::to_string(i + 1);
    if (!type) Fail("damaged header: " + which + " has the unknown type " + std::to_string(code));
    int bytes = FixedSize(*type);
    if (*type == TFieldType::BCD) {
      if (size > 32) Fail("damaged header: " + which + " is a BCD with " + std::to_string(size) + " decimals");
    } else if (bytes != 0) {
      if (size != bytes) Fail("damaged header: " + which + " (" + FieldTypeName(*type) + ") has the size " + std::to_string(size));
    } else {
      const int least = IsBlob(*type) ? kBlobTailSize : 1;
      if (size < least) Fail("damaged header: " + which + " (" + FieldTypeName(*type) + ") has the size " + std::to_string(size));
      bytes = size;
    }
    FieldDefs.push_back({std::string(), *type, size});
    Offsets.push_back(offset);
    offset += bytes;
  }
  if (offset != RecordSize)
    Fail("damaged header: the fields take " + std::to_string(offset) + " bytes of a record of " +
         std::to_string(RecordSize));
  if (RecordSize > BlockSize - kBlockHeaderSize) Fail("damaged header: records are larger than a block");

  at = namesStart;
  for (TFieldDef& field : FieldDefs) {
    const void* end = std::memchr(h + at, 0, static_cast<std::size_t>(headerBytes - at));
    if (!end) Fail(headerCut ? cutHeader : "damaged header: the field names run past its end");
    const int len = static_cast<int>(static_cast<const std::uint8_t*>(end) - (h + at));
    field.Name.assign(reinterpret_cast<const char*>(h + at), static_cast<std::size_t>(len));
    at += len + 1;
  }

  // Nothing the header counts may need more room than the file has.
  FileSize = fileSize;
  PerBlock = (BlockSize - kBlockHeaderSize) / RecordSize;
  const std::uint64_t blockBytes = fileSize > static_cast<std::uint64_t>(HeaderSize) ? fileSize - HeaderSize : 0;
  Blocks = static_cast<std::uint32_t>(std::min<std::uint64_t>((blockBytes + BlockSize - 1) / BlockSize, 0xFFFF));
  const std::uint64_t room =
      Blocks == 0 ? 0 : static_cast<std::uint64_t>(Blocks - 1) * PerBlock + RecordsIn(BytesOfBlock(Blocks));
  if (NumRecords > room)
    Fail("truncated or damaged: its header counts " + std::to_string(NumRecords) + " records, the file has room for " +
         std::to_string(room));
  if (NumRecords > 0 && (FirstBlock < 1 || FirstBlock > Blocks))
    Fail("damaged header: its first block " + std::to_string(FirstBlock) + " is not in the file");
}

void TTable::Scan(const std::function<bool(const TRecord&)>& visit) const {
  if (NumRecords == 0) return;
  std::vector<bool> seen(Blocks + 1);
  // A run of consecutive blocks as read; memory stays within the file's size.
  std::vector<std::uint8_t> cache;
  std::uint32_t cacheFirst = 0, cacheBlocks = 0;  // the blocks that begin in `cache`
  std::size_t cacheBytes = 0;                     // bytes read into it
  const std::uint32_t aheadBlocks = static_cast<std::uint32_t>(std::max<std::size_t>(1, kReadAhead / BlockSize));

  TRecordView record(*this);
  std::uint32_t done = 0;
  std::uint32_t block = FirstBlock;
  while (done < NumRecords) {
    if (block == 0)
      Fail("its blocks hold " + std::to_string(done) + " of the " + std::to_string(NumRecords) +
           " records its header counts");
    if (block > Blocks) Fail("the block chain points to block " + std::to_string(block) + ", past the end of the file");
    if (seen[block]) Fail("the block chain runs in a loop at block " + std::to_string(block));
    seen[block] = true;

    if (block < cacheFirst || block >= cacheFirst + cacheBlocks) {
      // Blocks mostly follow one another in the file: read a run of them at once.
      const std::uint32_t count = std::min(aheadBlocks, Blocks - block + 1);
      const std::uint64_t where = BlockStart(block);
      cache.resize(static_cast<std::size_t>(
          std::min<std::uint64_t>(static_cast<std::uint64_t>(count) * BlockSize, FileSize - where)));
      cacheBytes = File.ReadAt(where, cache.data(), cache.size());
      cacheFirst = block;
      cacheBlocks = static_cast<std::uint32_t>((cacheBytes + BlockSize - 1) / BlockSize);
    }
    const std::size_t at = static_cast<std::size_t>(block - cacheFirst) * BlockSize;
    const std::size_t bytes = block < cacheFirst + cacheBlocks ? std::min<std::size_t>(BlockSize, cacheBytes - at) : 0;
    if (bytes < kBlockHeaderSize)
      Fail("truncated: the file ends inside the header of block " + std::to_string(block));
    const std::uint8_t* b = cache.data() + at;
    const std::uint32_t next = LoadLe16(b);
    const int lastOffset = static_cast<std::int16_t>(LoadLe16(b + 4));
    int count = 0;
    if (lastOffset >= 0) {
      if (lastOffset % RecordSize != 0 || lastOffset / RecordSize >= PerBlock)
        Fail("block " + std::to_string(block) + " is damaged: its record count does not fit the block");
      count = lastOffset / RecordSize + 1;
    }
    // Records past the header's count are not read: its writer may be adding them now.
    const int wanted = static_cast<int>(std::min<std::uint32_t>(static_cast<std::uint32_t>(count), NumRecords - done));
    if (wanted > RecordsIn(bytes))
      Fail("truncated: the file ends inside block " + std::to_string(block) + ", after " +
           std::to_string(RecordsIn(bytes)) + " of its " + std::to_string(count) + " records");
    for (int i = 0; i < wanted; ++i) {
      record.Data = b + kBlockHeaderSize + static_cast<std::size_t>(i) * RecordSize;
      record.Number = ++done;
      if (!visit(record)) return;
    }
    block = next;
  }
}

const TSharedReadFile& TTable::BlobFile(const std::string& where) const {
  if (!Blobs) {
    // The blob file's extension follows the case of the table's.
    const std::string ext = PathText(FilePath.extension());
    const bool upper = ext.size() > 1 && ext[1] >= 'A' && ext[1] <= 'Z';
    std::filesystem::path first = FilePath, second = FilePath;
    first.replace_extension(upper ? ".MB" : ".mb");
    second.replace_extension(upper ? ".mb" : ".MB");
    std::error_code ignored;
    const std::filesystem::path& blobPath = std::filesystem::exists(first, ignored) || !std::filesystem::exists(second, ignored) ? first : second;
    if (!std::filesystem::exists(blobPath, ignored)) Fail(where + ": its blob file " + PathText(first.filename()) + " is missing");
    Blobs.emplace(blobPath);
    BlobFileSize = Blobs->Size();
  }
  return *Blobs;
}

void TTable::ReadBlobBytes(std::uint64_t offset, std::string& out, std::size_t size, const std::string& where) const {
  // Checked before anything is allocated: a damaged length must not cost memory.
  const TSharedReadFile& blobs = BlobFile(where);
  if (offset + size > BlobFileSize) Fail(where + ": the blob file is truncated");
  out.resize(size);
  if (blobs.ReadAt(offset, out.data(), size) < size) Fail(where + ": the blob file is truncated");
}

TValue TTable::ReadBlob(const std::uint8_t* data, const TFieldDef& field, std::uint32_t record) const {
  const int leader = field.Size - kBlobTailSize;
  const std::uint8_t* tail = data + leader;
  const std::uint32_t pointer = LoadLe32(tail);
  const std::uint32_t length = LoadLe32(tail + 4);
  TValue value;
  value.kind = field.Type == TFieldType::Memo ? TValue::Kind::Text : TValue::Kind::Bytes;
  const std::string where = "record " + std::to_string(record) + ", field " + field.Name;
  const std::uint64_t blockOffset = pointer & 0xFFFFFF00u;
  const std::uint32_t index = pointer & 0xFFu;
  if (blockOffset == 0) {
    // Short enough for the record: the blob file's first block is its header, never data.
    if (length == 0) return {};
    if (length > static_cast<std::uint32_t>(leader)) Fail(where + ": the blob reference is damaged");
    value.Bytes.assign(reinterpret_cast<const char*>(data), length);
    return value;
  }
  if (length == 0) return {};
  const TSharedReadFile& blobs = BlobFile(where);
  // The blob file, like the table, may end just after its last blob: a blob of its own needs
  // only its short header before it, a suballocated block its whole list of entries.
  if (blockOffset + kSingleBlobHeader > BlobFileSize) Fail(where + ": the blob lies past the end of the blob file");
  std::uint8_t head[kSubBlockHeader + kSubBlockEntries * kSubBlockEntrySize] = {};
  const std::size_t headSize = blobs.ReadAt(blockOffset, head, sizeof head);
  const std::uint64_t blockEnd = blockOffset + static_cast<std::uint64_t>(LoadLe16(head + 1)) * kBlobChunk;
  if (index == 0xFF) {
    if (head[0] != kBlobSingle || LoadLe32(head + 3) != length || blockOffset + kSingleBlobHeader + length > blockEnd)
      Fail(where + ": the blob file does not hold the blob its record names");
    ReadBlobBytes(blockOffset + kSingleBlobHeader, value.Bytes, length, where);
    return value;
  }
  if (head[0] != kBlobSuballocated || index >= kSubBlockEntries || headSize < sizeof head)
    Fail(where + ": the blob file does not hold the blob its record names");
  const std::uint8_t* entry = head + kSubBlockHeader + index * kSubBlockEntrySize;
  const std::uint32_t paragraphs = entry[1];
  const std::uint32_t size = paragraphs == 0 ? 0 : (paragraphs - 1) * 16 + entry[4];
  const std::uint64_t start = blockOffset + entry[0] * 16u;
  if (size != length || start < blockOffset + sizeof head || start + size > blockEnd)
    Fail(where + ": the blob file does not hold the blob its record names");
  ReadBlobBytes(start, value.Bytes, length, where);
  return value;
}

// A graphic field's blob starts with 8 bytes of its own (a tag and the picture's size) before
// the picture: the value is the picture.
TValue PictureOf(TValue blob) {
  const auto* b = reinterpret_cast<const std::uint8_t*>(blob.Bytes.data());
  if (blob.Bytes.size() >= 8 && LoadLe32(b) == 0x01000001 && LoadLe32(b + 4) == blob.Bytes.size() - 8)
    blob.Bytes.erase(0, 8);
  return blob;
}

// Milliseconds since day 0 of the dates as our date-time value: the whole days, then the time
// of day as the fraction it is everywhere else (a typed time, a time field). Divided in one go,
// 10.12.2026 8:30 would come out a hair off the same moment typed as a literal.
double TimestampValue(double ms) {
  const double days = std::floor(ms / kMsPerDay);
  return (days - static_cast<double>(kDateDelta)) + (ms - days * kMsPerDay) / kMsPerDay;
}

// The fields of fixed size whose values hold no text or bytes; false for the others.
bool DecodeScalar(const TFieldDef& def, const std::uint8_t* p, TScalar& v) {
  switch (def.Type) {
    case TFieldType::Short:
    case TFieldType::Long:
    case TFieldType::AutoInc:
    case TFieldType::Date:
    case TFieldType::Time:
    case TFieldType::Timestamp:
    case TFieldType::Number:
    case TFieldType::Money:
    case TFieldType::Logical:
      break;
    default:
      return false;
  }
  v = {};
  if (AllZero(p, def.Size)) return true;
  switch (def.Type) {
    case TFieldType::Short:
    case TFieldType::Long:
    case TFieldType::AutoInc:
      v.kind = TValue::Kind::Integer;
      v.Integer = DecodeInteger(p, def.Size);
      break;
    case TFieldType::Date:
      v.kind = TValue::Kind::Date;
      v.Float = static_cast<double>(DecodeInteger(p, 4) - kDateDelta);
      break;
    case TFieldType::Time:
      v.kind = TValue::Kind::Time;
      v.Float = static_cast<double>(DecodeInteger(p, 4)) / kMsPerDay;
      break;
    case TFieldType::Timestamp:
      v.kind = TValue::Kind::Timestamp;
      v.Float = TimestampValue(DecodeDouble(p));
      break;
    case TFieldType::Number:
    case TFieldType::Money:
      v.kind = TValue::Kind::Float;
      v.Float = DecodeDouble(p);
      break;
    case TFieldType::Logical:
      v.kind = TValue::Kind::Logical;
      v.Integer = (p[0] & 0x7F) != 0;
      break;
    default:
      break;
  }
  return true;
}

bool TRecordView::IsNull(int field) const {
  const TFieldDef& def = Table.Field(field, Number);
  const std::uint8_t* p = Data + Table.Offset(field);
  switch (def.Type) {
    case TFieldType::Alpha:
      return p[0] == 0;
    case TFieldType::BCD:
      return AllZero(p, kBcdSize);
    case TFieldType::Memo:
    case TFieldType::Blob:
    case TFieldType::FormattedMemo:
    case TFieldType::OLE:
    case TFieldType::Graphic: {
      const std::uint8_t* tail = p + def.Size - kBlobTailSize;
      return LoadLe32(tail + 4) == 0;
    }
    default:
      return AllZero(p, def.Size);
  }
}

TValue TRecordView::Value(int field) const {
  const TFieldDef& def = Table.Field(field, Number);
  const std::uint8_t* p = Data + Table.Offset(field);
  TValue v;
  switch (def.Type) {
    case TFieldType::Alpha: {
      const void* end = std::memchr(p, 0, static_cast<std::size_t>(def.Size));
      const std::size_t len = end ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - p) : def.Size;
      if (len == 0) return v;
      v.kind = TValue::Kind::Text;
      v.Bytes.assign(reinterpret_cast<const char*>(p), len);
      return v;
    }
    case TFieldType::Memo:
    case TFieldType::Blob:
    case TFieldType::FormattedMemo:
    case TFieldType::OLE:
      return Table.ReadBlob(p, def, Number);
    case TFieldType::Graphic:
      return PictureOf(Table.ReadBlob(p, def, Number));
    case TFieldType::BCD: {
      if (AllZero(p, kBcdSize)) return v;
      const std::optional<double> number = DecodeBcd(p);
      if (!number)
        Table.Fail("record " + std::to_string(Number) + ", field " + def.Name + ": not a BCD number");
      v.kind = TValue::Kind::Float;
      v.Float = *number;
      return v;
    }
    case TFieldType::Bytes:
      if (AllZero(p, def.Size)) return v;
      v.kind = TValue::Kind::Bytes;
      v.Bytes.assign(reinterpret_cast<const char*>(p), static_cast<std::size_t>(def.Size));
      return v;
    default:
      break;
  }
  TScalar scalar;
  DecodeScalar(def, p, scalar);
  v.kind = scalar.kind;
  v.Integer = scalar.Integer;
  v.Float = scalar.Float;
  return v;
}

bool TRecordView::Scalar(int field, TScalar& value) const {
  const TFieldDef& def = Table.Field(field, Number);
  return DecodeScalar(def, Data + Table.Offset(field), value);
}

}  // namespace

std::unique_ptr<TParadoxTable> TParadoxTable::Open(const std::filesystem::path& path) {
  return std::make_unique<TTable>(path);
}

}  // namespace spv::db
