// The table reader on tables from the field and on tables damaged on purpose.

#include "ParadoxTestSupport.h"

#include "db/ParadoxWriter.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <functional>

namespace spv::db::test {
namespace {

using ::testing::HasSubstr;

constexpr double kDay2018_01_01 = 43101;  // 1 January 2018 as a date-time value

TValue Null() { return {}; }
TValue Int(std::int64_t v) { return {TValue::Kind::Integer, v, 0, {}}; }
TValue Float(double v) { return {TValue::Kind::Float, 0, v, {}}; }
TValue Text(std::string v) { return {TValue::Kind::Text, 0, 0, std::move(v)}; }
TValue Date(double v) { return {TValue::Kind::Date, 0, v, {}}; }
TValue Time(std::int64_t ms) { return {TValue::Kind::Time, 0, static_cast<double>(ms) / 86400000.0, {}}; }
TValue Logical(bool v) { return {TValue::Kind::Logical, v, 0, {}}; }

TValue ValueAt(const std::filesystem::path& path, std::uint32_t record, const std::string& field) {
  const auto table = TParadoxTable::Open(path);
  const int index = table->FieldIndex(field);
  EXPECT_GE(index, 0) << field;
  TValue value;
  std::uint32_t n = 0;
  table->Scan([&](const TRecord& r) {
    if (n++ != record) return true;
    value = r.Value(index);
    EXPECT_EQ(r.IsNull(index), value.IsNull());
    return false;
  });
  EXPECT_GT(n, record) << "no record " << record;
  return value;
}

// Values read by hand from the bytes of the sample tables.
TEST(ParadoxTableSamples, ValuesOfEveryFieldType) {
  struct TCase {
    const char* File;
    std::uint32_t Record;
    const char* Field;
    TValue Expected;
  };
  const TCase cases[] = {
      {"fields/date7.db", 0, "DATE", Date(kDay2018_01_01)},
      {"fields/date7.db", 1, "date", Date(kDay2018_01_01 + 31)},
      {"fields/date7.db", 0, "TIME", Time(10 * 3600000)},
      {"fields/date7.db", 3, "DATE", Null()},
      {"fields/date7.db", 4, "TIME", Null()},
      {"fields/date35.db", 2, "DATE", Date(kDay2018_01_01 + 1)},
      {"fields/date4.db", 0, "DATE", Date(kDay2018_01_01)},
      {"fields/time.db", 0, "Time", Time(3601000)},
      {"fields/time.db", 1, "Time", Null()},
      {"fields/time.db", 2, "Time", Time(10803000)},
      {"fields/timestamp.db", 0, "Timestamp", Null()},
      // 63716202001000 ms: day 737456 and 1:00:01.
      {"fields/timestamp.db", 1, "Timestamp", {TValue::Kind::Timestamp, 0, (737456 - 693594) + 3601000 / 86400000.0, {}}},
      {"fields/logical.db", 0, "BOOL", Logical(true)},
      {"fields/logical.db", 1, "BOOL", Logical(false)},
      {"fields/long.db", 2, "Id", Int(3)},
      {"fields/long.db", 2, "LONG", Null()},
      {"fields/bcd.db", 0, "A", Float(1.23)},
      {"fields/bcd.db", 1, "A", Float(-1.23)},
      {"fields/bcd.db", 2, "A", Float(0)},
      {"fields/bcd.db", 1, "B", Float(-1)},
      {"fields/bcd.db", 2, "B", Null()},
      // Digits past a double's precision hold noise that ends the number.
      {"fields/bcd.db", 0, "C", Float(0.123)},
      {"fields/bcd.db", 1, "C", Float(-0.123)},
      {"fields/bcd.db", 2, "C", Float(0.9999)},
      {"fields/memo.db", 1, "MEMO", Text("01234567890\n")},
      {"db/GENERAL.DB", 1, "MONEYS", Float(150)},
      {"db/ORDERS.DB", 0, "Order No", Float(1001)},
      {"db/ORDERS.DB", 0, "Sale Date", Date(725830 - 693594)},
      {"db/AREACODES.DB", 369, "AC", Text("989")},
      {"db/CONTACTS.DB", 0, "Last Name", Text("Pan")},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.File) + " #" + std::to_string(c.Record) + " " + c.Field);
    EXPECT_EQ(ValueAt(SamplesDir() / c.File, c.Record, c.Field), c.Expected);
  }
}

