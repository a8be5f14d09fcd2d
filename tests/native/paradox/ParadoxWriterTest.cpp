// The table writer: what it writes reads back as it was given, what a field cannot hold is
// refused, and a table appears only when it is finished.

#include "ParadoxTestSupport.h"

#include "db/ParadoxWriter.h"

#include <gmock/gmock.h>

#include <cmath>
#include <functional>
#include <limits>

namespace spv::db::test {
namespace {

using ::testing::HasSubstr;

TValue Of(TValue::Kind kind, std::int64_t i, double f, std::string b = {}) { return {kind, i, f, std::move(b)}; }

TEST(ParadoxWriter, EveryWritableTypeReadsBackAsWritten) {
  using K = TValue::Kind;
  const std::string cyrillic = "\xCF\xF0\xE8\xE2\xE5\xF2";  // "Привет" in code page 1251
  struct TCase {
    TFieldDef Field;
    TValue Value;  // written with SetValue, expected back from the reader
  };
  const TCase cases[] = {
      {{"Alpha", TFieldType::Alpha, 6}, Of(K::Text, 0, 0, cyrillic)},
      {{"AlphaShort", TFieldType::Alpha, 40}, Of(K::Text, 0, 0, "a")},
      {{"ShortMin", TFieldType::Short}, Of(K::Integer, -32767, 0)},
      {{"ShortMax", TFieldType::Short}, Of(K::Integer, 32767, 0)},
      {{"ShortZero", TFieldType::Short}, Of(K::Integer, 0, 0)},
      {{"LongMin", TFieldType::Long}, Of(K::Integer, -2147483647, 0)},
      {{"LongMax", TFieldType::Long}, Of(K::Integer, 2147483647, 0)},
      {{"Auto", TFieldType::AutoInc}, Of(K::Integer, 77, 0)},
      {{"Number", TFieldType::Number}, Of(K::Float, 0, -1234.5678e-10)},
      {{"NumberZero", TFieldType::Number}, Of(K::Float, 0, 0.0)},
      {{"NumberBig", TFieldType::Number}, Of(K::Float, 0, 1.7976931348623157e308)},
      {{"Money", TFieldType::Money}, Of(K::Float, 0, 19.99)},
      {{"BcdNeg", TFieldType::BCD, 2}, Of(K::Float, 0, -1234567.89)},
      {{"BcdZero", TFieldType::BCD, 4}, Of(K::Float, 0, 0)},
      {{"Date", TFieldType::Date}, Of(K::Date, 0, 46000)},
      {{"DateFirst", TFieldType::Date}, Of(K::Date, 0, -693593)},   // 1 January 1
      {{"DateLast", TFieldType::Date}, Of(K::Date, 0, 2958465)},    // 31 December 9999
      {{"DateOld", TFieldType::Date}, Of(K::Date, 0, -5)},
      {{"Time", TFieldType::Time}, Of(K::Time, 0, (13 * 3600000.0 + 5 * 60000 + 7001) / 86400000.0)},
      {{"Midnight", TFieldType::Time}, Of(K::Time, 0, 0)},
      {{"Stamp", TFieldType::Timestamp}, Of(K::Timestamp, 0, 46000 + 0.75)},
      {{"True", TFieldType::Logical}, Of(K::Logical, 1, 0)},
      {{"False", TFieldType::Logical}, Of(K::Logical, 0, 0)},
      {{"Bytes", TFieldType::Bytes, 4}, Of(K::Bytes, 0, 0, std::string("\x00\x01\xFF\x00", 4))},
      {{"MemoShort", TFieldType::Memo, 30}, Of(K::Text, 0, 0, "fits the leader")},
      {{"MemoLong", TFieldType::Memo, 250}, Of(K::Text, 0, 0, std::string(10000, 'z') + cyrillic)},
      {{"Empty", TFieldType::Long}, TValue{}},
      {{"EmptyMemo", TFieldType::Memo, 11}, TValue{}},
  };
  TScratch scratch;
  std::vector<TFieldDef> fields;
  for (const TCase& c : cases) fields.push_back(c.Field);
  TParadoxWriter writer(scratch / "all.db", fields);
  for (int record = 0; record < 3; ++record) {
    for (std::size_t i = 0; i < std::size(cases); ++i) writer.SetValue(static_cast<int>(i), cases[i].Value);
    writer.AppendRecord();
  }
  writer.Finish();
  EXPECT_EQ(writer.RecordCount(), 3u);

  const auto table = TParadoxTable::Open(scratch / "all.db");
  EXPECT_EQ(table->FileVersion(), 7);
  EXPECT_EQ(table->CodePage(), 1251);
  ASSERT_EQ(table->Fields().size(), std::size(cases));
  const TRows rows = ReadAll(*table);
  ASSERT_EQ(rows.size(), 3u);
  for (const auto& row : rows)
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      SCOPED_TRACE(cases[i].Field.Name);
      EXPECT_EQ(table->Fields()[i].Name, cases[i].Field.Name);
      EXPECT_EQ(table->Fields()[i].Type, cases[i].Field.Type);
      EXPECT_EQ(row[i], cases[i].Value);
    }
}

TEST(ParadoxWriter, ValuesAFieldCannotHoldAreRefused) {
  TScratch scratch;
  TParadoxWriter writer(scratch / "t.db", {{"A", TFieldType::Alpha, 3}, {"S", TFieldType::Short}, {"L", TFieldType::Long},
                                           {"N", TFieldType::Number}, {"D", TFieldType::Date}, {"B", TFieldType::BCD, 2},
                                           {"I", TFieldType::AutoInc}, {"Y", TFieldType::Bytes, 2}});
  const struct {
    const char* Name;
    std::function<void()> Set;
    const char* Message;
  } cases[] = {
      {"text too long", [&] { writer.SetText(0, "abcd"); }, "field A (alpha) holds 3 characters, not 4"},
      {"zero byte", [&] { writer.SetText(0, std::string("a\0b", 3)); }, "zero byte"},
      {"short too big", [&] { writer.SetInteger(1, 32768); }, "field S (short) cannot hold 32768"},
      {"short lowest", [&] { writer.SetInteger(1, -32768); }, "cannot hold -32768"},
      {"long lowest", [&] { writer.SetInteger(2, std::numeric_limits<std::int32_t>::min()); }, "cannot hold -2147483648"},
      {"long too big", [&] { writer.SetInteger(2, 1ll << 40); }, "cannot hold"},
      {"text in a number", [&] { writer.SetText(1, "1"); }, "field S (short) cannot hold text"},
      {"nan", [&] { writer.SetFloat(3, std::nan("")); }, "not a finite number"},
      {"date before year 1", [&] { writer.SetDateTime(4, -693595); }, "cannot hold the date-time value"},
      {"date after 9999", [&] { writer.SetDateTime(4, 2958466); }, "cannot hold the date-time value"},
      {"bcd too many digits", [&] { writer.SetFloat(5, 1e31); }, "field B (BCD) cannot hold the number"},
      {"autoincrement below 1", [&] { writer.SetInteger(6, 0); }, "cannot hold 0"},
      {"bytes too long", [&] { writer.SetBytes(7, "abc"); }, "holds 2 bytes, not 3"},
      {"logical in a date", [&] { writer.SetLogical(4, true); }, "cannot hold a logical value"},
      {"no such field", [&] { writer.SetInteger(8, 1); }, "there is no field 8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      c.Set();
      ADD_FAILURE() << "accepted";
    } catch (const TDatabaseError& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.Message));
      EXPECT_THAT(e.what(), HasSubstr("t.db: "));
    }
  }
}

