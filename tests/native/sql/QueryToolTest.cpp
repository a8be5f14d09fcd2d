// spinvolt-query: its two output forms, and the program itself run as a user runs it.
#include "tools/spinvolt-query/QueryOutput.h"

#include "db/ParadoxWriter.h"

#include "../paradox/ParadoxTestSupport.h"
#include "MemoryTable.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

namespace spv::tools {
namespace {

using namespace db::test;
using db::TFieldType;

const double kDec9 = *spv::base::EncodeDate(2026, 12, 9);

db::TSqlResult Sample() {
  db::TSqlResult r;
  r.Table = "/q/t.db";
  r.CodePage = 1251;
  r.Columns = {{"FNumber", TFieldType::Long, 4}, {"FName", TFieldType::Alpha, 40}, {"FDate", TFieldType::Date, 4},
               {"FTime", TFieldType::Time, 4},   {"FOk", TFieldType::Logical, 1},  {"FBlob", TFieldType::Bytes, 2},
               {"FPrice", TFieldType::Money, 8}};
  r.Rows = {
      {Int(7), Text("\xCF\xE5\xF1\xED\xFF"), Date(kDec9), Time(0.5), Bool(true), Bytes("\x0a\xff"), Num(1.25)},
      {Int(-12), Text("Say \"hi\", then\r\nleave"), Null(), Time(0.5 + 5e-3 / 86400), Bool(false), Null(), Num(3e9)},
      {Null(), Null(), Null(), Null(), Null(), Null(), Null()},
  };
  return r;
}

TEST(QueryOutput, CsvAsRfc4180) {
  std::ostringstream out;
  WriteCsv(Sample(), out);
  EXPECT_EQ(out.str(),
            "FNumber,FName,FDate,FTime,FOk,FBlob,FPrice\r\n"
            "7,\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F,2026-12-09,12:00:00,true,0aff,1.25\r\n"
            "-12,\"Say \"\"hi\"\", then\r\nleave\",,12:00:00.005,false,,3000000000\r\n"
            ",,,,,,\r\n");
}

TEST(QueryOutput, AlignedTableInCharactersNotBytes) {
  std::ostringstream out;
  WriteTable(Sample(), out);
  EXPECT_EQ(out.str(),
            "FNumber | FName                 | FDate      | FTime        | FOk   | FBlob |     FPrice\n"
            "--------+-----------------------+------------+--------------+-------+-------+-----------\n"
            "      7 | \xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F                 | 2026-12-09 | 12:00:00     | true  | 0aff  |       1.25\n"
            "    -12 | Say \"hi\", then  leave |            | 12:00:00.005 | false |       | 3000000000\n"
            "        |                       |            |              |       |       |           \n"
            "(3 rows)\n");
}

TEST(QueryOutput, TablesWithoutACodePageReadAs437) {
  db::TSqlResult r;
  r.Table = "/q/t.db";
  r.Columns = {{"A", TFieldType::Alpha, 4}};
  r.Rows = {{Text("\xC9\xCD\xBB")}};
  std::ostringstream out;
  WriteCsv(r, out);
  EXPECT_EQ(out.str(), "A\r\n\xE2\x95\x94\xE2\x95\x90\xE2\x95\x97\r\n");
  r.CodePage = 936;
  EXPECT_THROW(WriteCsv(r, out), db::TDatabaseError);
  r.Rows.clear();
  std::ostringstream empty;
  r.CodePage = 1252;
  WriteTable(r, empty);
  EXPECT_EQ(empty.str(), "A\n-\n(0 rows)\n");
}

// The program, run through the shell with its output in files.
class QueryToolRun : public ::testing::Test {
 protected:
  QueryToolRun() {
    db::TParadoxWriter w(Dir / "History.db", {{"FDate", TFieldType::Date, 4}, {"FHour", TFieldType::Long, 4},
                                              {"FName", TFieldType::Alpha, 40}});
    const struct {
      double day;
      int hour;
      const char* name;
    } rows[] = {{kDec9, 10, "\xCF\xE5\xF1\xED\xFF"}, {kDec9, 9, "Song"}, {kDec9 + 1, 8, "Later"}};
    for (const auto& r : rows) {
      w.SetDateTime(0, r.day);
      w.SetInteger(1, r.hour);
      w.SetText(2, r.name);
      w.AppendRecord();
    }
    w.Finish();
  }

  static std::string ShellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
  }