TEST(ParadoxTableSamples, HeaderFacts) {
  struct TCase {
    const char* File;
    int Version, CodePage;
    std::uint32_t Records;
    std::size_t Fields;
  };
  const TCase cases[] = {
      {"fields/date35.db", 3, 0, 3, 1},     // 3.5: no code page in the header
      {"fields/date4.db", 4, 850, 3, 1},
      {"fields/date5.db", 5, 850, 3, 2},
      {"db/CONTACTS.DB", 7, 437, 55, 4},
      {"db/AREACODES.DB", 7, 1252, 370, 3},  // 16 KiB blocks
      {"db/AREACODE.DB", 4, 437, 135, 4},    // indexed, four blocks
      {"db/ROMAN8.db", 4, 0, 1, 1},
      {"db/CUSTOMER.DB", 7, 1252, 20, 10},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.File);
    const auto table = TParadoxTable::Open(SamplesDir() / c.File);
    EXPECT_EQ(table->FileVersion(), c.Version);
    EXPECT_EQ(table->CodePage(), c.CodePage);
    EXPECT_EQ(table->RecordCount(), c.Records);
    EXPECT_EQ(table->Fields().size(), c.Fields);
    EXPECT_EQ(ReadAll(*table).size(), c.Records);
  }
  const auto customer = TParadoxTable::Open(SamplesDir() / "db/CUSTOMER.DB");
  EXPECT_EQ(customer->FieldIndex("state/prov"), 6);
  EXPECT_EQ(customer->Fields()[8].Type, TFieldType::Memo);
  EXPECT_EQ(customer->Fields()[0].Type, TFieldType::AutoInc);
  EXPECT_EQ(customer->FieldIndex("nothing"), -1);
}

TEST(ParadoxTableSamples, BlobsFromTheBlobFile) {
  // A memo longer than its leader lives in a suballocated block of the .MB.
  const TValue memo = ValueAt(SamplesDir() / "fields/memo.db", 0, "MEMO");
  ASSERT_EQ(memo.kind, TValue::Kind::Text);
  EXPECT_EQ(memo.Bytes.size(), 555u);
  EXPECT_EQ(memo.Bytes.substr(0, 12), "012345678900");
  EXPECT_EQ(memo.Bytes.find('\0'), std::string::npos);

  // A graphic is the picture itself, without the blob's own 8-byte prefix.
  const TValue picture = ValueAt(SamplesDir() / "fields/graphic240.db", 0, "Graph");
  ASSERT_EQ(picture.kind, TValue::Kind::Bytes);
  ASSERT_GT(picture.Bytes.size(), 54u);
  EXPECT_EQ(picture.Bytes.substr(0, 2), "BM");
  std::uint32_t bmpSize;
  std::memcpy(&bmpSize, picture.Bytes.data() + 2, 4);
  EXPECT_EQ(bmpSize, picture.Bytes.size());

  // Every memo of a real table reads, from its record or from the blob file.
  const auto customer = TParadoxTable::Open(SamplesDir() / "db/CUSTOMER.DB");
  int fromBlobFile = 0;
  customer->Scan([&](const TRecord& r) {
    const TValue v = r.Value(8);
    if (!v.IsNull() && v.Bytes.size() > 100) ++fromBlobFile;
    return true;
  });
  EXPECT_GT(fromBlobFile, 0);
}

TEST(ParadoxTableSamples, BlobFileMissing) {
  // graphic.db comes without its blob file: the other fields read, the pictures name what is missing.
  const auto table = TParadoxTable::Open(SamplesDir() / "fields/graphic.db");
  const int graphic = table->FieldIndex("Graphic");
  const int type = table->FieldIndex("Type");
  int missing = 0;
  table->Scan([&](const TRecord& r) {
    if (missing == 0) {
      EXPECT_EQ(r.Value(type), Text("GIF"));
    }
    try {
      r.Value(graphic);
    } catch (const TDatabaseError& e) {
      EXPECT_THAT(e.what(), HasSubstr("graphic.db: record "));
      EXPECT_THAT(e.what(), HasSubstr("its blob file graphic.mb is missing"));
      ++missing;
    }
    return true;
  });
  EXPECT_EQ(missing, 3);
}