TEST(ParadoxWriter, TablesItCannotWriteAreRefused) {
  TScratch scratch;
  const struct {
    const char* Name;
    std::vector<TFieldDef> Fields;
    TParadoxWriterOptions Options;
    const char* Message;
  } cases[] = {
      {"no fields", {}, {}, "1 to 255 fields"},
      {"same name twice", {{"FName", TFieldType::Long}, {"fname", TFieldType::Short}}, {}, "two fields are named fname"},
      {"empty name", {{"", TFieldType::Long}}, {}, "invalid field name"},
      {"long name", {{std::string(26, 'n'), TFieldType::Long}}, {}, "invalid field name"},
      {"alpha of 0", {{"A", TFieldType::Alpha, 0}}, {}, "size of 1 to 255"},
      {"alpha of 256", {{"A", TFieldType::Alpha, 256}}, {}, "size of 1 to 255"},
      {"memo of 9", {{"M", TFieldType::Memo, 9}}, {}, "size of 10 to 250"},
      {"memo of 251", {{"M", TFieldType::Memo, 251}}, {}, "size of 10 to 250"},
      {"graphic", {{"G", TFieldType::Graphic, 10}}, {}, "graphic fields cannot be written"},
      {"block size", {{"A", TFieldType::Long}}, {1251, 5000}, "invalid block size 5000"},
      {"record larger than a block", {{"A", TFieldType::Alpha, 255}, {"B", TFieldType::Alpha, 255}, {"C", TFieldType::Alpha, 255}, {"D", TFieldType::Alpha, 255}, {"E", TFieldType::Alpha, 255}}, {1251, 1024}, "do not fit a block"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      TParadoxWriter writer(scratch / "t.db", c.Fields, c.Options);
      ADD_FAILURE() << "accepted";
    } catch (const TDatabaseError& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.Message));
    }
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Dir));
  }
}