  int Run(const std::vector<std::string>& args, const std::string& input = "") {
    db::test::WriteFile(Dir / "stdin", input);
    std::string command = "cd " + ShellQuoted(Dir.Dir.string()) + " && " + ShellQuoted(SPV_QUERY_TOOL);
    for (const auto& a : args) command += " " + ShellQuoted(a);
    command += " <stdin >stdout 2>stderr";
    const int status = std::system(command.c_str());
    Out = db::test::ReadFile(Dir / "stdout");
    Err = db::test::ReadFile(Dir / "stderr");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  db::test::TScratch Dir;
  std::string Out, Err;
};

TEST_F(QueryToolRun, PrintsTheRowsOfOneStatement) {
  ASSERT_EQ(Run({"--date-format", "dd.MM.yyyy", "SELECT FHour, FName FROM History WHERE FDate = \"09.12.2026\" ORDER BY FHour"}), 0) << Err;
  EXPECT_EQ(Out,
            "FHour | FName\n"
            "------+------\n"
            "    9 | Song\n"
            "   10 | \xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F\n"
            "(2 rows)\n");
  EXPECT_EQ(Err, "");

  // From standard input, with a literal typed in UTF-8 and the date in another format.
  ASSERT_EQ(Run({"--csv", "--date-format=M/d/yyyy"},
                "SELECT FDate FROM \"" + (Dir.Dir / "History.db").string() +
                    "\"\nWHERE FName = '\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F' AND FDate <= \"12/9/2026\""),
            0)
      << Err;
  EXPECT_EQ(Out, "FDate\r\n2026-12-09\r\n");
  ASSERT_EQ(Run({"--csv", "-"}, "select FName from History where FHour = 8"), 0) << Err;
  EXPECT_EQ(Out, "FName\r\nLater\r\n");
}

TEST_F(QueryToolRun, FailuresGoToStandardErrorWithAnExitCode) {
  const struct {
    std::vector<std::string> args;
    int code;
    const char* message;
  } cases[] = {
      {{"SELECT FHour FROM History WHERE"}, 1, "spinvolt-query: Bad SQL at line 1, column 32: expected a condition"},
      {{"SELECT FHour FROM Missing"}, 1, "spinvolt-query: Table not found: "},
      {{"SELECT FHours FROM History"}, 1, "spinvolt-query: Unknown column \"FHours\""},
      {{"--date-format", "dd.MM.yyyy", "SELECT FHour FROM History WHERE FDate = \"12/9/2026\""}, 1,
       "spinvolt-query: \"12/9/2026\" is not a date in the format dd.MM.yyyy"},
      {{"--tsv", "SELECT * FROM History"}, 2, "spinvolt-query: unknown option --tsv\n\nUsage: spinvolt-query"},
      {{"SELECT * FROM History", "SELECT * FROM History"}, 2, "spinvolt-query: give one statement"},
      {{"--date-format"}, 2, "spinvolt-query: --date-format needs a pattern"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Run(c.args), c.code);
    EXPECT_EQ(Out, "");
    EXPECT_EQ(Err.rfind(c.message, 0), 0u) << Err;
  }
  ASSERT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(Out.rfind("Usage: spinvolt-query", 0), 0u);
  // The version is the project's, set once in the build.
  ASSERT_EQ(Run({"--version"}), 0) << Err;
  EXPECT_EQ(Out, "spinvolt-query " SPV_PROJECT_VERSION "\n");
}

TEST_F(QueryToolRun, ReadsTablesWhoseFileEndsAfterTheLastRecord) {
  // As an engine that does not pad the last block to the block size leaves them.
  const std::vector<std::string> select = {"--csv", "SELECT Id, Name FROM Cut"};
  for (const TUnpaddedCase& c : UnpaddedCases()) {
    SCOPED_TRACE(std::to_string(c.BlockSize) + " bytes a block, " + std::to_string(c.Records) + " records");
    WriteNumberedTable(Dir / "Cut.db", c.BlockSize, c.Records);
    const std::string bytes = ReadFile(Dir / "Cut.db");
    const std::size_t end = EndOfLastRecord(bytes);
    ASSERT_LT(end, bytes.size());
    std::string expected = "Id,Name\r\n";
    for (int i = 0; i < c.Records; ++i) expected += std::to_string(i) + "," + NumberedName(i) + "\r\n";

    WriteFile(Dir / "Cut.db", bytes.substr(0, end));
    ASSERT_EQ(Run(select), 0) << Err;
    EXPECT_EQ(Out, expected);
    EXPECT_EQ(Err, "");

    WriteFile(Dir / "Cut.db", bytes.substr(0, end - 1));
    EXPECT_EQ(Run(select), 1);
    EXPECT_EQ(Out, "");
    const std::string message = "Cut.db: truncated or damaged: its header counts " + std::to_string(c.Records) +
                                " records, the file has room for " + std::to_string(c.Records - 1) + "\n";
    EXPECT_EQ(Err.rfind("spinvolt-query: ", 0), 0u) << Err;
    EXPECT_TRUE(Err.ends_with(message)) << Err;
  }
}

}  // namespace
}  // namespace spv::tools