TEST(ParadoxTableErrors, EncryptedTablesAreRefused) {
  for (const char* name : {"encrypted.db", "encrypted35.db", "encryptedmemo.db"}) {
    SCOPED_TRACE(name);
    try {
      TParadoxTable::Open(SamplesDir() / "encrypt" / name);
      ADD_FAILURE() << "opened";
    } catch (const TDatabaseError& e) {
      EXPECT_THAT(e.what(), HasSubstr(name));
      EXPECT_THAT(e.what(), HasSubstr("encrypted"));
    }
  }
}

// Opens and reads the whole table; returns the error's message ("" when it read).
std::string ReadError(const std::filesystem::path& path) {
  try {
    const auto table = TParadoxTable::Open(path);
    ReadAll(*table);
    return "";
  } catch (const TDatabaseError& e) {
    return e.what();
  }
}

TEST(ParadoxTableErrors, FilesThatAreNotTables) {
  TScratch scratch;
  WriteFile(scratch / "empty.db", "");
  WriteFile(scratch / "text.db", std::string(3000, 'x'));
  std::filesystem::create_directory(scratch / "folder.db");
  const struct {
    std::filesystem::path Path;
    const char* Message;
  } cases[] = {
      {scratch / "missing.db", "no such table"},
      {scratch / "empty.db", "too short"},
      {scratch / "text.db", "not a Paradox table"},
      {scratch / "folder.db", "folder"},
      {SamplesDir() / "db/AREACODE.PX", "index"},
      {SamplesDir() / "db/AREACODES.XG0", "index"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path.string());
    const std::string message = ReadError(c.Path);
    EXPECT_THAT(message, HasSubstr(c.Message));
    EXPECT_THAT(message, HasSubstr(c.Path.filename().string()));
  }
}

// A table of three 1 KiB blocks, eleven records each but the last: 25 records of 90 bytes.
constexpr int kBlock = 1024;
constexpr int kHeader = 0x800;
constexpr int kRecords = 25;

void WriteSmallTable(const std::filesystem::path& path) {
  TParadoxWriter writer(path, {{"Id", TFieldType::Long}, {"Name", TFieldType::Alpha, 86}}, {1251, kBlock});
  for (int i = 0; i < kRecords; ++i) {
    writer.SetInteger(0, i);
    writer.SetText(1, "name " + std::to_string(i));
    writer.AppendRecord();
  }
  writer.Finish();
}

void Put16(std::string& bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}
std::size_t BlockAt(int block) { return kHeader + static_cast<std::size_t>(block - 1) * kBlock; }