TEST(ParadoxWriter, TheTableAppearsOnlyWhenFinished) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "History.db";
  const auto write = [&](int records, bool finish) {
    TParadoxWriter writer(path, {{"N", TFieldType::Long}, {"M", TFieldType::Memo, 10}});
    for (int i = 0; i < records; ++i) {
      writer.SetInteger(0, i);
      writer.SetText(1, "memo text");
      writer.AppendRecord();
    }
    if (finish) writer.Finish();
  };
  write(5, true);
  const std::string first = ReadFile(path);
  EXPECT_EQ(TParadoxTable::Open(path)->RecordCount(), 5u);

  write(9, false);  // abandoned: the old table stays, nothing else is left behind
  EXPECT_EQ(ReadFile(path), first);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.Dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"History.db", "History.mb"}));

  write(9, true);
  EXPECT_EQ(TParadoxTable::Open(path)->RecordCount(), 9u);

  TParadoxWriter writer(path, {{"N", TFieldType::Long}});
  writer.Finish();
  EXPECT_THROW(writer.AppendRecord(), TDatabaseError);
  EXPECT_THROW(writer.Finish(), TDatabaseError);
  const auto empty = TParadoxTable::Open(path);
  EXPECT_EQ(empty->RecordCount(), 0u);
  EXPECT_TRUE(ReadAll(*empty).empty());
}

TEST(ParadoxWriter, ManyBlocksInOrderAndAutoIncrementsFilledIn) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  constexpr int kCount = 5000;
  {
    TParadoxWriter writer(path, {{"Id", TFieldType::AutoInc}, {"Text", TFieldType::Alpha, 100}}, {1251, 2048});
    for (int i = 0; i < kCount; ++i) {
      writer.SetText(1, std::to_string(i));
      writer.AppendRecord();
    }
    writer.Finish();
  }
  const auto table = TParadoxTable::Open(path);
  std::int64_t expected = 0;
  table->Scan([&](const TRecord& r) {
    EXPECT_EQ(r.Value(0).Integer, expected + 1);
    EXPECT_EQ(r.Value(1).Bytes, std::to_string(expected));
    ++expected;
    return true;
  });
  EXPECT_EQ(expected, kCount);
}

TEST(ParadoxWriter, TimesStayInTheirDay) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  const double almostMidnight = 1.0 - 0.1 / 86400000.0;  // 23:59:59.9999
  {
    TParadoxWriter writer(path, {{"T", TFieldType::Time}, {"D", TFieldType::Date}});
    writer.SetDateTime(0, 46000 + almostMidnight);
    writer.SetDateTime(1, 46000 + almostMidnight);
    writer.AppendRecord();
    writer.Finish();
  }
  const TRows rows = ReadAll(*TParadoxTable::Open(path));
  EXPECT_EQ(std::llround(rows[0][0].Float * 86400000.0), 86399999);
  EXPECT_EQ(rows[0][1].Float, 46000);
}

TEST(ParadoxWriter, FullTableIsAnError) {
  TScratch scratch;
  // One record a block: the 65536th block does not exist.
  TParadoxWriter writer(scratch / "t.db", {{"A", TFieldType::Bytes, 255}, {"B", TFieldType::Bytes, 255},
                                           {"C", TFieldType::Bytes, 255}, {"D", TFieldType::Bytes, 253}},
                        {1251, 1024});
  for (int i = 0; i < 0xFFFF; ++i) writer.AppendRecord();
  try {
    writer.AppendRecord();
    ADD_FAILURE() << "accepted";
  } catch (const TDatabaseError& e) {
    EXPECT_THAT(e.what(), HasSubstr("the table is full: 65535 records"));
  }
  writer.Finish();
  EXPECT_EQ(TParadoxTable::Open(scratch / "t.db")->RecordCount(), 0xFFFFu);
}

}  // namespace
}  // namespace spv::db::test
