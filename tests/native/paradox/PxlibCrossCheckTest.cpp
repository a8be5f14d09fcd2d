// Our reader against pxlib, an independent reader of the format: every non-blob value of every
// record of every sample table, and of the tables the demo writes.
//
// Where the two disagree, pxlib is wrong in ways known and checked here against the bytes:
// it gives the lowest value of the width (integers, dates, times) or 0 (numbers, money,
// timestamps) for an empty field instead of saying it is empty, and it garbles BCD digits past the ones that mean anything.

#include "ParadoxTestSupport.h"

#include "db/ParadoxFormat.h"
#include "db/ParadoxWriter.h"
#include "tools/spinvolt-demo/DemoFolder.h"

#include <gmock/gmock.h>

extern "C" {
#include <paradox.h>
}

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace spv::db::test {
namespace {

// pxlib's document, closed with the test.
class TPxDoc {
 public:
  explicit TPxDoc(const std::filesystem::path& path) : Doc(PX_new()) {
    if (!Doc || PX_open_file(Doc, path.c_str()) < 0) {
      if (Doc) PX_delete(Doc);
      Doc = nullptr;
    }
  }
  ~TPxDoc() {
    if (Doc) {
      PX_close(Doc);
      PX_delete(Doc);
    }
  }
  TPxDoc(const TPxDoc&) = delete;
  TPxDoc& operator=(const TPxDoc&) = delete;
  pxdoc_t* Doc;
};

struct TPxRecord {
  pxdoc_t* Doc;
  pxval_t** Values;
  ~TPxRecord() {
    if (!Values) return;
    for (int i = 0; i < PX_get_num_fields(Doc); ++i) {
      const int type = Values[i]->type;
      const bool text = type == pxfAlpha || type == pxfBCD || type == pxfBytes || type == pxfMemoBLOb ||
                        type == pxfBLOb || type == pxfFmtMemoBLOb || type == pxfOLE || type == pxfGraphic;
      if (text && !Values[i]->isnull && Values[i]->value.str.val) Doc->free(Doc, Values[i]->value.str.val);
      Doc->free(Doc, Values[i]);
    }
    Doc->free(Doc, Values);
  }
};

// One value; true when the two readers agree, false for a checked fault of pxlib.
bool CompareValue(const TFieldDef& def, const TRecord& record, int f, const pxval_t& theirs) {
  const TValue ours = record.Value(f);
  if (ours.IsNull() && theirs.isnull) return true;
  switch (def.Type) {
    case TFieldType::Alpha:
    case TFieldType::Bytes: {
      EXPECT_FALSE(theirs.isnull) << "we read " << ours.Bytes;
      if (theirs.isnull) return false;
      std::string text(theirs.value.str.val, static_cast<std::size_t>(theirs.value.str.len));
      if (def.Type == TFieldType::Alpha) text.resize(std::strlen(text.c_str()));
      EXPECT_EQ(ours.Bytes, text);
      return true;
    }
    case TFieldType::Date:
    case TFieldType::Time:
    case TFieldType::Long:
    case TFieldType::AutoInc:
    case TFieldType::Short:
      if (ours.IsNull()) {
        // pxlib's fault: the value of the all-zero bytes, the lowest of the width, instead of empty.
        EXPECT_EQ(theirs.value.lval, def.Type == TFieldType::Short ? SHRT_MIN : INT_MIN);
        return false;
      }
      break;
    case TFieldType::Timestamp:
    case TFieldType::Number:
    case TFieldType::Money:
      if (ours.IsNull()) {
        EXPECT_EQ(theirs.value.dval, 0.0);  // pxlib's fault: an empty double as 0
        return false;
      }
      break;
    default:
      break;
  }
  EXPECT_FALSE(ours.IsNull());
  EXPECT_FALSE(theirs.isnull);
  if (ours.IsNull() || theirs.isnull) return false;
  switch (def.Type) {
    case TFieldType::Short:
    case TFieldType::Long:
    case TFieldType::AutoInc:
    case TFieldType::Logical:
      EXPECT_EQ(ours.Integer, theirs.value.lval);
      break;
    case TFieldType::Date:
      EXPECT_EQ(ours.Float + 693594, static_cast<double>(theirs.value.lval));
      break;
    case TFieldType::Time:
      EXPECT_EQ(std::llround(ours.Float * 86400000.0), theirs.value.lval);
      break;
    case TFieldType::Timestamp:
      EXPECT_EQ(std::llround((ours.Float + 693594) * 86400000.0), std::llround(theirs.value.dval));
      break;
    case TFieldType::Number:
    case TFieldType::Money:
      EXPECT_EQ(ours.Float, theirs.value.dval);
      break;
    case TFieldType::BCD: {
      // pxlib's digits are right up to its first character that is not a digit.
      const std::string text(theirs.value.str.val, static_cast<std::size_t>(theirs.value.str.len));
      EXPECT_EQ(ours.Float, std::strtod(text.c_str(), nullptr)) << text;
      break;
    }
    default:
      ADD_FAILURE() << "no comparison for this type";
  }
  return true;
}

// Compares one table; returns how many values agreed, after checking every disagreement.
int CompareWithPxlib(const std::filesystem::path& path) {
  SCOPED_TRACE(path.string());
  const auto table = TParadoxTable::Open(path);
  TPxDoc px(path);
  if (!px.Doc) {
    ADD_FAILURE() << "pxlib cannot open it";
    return 0;
  }
  const int fields = PX_get_num_fields(px.Doc);
  EXPECT_EQ(static_cast<std::size_t>(fields), table->Fields().size());
  EXPECT_EQ(static_cast<std::uint32_t>(PX_get_num_records(px.Doc)), table->RecordCount());
  if (static_cast<std::size_t>(fields) != table->Fields().size()) return 0;
  for (int f = 0; f < fields; ++f) {
    EXPECT_EQ(PX_get_field(px.Doc, f)->px_fname, table->Fields()[static_cast<std::size_t>(f)].Name);
    EXPECT_EQ(PX_get_field(px.Doc, f)->px_ftype, paradox::CodeOfFieldType(table->Fields()[static_cast<std::size_t>(f)].Type));
  }

  int agreed = 0;
  int recno = 0;
  table->Scan([&](const TRecord& record) {
    TPxRecord pxRecord{px.Doc, PX_retrieve_record(px.Doc, recno)};
    if (!pxRecord.Values) {
      ADD_FAILURE() << "pxlib cannot read record " << recno;
      return false;
    }
    for (int f = 0; f < fields; ++f) {
      const TFieldDef& def = table->Fields()[static_cast<std::size_t>(f)];
      if (paradox::IsBlob(def.Type)) {
        // pxlib reads no blob file here, but a memo short enough for its record it reads.
        const TValue memo = def.Type == TFieldType::Memo ? record.Value(f) : TValue{};
        if (!memo.IsNull() && memo.Bytes.size() <= static_cast<std::size_t>(def.Size - 10)) {
          const pxval_t& theirs = *pxRecord.Values[f];
          EXPECT_FALSE(theirs.isnull);
          if (!theirs.isnull) {
            EXPECT_EQ(memo.Bytes, std::string(theirs.value.str.val, static_cast<std::size_t>(theirs.value.str.len)));
            ++agreed;
          }
        }
        continue;
      }
      SCOPED_TRACE("record " + std::to_string(recno) + ", field " + def.Name);
      if (CompareValue(def, record, f, *pxRecord.Values[f])) ++agreed;
    }
    ++recno;
    return true;
  });
  EXPECT_EQ(static_cast<std::uint32_t>(recno), table->RecordCount());
  return agreed;
}

class TPxlibLibrary : public ::testing::Environment {
 public:
  void SetUp() override { PX_boot(); }
  void TearDown() override { PX_shutdown(); }
};
const auto* const kPxlib = ::testing::AddGlobalTestEnvironment(new TPxlibLibrary);

TEST(PxlibCrossCheck, EverySampleTable) {
  const std::vector<std::filesystem::path> tables = ReadableSampleTables();
  for (const std::filesystem::path& path : tables) EXPECT_GT(CompareWithPxlib(path), 0);
  EXPECT_EQ(tables.size(), 25u);
}

TEST(PxlibCrossCheck, TablesOfEveryBlockSizeOurWriterWrites) {
  TScratch scratch;
  for (int blockSize : {1024, 2048, 3072, 4096, 8192, 16384, 32768}) {
    SCOPED_TRACE(blockSize);
    const std::filesystem::path path = scratch / ("t" + std::to_string(blockSize) + ".db");
    TParadoxWriter writer(path,
                          {{"Id", TFieldType::AutoInc}, {"Name", TFieldType::Alpha, 50}, {"Short", TFieldType::Short},
                           {"Long", TFieldType::Long}, {"Number", TFieldType::Number}, {"Money", TFieldType::Money},
                           {"Date", TFieldType::Date}, {"Time", TFieldType::Time}, {"Stamp", TFieldType::Timestamp},
                           {"Flag", TFieldType::Logical}, {"Bcd", TFieldType::BCD, 3}, {"Raw", TFieldType::Bytes, 8}},
                          {1251, blockSize});
    for (int i = 0; i < 700; ++i) {
      // Every seventh record leaves its fields empty.
      if (i % 7 != 3) {
        writer.SetText(1, "\xC7\xE0\xEF\xE8\xF1\xFC " + std::to_string(i));  // "Запись"
        writer.SetInteger(2, i - 350);
        writer.SetInteger(3, (i - 350) * 100003);
        writer.SetFloat(4, (i - 350) / 7.0);
        writer.SetFloat(5, i * 0.01);
        writer.SetDateTime(6, 45000 + i);
        writer.SetDateTime(7, i / 700.0);
        writer.SetDateTime(8, 45000 + i / 700.0 * 30);
        writer.SetLogical(9, i % 2 == 0);
        writer.SetFloat(10, (i - 350) * 1.125);
        writer.SetBytes(11, std::string(8, static_cast<char>(i)));
      }
      writer.AppendRecord();
    }
    writer.Finish();
    EXPECT_GT(CompareWithPxlib(path), 700 * 10);
  }
}

TEST(PxlibCrossCheck, TablesWhoseFileEndsAfterTheLastRecord) {
  TScratch scratch;
  const std::filesystem::path path = scratch / "t.db";
  for (const TUnpaddedCase& c : UnpaddedCases()) {
    SCOPED_TRACE(std::to_string(c.BlockSize) + " bytes a block, " + std::to_string(c.Records) + " records");
    WriteNumberedTable(path, c.BlockSize, c.Records);
    const std::string bytes = ReadFile(path);
    WriteFile(path, bytes.substr(0, EndOfLastRecord(bytes)));
    EXPECT_EQ(CompareWithPxlib(path), 2 * c.Records);
  }
}

TEST(PxlibCrossCheck, TablesTheDemoWrites) {
  TScratch scratch;
  demo::TDemoOptions options;
  options.Folder = scratch.Dir;
  options.LastDay = 46000;  // 9 December 2025: the report tables of two months
  options.Days = 35;
  options.Seed = 7;
  const demo::TDemoSummary summary = demo::WriteDemoFolder(options);
  ASSERT_GE(summary.Tables.size(), 3u);
  for (const std::filesystem::path& path : summary.Tables) EXPECT_GT(CompareWithPxlib(path), 1000);
}

}  // namespace
}  // namespace spv::db::test