TEST(ParadoxTableErrors, DamagedTables) {
  TScratch scratch;
  const std::filesystem::path good = scratch / "good.db";
  WriteSmallTable(good);
  ASSERT_EQ(ReadError(good), "");
  const std::string bytes = ReadFile(good);
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kHeader + 3 * kBlock));

  const struct {
    const char* Name;
    std::function<void(std::string&)> Damage;
    const char* Message;
  } cases[] = {
      {"cut in the header", [](std::string& b) { b.resize(0x400); }, "ends inside its header"},
      {"cut in the blocks", [](std::string& b) { b.resize(BlockAt(3)); }, "has room for 22"},
      {"cut inside the last record", [](std::string& b) { b.resize(BlockAt(3) + 6 + 3 * 90 - 1); }, "has room for 24"},
      {"cut inside the last block's header", [](std::string& b) { b.resize(BlockAt(3) + 5); }, "has room for 22"},
      // Block 1 holds ten records, not eleven, so the header's 24 pass the count of the room
      // and the scan finds the cut.
      {"cut inside a record the scan reads",
       [](std::string& b) {
         Put16(b, BlockAt(1) + 4, 9 * 90);
         Put16(b, 0x06, 24);
         b.resize(BlockAt(3) + 6 + 2 * 90 + 45);
       },
       "truncated: the file ends inside block 3, after 2 of its 3 records"},
      {"cut inside a block header the scan reads",
       [](std::string& b) {
         Put16(b, BlockAt(1) + 4, static_cast<std::uint16_t>(-90));  // empty
         Put16(b, 0x06, 14);
         b.resize(BlockAt(3) + 3);
       },
       "truncated: the file ends inside the header of block 3"},
      {"header size too small", [](std::string& b) { Put16(b, 0x02, 0x40); }, "too small"},
      {"header size past the end", [](std::string& b) { Put16(b, 0x02, 0xF000); }, "ends inside its header"},
      {"no fields", [](std::string& b) { Put16(b, 0x21, 0); }, "0 fields"},
      {"unknown field type", [](std::string& b) { b[0x78] = 0x42; }, "unknown type 66"},
      {"wrong size of a long", [](std::string& b) { b[0x79] = 3; }, "has the size 3"},
      {"record size lies", [](std::string& b) { Put16(b, 0x00, 91); }, "fields take 90 bytes"},
      {"unknown version", [](std::string& b) { b[0x39] = 0x20; }, "unknown file version"},
      {"bad block size", [](std::string& b) { b[0x05] = 5; }, "block size"},
      {"too many records", [](std::string& b) { b[0x06] = static_cast<char>(0xFF); b[0x07] = 0x7F; }, "has room for"},
      {"first block outside", [](std::string& b) { Put16(b, 0x0E, 9); }, "first block 9"},
      {"chain loops", [](std::string& b) { Put16(b, BlockAt(2), 1); }, "loop at block 1"},
      {"chain past the end", [](std::string& b) { Put16(b, BlockAt(2), 7); }, "block 7, past the end"},
      {"chain ends early", [](std::string& b) { Put16(b, BlockAt(2), 0); }, "hold 22 of the 25"},
      {"torn block", [](std::string& b) { Put16(b, BlockAt(2) + 4, 12 * 90); }, "block 2 is damaged"},
      {"odd record offset", [](std::string& b) { Put16(b, BlockAt(1) + 4, 95); }, "block 1 is damaged"},
      {"field names missing", [](std::string& b) { std::memset(b.data() + 0x78 + 4 + 4 + 8 + 261, 'x', kHeader - 0x78 - 4 - 4 - 8 - 261); }, "field names run past"},
      {"encrypted", [](std::string& b) { b[0x5C] = 1; }, "encrypted"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string damaged = bytes;
    c.Damage(damaged);
    const std::filesystem::path path = scratch / "damaged.db";
    WriteFile(path, damaged);
    const std::string message = ReadError(path);
    EXPECT_THAT(message, HasSubstr(c.Message));
    EXPECT_THAT(message, HasSubstr("damaged.db: "));
  }
}

TEST(ParadoxTableScan, FollowsTheBlockChainNotTheFileOrder) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  WriteSmallTable(path);
  std::string bytes = ReadFile(path);
  // Chain 1 -> 3 -> 2: the records of block 3 come before those of block 2.
  Put16(bytes, BlockAt(1), 3);
  Put16(bytes, BlockAt(3), 2);
  Put16(bytes, BlockAt(2), 0);
  std::vector<std::int64_t> expected;
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) expected.push_back(i);
  for (int i = 22; i < 25; ++i) expected.push_back(i);
  for (int i = 11; i < 22; ++i) expected.push_back(i);
  // Padded, and unpadded: the block the file cuts short after its last record sits inside the chain.
  for (const std::size_t size : {bytes.size(), BlockAt(3) + 6 + 3 * 90}) {
    SCOPED_TRACE(size);
    WriteFile(path, bytes.substr(0, size));
    const auto table = TParadoxTable::Open(path);
    std::vector<std::int64_t> ids;
    table->Scan([&](const TRecord& r) {
      ids.push_back(r.Value(0).Integer);
      return true;
    });
    EXPECT_EQ(ids, expected);
  }
}

TEST(ParadoxTableScan, ATableItsWriterIsExtending) {
  // The broadcast system adds a block and records before it updates the header: the reader
  // reads the records the header counts and nothing of the half-written rest.
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  WriteSmallTable(path);
  std::string bytes = ReadFile(path);
  Put16(bytes, BlockAt(3), 4);
  std::string torn(kBlock / 2, '\x7F');
  Put16(torn, 4, 30000);  // an offset no block of this table can have
  WriteFile(path, bytes + torn);
  const auto table = TParadoxTable::Open(path);
  const TRows rows = ReadAll(*table);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRecords));
  EXPECT_EQ(rows.back()[0].Integer, kRecords - 1);
}

TEST(ParadoxTableScan, ATableItsWriterIsExtendingInPlace) {
  // Without padding, the writer's next record goes into the last block at the end of the file:
  // the block may already count it while its bytes are not all written. The records the header
  // counts are whole, and they are what the reader reads.
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  WriteSmallTable(path);
  std::string bytes = ReadFile(path);
  Put16(bytes, BlockAt(3) + 4, 3 * 90);  // a fourth record in block 3
  WriteFile(path, bytes.substr(0, BlockAt(3) + 6 + 3 * 90 + 10));
  const TRows rows = ReadAll(*TParadoxTable::Open(path));
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRecords));
  EXPECT_EQ(rows.back()[0].Integer, kRecords - 1);
}

