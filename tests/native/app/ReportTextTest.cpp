#include "app/ReportCsv.h"
#include "app/ReportText.h"

#include <gtest/gtest.h>

namespace spv::app {
namespace {

using app::TLogItem;
using app::TShortString;

app::TDateTime Clock(int h, int m, int s) { return ((h * 60 + m) * 60 + s) / 86400.0; }

// Hour 10 of the worked example, and hour 11 without a playlist.
std::vector<THourResult> Day() {
  THourResult ten{10, false,
                  {{TShortString("A"), TShortString("a"), 0, app::clWhite, Clock(10, 0, 5)},
                   {TShortString("C, live"), TShortString("c \"the\" band"), 2, app::clYellow, Clock(10, 3, 40)},
                   {TShortString("\xCF\xE5\xF1\xED\xFF"), TShortString("x"), -1, app::clRed, Clock(10, 7, 10)},
                   {TShortString("D"), TShortString("d"), 3, app::clGreen, -1.0}}};
  THourResult eleven{11, true, {{TShortString("Z"), TShortString("z"), -1, app::clRed, Clock(11, 0, 0)}}};
  return {ten, eleven};
}

TEST(CheckReport, CsvIsRfc4180InUtf8) {
  EXPECT_EQ(CsvReport(Day()),
            "hour,row,title,artist,aired,number,case\r\n"
            "10,1,A,a,10:00:05,1,in-place\r\n"
            "10,2,\"C, live\",\"c \"\"the\"\" band\",10:03:40,3,moved\r\n"
            "10,3,Песня,x,10:07:10,Вручную,by-hand\r\n"
            "10,4,D,d,,4,not-aired\r\n"
            "11,1,Z,z,11:00:00,Вручную,by-hand\r\n");
  EXPECT_EQ(CsvReport({}), "hour,row,title,artist,aired,number,case\r\n");
}

TEST(CheckReport, TableInWords) {
  EXPECT_EQ(TableReport(Day(), "HH:mm:ss", false),
            "Час 10\n"
            "№№  Наименование композиции  Исполнитель   Выход     № в листе  case\n"
            " 1  A                        a             10:00:05          1  in-place\n"
            " 2  C, live                  c \"the\" band  10:03:40          3  moved\n"
            " 3  Песня                    x             10:07:10    Вручную  by-hand\n"
            " 4  D                        d                               4  not-aired\n"
            "\n"
            "Час 11\n"
            "Принятый плейлист на этот час отсутствует\n"
            "№№  Наименование композиции  Исполнитель  Выход     № в листе  case\n"
            " 1  Z                        z            11:00:00    Вручную  by-hand\n");
}

TEST(CheckReport, TableInColourPaintsTheLastCellInTheRowsColour) {
  const std::string table = TableReport(Day(), "HH:mm:ss", true);
  EXPECT_EQ(table.find("case"), std::string::npos);
  EXPECT_EQ(table.find("in-place"), std::string::npos);
  EXPECT_NE(table.find("10:00:05  \x1b[30;107m        1\x1b[0m\n"), std::string::npos) << table;
  EXPECT_NE(table.find("\x1b[30;103m        3\x1b[0m\n"), std::string::npos) << table;
  EXPECT_NE(table.find("\x1b[30;101m  Вручную\x1b[0m\n"), std::string::npos) << table;
  EXPECT_NE(table.find("\x1b[30;42m        4\x1b[0m\n"), std::string::npos) << table;
}

TEST(CheckReport, SummaryCountsTheCasesPerHourAndForTheDay) {
  EXPECT_EQ(SummaryReport(Day()),
            "hour    in-place     moved   by-hand not-aired\n"
            "10             1         1         1         1\n"
            "11             0         0         1         0  Принятый плейлист на этот час отсутствует\n"
            "total          1         1         2         1\n");
}

}  // namespace
}  // namespace spv::app