TEST(ParadoxTableScan, StopsWhenTheVisitorSaysSo) {
  TScratch scratch;
  WriteSmallTable(scratch / "t.db");
  const auto table = TParadoxTable::Open(scratch / "t.db");
  int visits = 0;
  table->Scan([&](const TRecord& r) {
    ++visits;
    return r.Value(0).Integer < 12;  // stops after the first record of block 2
  });
  EXPECT_EQ(visits, 13);
}

TEST(ParadoxTableScan, LeavesTheFileAndItsFolderUntouched) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  WriteSmallTable(path);
  const std::string before = ReadFile(path);
  const auto time = std::filesystem::last_write_time(path);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);  // read-only, as shipped
  {
    const auto table = TParadoxTable::Open(path);
    EXPECT_EQ(ReadAll(*table).size(), static_cast<std::size_t>(kRecords));
  }
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(std::filesystem::last_write_time(path), time);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.Dir)) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1) << "no lock file or anything else beside the table";
}

TEST(ParadoxTableUnpadded, TablesCutAfterTheLastRecordReadWhole) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  std::vector<TUnpaddedCase> cases = UnpaddedCases();
  cases.push_back({2048, 43185});  // as a table from the field: 686 blocks, 30 records in the last
  for (const TUnpaddedCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.BlockSize) + " bytes a block, " + std::to_string(c.Records) + " records");
    WriteNumberedTable(path, c.BlockSize, c.Records);
    const std::string bytes = ReadFile(path);
    const TRows padded = ReadAll(*TParadoxTable::Open(path));
    ASSERT_EQ(padded.size(), static_cast<std::size_t>(c.Records));
    EXPECT_EQ(padded.back()[0], Int(c.Records - 1));
    EXPECT_EQ(padded.back()[1], Text(NumberedName(c.Records - 1)));

    const std::size_t end = EndOfLastRecord(bytes);
    ASSERT_LT(end, bytes.size());
    WriteFile(path, bytes.substr(0, end));
    EXPECT_EQ(ReadAll(*TParadoxTable::Open(path)), padded);

    WriteFile(path, bytes.substr(0, end - 1));
    const std::string message = ReadError(path);
    EXPECT_THAT(message, HasSubstr("t.db: truncated or damaged: its header counts " + std::to_string(c.Records) +
                                   " records, the file has room for " + std::to_string(c.Records - 1)));
  }
  // The table from the field itself ends 1,024 bytes into its last block.
  WriteNumberedTable(path, 2048, 43185);
  WriteFile(path, ReadFile(path).substr(0, 1405952));
  EXPECT_EQ(ReadAll(*TParadoxTable::Open(path)).size(), 43185u);
}

TEST(ParadoxTableUnpadded, ABlobFileCutAfterItsLastBlob) {
  // Without a leader in the record, even a blob of two bytes has a block of its own.
  TScratch scratch;
  const std::filesystem::path path = scratch / "m.db";
  {
    TParadoxWriter writer(path, {{"Memo", TFieldType::Memo, 10}});
    writer.SetText(0, std::string(5000, 'm'));
    writer.AppendRecord();
    writer.SetText(0, "ab");
    writer.AppendRecord();
    writer.Finish();
  }
  const std::string blob = ReadFile(scratch / "m.mb");
  const std::size_t end = 3 * 4096 + 9 + 2;  // the file's header, 5000 bytes in two chunks, then "ab"
  ASSERT_EQ(blob.substr(end - 2, 2), "ab");
  WriteFile(scratch / "m.mb", blob.substr(0, end));
  EXPECT_EQ(ReadAll(*TParadoxTable::Open(path)), (TRows{{Text(std::string(5000, 'm'))}, {Text("ab")}}));

  WriteFile(scratch / "m.mb", blob.substr(0, end - 1));
  EXPECT_THAT(ReadError(path), HasSubstr("m.db: record 2, field Memo: the blob file is truncated"));
}

TEST(ParadoxTableUnpadded, ATableWithoutRecordsNeedsOnlyTheHeaderItReads) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "e.db";
  {
    TParadoxWriter writer(path, {{"Id", TFieldType::Long}, {"LastField", TFieldType::Alpha, 10}});
    writer.Finish();
  }
  const std::string bytes = ReadFile(path);
  const std::size_t namesEnd = bytes.find(std::string("LastField") + '\0') + 10;
  ASSERT_LT(namesEnd, bytes.size());

  WriteFile(path, bytes.substr(0, namesEnd));
  const auto table = TParadoxTable::Open(path);
  ASSERT_EQ(table->Fields().size(), 2u);
  EXPECT_EQ(table->Fields()[1].Name, "LastField");
  EXPECT_EQ(table->RecordCount(), 0u);
  EXPECT_EQ(ReadAll(*table).size(), 0u);

  WriteFile(path, bytes.substr(0, namesEnd - 1));
  EXPECT_THAT(ReadError(path), HasSubstr("e.db: truncated: the file ends inside its header"));
  // A table with records needs its whole header: its blocks begin after it.
  std::string counted = bytes.substr(0, namesEnd);
  counted[0x06] = 1;
  WriteFile(path, counted);
  EXPECT_THAT(ReadError(path), HasSubstr("e.db: truncated: the file ends inside its header"));
}

// Every value but the blobs, which live in another file.
TRows ReadAllButBlobs(const TParadoxTable& table) {
  TRows rows;
  table.Scan([&](const TRecord& record) {
    std::vector<TValue> row;
    for (std::size_t f = 0; f < table.Fields().size(); ++f)
      row.push_back(paradox::IsBlob(table.Fields()[f].Type) ? TValue{} : record.Value(static_cast<int>(f)));
    rows.push_back(std::move(row));
    return true;
  });
  return rows;
}

TEST(ParadoxTableUnpadded, SampleTablesCutAfterTheLastRecordOfTheirFile) {
  TScratch scratch;
  const std::vector<std::filesystem::path> tables = ReadableSampleTables();
  for (const std::filesystem::path& path : tables) {
    SCOPED_TRACE(path.string());
    const auto whole = TParadoxTable::Open(path);
    const TRows rows = ReadAllButBlobs(*whole);
    EXPECT_EQ(rows.size(), whole->RecordCount());
    const std::string bytes = ReadFile(path);
    const std::size_t end = EndOfLastRecord(bytes);
    ASSERT_LT(end, bytes.size());
    WriteFile(scratch / "cut.db", bytes.substr(0, end));
    EXPECT_EQ(ReadAllButBlobs(*TParadoxTable::Open(scratch / "cut.db")), rows);
  }
  EXPECT_EQ(tables.size(), 25u);
}

TEST(ParadoxTableErrors, DamagedBlobFiles) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "m.db";
  {
    TParadoxWriter writer(path, {{"Memo", TFieldType::Memo, 20}});
    writer.SetText(0, std::string(5000, 'm'));
    writer.AppendRecord();
    writer.Finish();
  }
  ASSERT_EQ(ValueAt(path, 0, "Memo").Bytes, std::string(5000, 'm'));
  const std::string blob = ReadFile(scratch / "m.mb");
  const struct {
    const char* Name;
    std::function<void()> Damage;
    const char* Message;
  } cases[] = {
      {"missing", [&] { std::filesystem::remove(scratch / "m.mb"); }, "blob file m.mb is missing"},
      {"cut", [&] { WriteFile(scratch / "m.mb", blob.substr(0, 4096 + 100)); }, "truncated"},
      {"wrong length", [&] { std::string b = blob; b[4096 + 3] = 1; WriteFile(scratch / "m.mb", b); }, "does not hold the blob"},
      {"wrong block type", [&] { std::string b = blob; b[4096] = 4; WriteFile(scratch / "m.mb", b); }, "does not hold the blob"},
      {"past the end", [&] { WriteFile(scratch / "m.mb", blob.substr(0, 4096)); }, "past the end"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Damage();
    const auto table = TParadoxTable::Open(path);
    try {
      table->Scan([](const TRecord& r) {
        r.Value(0);
        return true;
      });
      ADD_FAILURE() << "read";
    } catch (const TDatabaseError& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.Message));
      EXPECT_THAT(e.what(), HasSubstr("m.db: record 1, field Memo"));
    }
    WriteFile(scratch / "m.mb", blob);
  }
}

}  // namespace
}  // namespace spv::db::test
