// The report writer on a small hand-made day: every case, an hour without a playlist whose
// songs went on air by hand, an empty hour, Cyrillic titles and a title that HTML must escape.
#include "app/ReportCsv.h"
#include "app/ReportHtml.h"
#include "app/ReportText.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace spv::app {
namespace {

TDateTime Clock(int h, int m, int s) { return ((h * 60 + m) * 60 + s) / 86400.0; }

const TDateTime kDay = *spv::base::EncodeDate(2026, 12, 9);

// "Ночь" and "Группа" in Windows-1251, as the tables hold them.
constexpr const char* kNight = "\xCD\xEE\xF7\xFC";
constexpr const char* kGroup = "\xC3\xF0\xF3\xEF\xEF\xE0";

// Hour 10: one row of each case; 11: no playlist, two songs by hand; 12: empty; 13: all in place.
std::vector<THourResult> Hours() {
  return {
      {10, false,
       {{TShortString("A"), TShortString("a"), 0, clWhite, Clock(10, 0, 5)},
        {TShortString(kNight), TShortString(kGroup), 2, clYellow, Clock(10, 3, 40)},
        {TShortString("<Tom & \"Jerry\">"), TShortString("x"), -1, clRed, Clock(10, 7, 10)},
        {TShortString("D"), TShortString("d"), 3, clGreen, -1.0}}},
      {11, true,
       {{TShortString("Z"), TShortString("z"), -1, clRed, Clock(11, 0, 0)},
        {TShortString("Y;1"), TShortString("y"), -1, clRed, Clock(11, 4, 0)}}},
      {12, true, {}},
      {13, false, {{TShortString("B"), TShortString("b"), 0, clWhite, Clock(13, 1, 2)}}},
  };
}

TDayResult Day(TDateTime day = kDay) { return {day, Hours(), {}}; }

TEST(ReportClipboard, RowsAsTheGridShowsThemWithTheCaseInWords) {
  const std::string header = "№№\tНаименование композиции\tИсполнитель\tВыход\t№ в листе\tСостояние\r\n";
  const std::vector<TLogItem> logs = Hours()[0].Logs;
  EXPECT_EQ(ClipboardText(logs, "H:mm:ss"), header +
                                                "1\tA\ta\t10:00:05\t1\tна месте\r\n"
                                                "2\tНочь\tГруппа\t10:03:40\t3\tперемещена\r\n"
                                                "3\t<Tom & \"Jerry\">\tx\t10:07:10\tВручную\tвручную\r\n"
                                                "4\tD\td\t\t4\tне вышла\r\n");
  // One row keeps its own number, in the user's long time format.
  EXPECT_EQ(ClipboardText(logs, {1}, "h:mm:ss tt"), header + "2\tНочь\tГруппа\t10:03:40 AM\t3\tперемещена\r\n");
  EXPECT_EQ(ClipboardText({}, "H:mm:ss"), header);
  EXPECT_THROW(ClipboardText(logs, {4}, "H:mm:ss"), std::out_of_range);
  // A tab or a line break in a title would split the cell.
  const std::vector<TLogItem> broken = {{TShortString("a\tb\r\nc"), TShortString("d"), 0, clWhite, Clock(1, 0, 0)}};
  EXPECT_EQ(ClipboardText(broken, "HH:mm:ss"), header + "1\ta b  c\td\t01:00:00\t1\tна месте\r\n");
}

TEST(ReportCsv, OptionsOfTheConsoleAndOfTheSpreadsheet) {
  const std::vector<TDayResult> days = {Day(), Day(kDay + 1)};
  struct Case {
    const char* name;
    TCsvOptions options;
    std::vector<std::string> lines;  // the first lines, then the count of all lines
    std::size_t count;
  };
  const Case cases[] = {
      {"a range: the ISO date first",
       {true, false, ",", false},
       {"date,hour,row,title,artist,aired,number,case", "2026-12-09,10,1,A,a,10:00:05,1,in-place",
        "2026-12-09,10,2,Ночь,Группа,10:03:40,3,moved",
        "2026-12-09,10,3,\"<Tom & \"\"Jerry\"\">\",x,10:07:10,Вручную,by-hand", "2026-12-09,10,4,D,d,,4,not-aired",
        "2026-12-09,11,1,Z,z,11:00:00,Вручную,by-hand", "2026-12-09,11,2,Y;1,y,11:04:00,Вручную,by-hand",
        "2026-12-09,13,1,B,b,13:01:02,1,in-place", "2026-12-10,10,1,A,a,10:00:05,1,in-place"},
       1 + 2 * 7},
      {"only the discrepancies, each with its own number",
       {false, true, ",", false},
       {"hour,row,title,artist,aired,number,case", "10,2,Ночь,Группа,10:03:40,3,moved",
        "10,3,\"<Tom & \"\"Jerry\"\">\",x,10:07:10,Вручную,by-hand", "10,4,D,d,,4,not-aired",
        "11,1,Z,z,11:00:00,Вручную,by-hand", "11,2,Y;1,y,11:04:00,Вручную,by-hand", "10,2,Ночь,Группа,10:03:40,3,moved"},
       1 + 2 * 5},
      {"a spreadsheet in Russian: its mark and the list separator",
       {false, false, ";", true},
       {"\xEF\xBB\xBFhour;row;title;artist;aired;number;case", "10;1;A;a;10:00:05;1;in-place",
        "10;2;Ночь;Группа;10:03:40;3;moved", "10;3;\"<Tom & \"\"Jerry\"\">\";x;10:07:10;Вручную;by-hand",
        "10;4;D;d;;4;not-aired", "11;1;Z;z;11:00:00;Вручную;by-hand", "11;2;\"Y;1\";y;11:04:00;Вручную;by-hand"},
       1 + 2 * 7},
  };
  for (const Case& c : cases) {
    const std::string csv = CsvReport(days, c.options);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < csv.size();) {
      const std::size_t end = csv.find("\r\n", at);
      ASSERT_NE(end, std::string::npos) << c.name << ": every line ends in CR LF";
      lines.push_back(csv.substr(at, end - at));
      at = end + 2;
    }
    EXPECT_EQ(lines.size(), c.count) << c.name;
    for (std::size_t i = 0; i < c.lines.size() && i < lines.size(); ++i) EXPECT_EQ(lines[i], c.lines[i]) << c.name;
  }
  // A day that could not be checked has no rows.
  EXPECT_EQ(CsvReport({TDayResult{kDay, {}, "unreadable"}}, {true, false, ",", false}),
            "date,hour,row,title,artist,aired,number,case\r\n");
}

TEST(ReportText, OnlyDiscrepanciesKeepTheirNumbersAndTheirHours) {
  EXPECT_EQ(TableReport(Hours(), "HH:mm:ss", false, true),
            "Час 10\n"
            "№№  Наименование композиции  Исполнитель  Выход     № в листе  case\n"
            " 2  Ночь                     Группа       10:03:40          3  moved\n"
            " 3  <Tom & \"Jerry\">          x            10:07:10    Вручную  by-hand\n"
            " 4  D                        d                              4  not-aired\n"
            "\n"
            "Час 11\n"
            "Принятый плейлист на этот час отсутствует\n"
            "№№  Наименование композиции  Исполнитель  Выход     № в листе  case\n"
            " 1  Z                        z            11:00:00    Вручную  by-hand\n"
            " 2  Y;1                      y            11:04:00    Вручную  by-hand\n");
}

TEST(ReportText, TheRangeSummaryHasALinePerCheckedDayAndTheTotal) {
  const std::vector<TDayResult> days = {Day(), {kDay + 1, {}, "table missing"}, Day(kDay + 2)};
  EXPECT_EQ(RangeSummaryReport(days),
            "date        in-place     moved   by-hand not-aired\n"
            "2026-12-09         2         1         3         1\n"
            "2026-12-11         2         1         3         1\n"
            "total              4         2         6         2\n");
}

// The cell texts, row by row, of the first table of the given class, the tags taken out.
std::vector<std::vector<std::string>> HtmlRows(const std::string& html, const std::string& tableClass) {
  std::vector<std::vector<std::string>> rows;
  const std::size_t start = html.find("<table class=\"" + tableClass + "\">");
  const std::size_t end = html.find("</table>", start);
  if (start == std::string::npos || end == std::string::npos) return rows;
  const std::string table = html.substr(start, end - start);
  const std::regex row("<tr[^>]*>(.*?)</tr>"), cell("<t[dh][^>]*>(.*?)</t[dh]>"), tag("<[^>]*>");
  for (auto r = std::sregex_iterator(table.begin(), table.end(), row); r != std::sregex_iterator(); ++r) {
    const std::string inner = (*r)[1];
    std::vector<std::string> cells;
    for (auto c = std::sregex_iterator(inner.begin(), inner.end(), cell); c != std::sregex_iterator(); ++c)
      cells.push_back(std::regex_replace(std::string((*c)[1]), tag, ""));
    rows.push_back(cells);
  }
  return rows;
}

TEST(ReportHtml, OneDaySummaryMarksTheHoursThatNeedAttentionAndListsTheirRows) {
  const std::string html = HtmlReport({Day()}, {"C:\\Q&A <1>", "D:\\Rep", "HH:mm:ss"});

  // Self-contained, and every text from the tables and the user escaped.
  EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  for (const char* fetchOrRun : {"<script", "src=", "<link", "url(", "@import", "http"})
    EXPECT_EQ(html.find(fetchOrRun), std::string::npos) << fetchOrRun;
  EXPECT_NE(html.find("&lt;Tom &amp; &quot;Jerry&quot;&gt;"), std::string::npos);
  EXPECT_EQ(html.find("<Tom"), std::string::npos);
  EXPECT_NE(html.find("C:\\Q&amp;A &lt;1&gt;"), std::string::npos);
  EXPECT_NE(html.find("9 декабря 2026 г., среда"), std::string::npos);

  // The summary: one row per hour, the case counts, no playlist and the attention marks.
  const auto summary = HtmlRows(html, "summary");
  ASSERT_EQ(summary.size(), 1 + 4 + 1u);
  EXPECT_EQ(summary[0], (std::vector<std::string>{"Час", "на месте", "перемещена", "вручную", "не вышла", "Примечание"}));
  EXPECT_EQ(summary[1], (std::vector<std::string>{"10", "1", "1", "1", "1", "требует внимания"}));
  EXPECT_EQ(summary[2], (std::vector<std::string>{"11", "0", "0", "2", "0", "нет плейлиста; требует внимания"}));
  EXPECT_EQ(summary[3], (std::vector<std::string>{"12", "0", "0", "0", "0", "нет плейлиста"}));
  EXPECT_EQ(summary[4], (std::vector<std::string>{"13", "1", "0", "0", "0", ""}));
  EXPECT_EQ(summary[5], (std::vector<std::string>{"Итого", "2", "1", "3", "1", ""}));

  // Its counts are those of the console's summary, line by line.
  std::istringstream console(SummaryReport(Hours()));
  std::string line;
  std::getline(console, line);
  for (std::size_t i = 1; std::getline(console, line); ++i) {
    std::istringstream words(line);
    std::vector<std::string> counted(5);
    for (std::string& word : counted) words >> word;
    ASSERT_LT(i, summary.size());
    EXPECT_EQ(counted[0], summary[i][0] == "Итого" ? "total" : summary[i][0]);
    EXPECT_EQ(std::vector<std::string>(counted.begin() + 1, counted.end()),
              std::vector<std::string>(summary[i].begin() + 1, summary[i].begin() + 5));
  }

  // The rows of the hours that need attention only, with the grid's columns, its colour on
  // the last of them, and the case in words.
  EXPECT_NE(html.find(">Час 10</h3>"), std::string::npos);
  EXPECT_NE(html.find(">Час 11 — нет плейлиста</h3>"), std::string::npos);
  EXPECT_EQ(html.find(">Час 12"), std::string::npos);
  EXPECT_EQ(html.find(">Час 13"), std::string::npos);
  const auto rows = HtmlRows(html, "rows");
  ASSERT_EQ(rows.size(), 1 + 4u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"№№", "Наименование композиции", "Исполнитель", "Выход", "№ в листе",
                                               "Состояние"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"2", "Ночь", "Группа", "10:03:40", "3", "перемещена"}));
  EXPECT_EQ(rows[3], (std::vector<std::string>{"3", "&lt;Tom &amp; &quot;Jerry&quot;&gt;", "x", "10:07:10", "Вручную",
                                               "вручную"}));
  EXPECT_EQ(rows[4], (std::vector<std::string>{"4", "D", "d", "", "4", "не вышла"}));
  for (const char* colour : {"<td class=\"n in-place\">1</td>", "<td class=\"n moved\">3</td>",
                             "<td class=\"n by-hand\">Вручную</td>", "<td class=\"n not-aired\">4</td>"})
    EXPECT_NE(html.find(colour), std::string::npos) << colour;
  EXPECT_NE(html.find(".moved{background:#ff0}"), std::string::npos);
  EXPECT_NE(html.find(".by-hand{background:#f00}"), std::string::npos);
  EXPECT_NE(html.find(".not-aired{background:#008000}"), std::string::npos);
}

TEST(ReportHtml, ARangePrintsEachDayOnItsOwnPagesWithTheHeadersRepeated) {
  const std::string html =
      HtmlReport({Day(), {kDay + 1, {}, "rep_2612.db: <bad> block"}, Day(kDay + 2)}, {"B", "R", "HH:mm:ss"});
  EXPECT_NE(html.find("с 9 декабря 2026 г., среда по 11 декабря 2026 г., пятница"), std::string::npos);
  std::size_t sections = 0;
  for (std::size_t at = html.find("<section class=\"day\">"); at != std::string::npos;
       at = html.find("<section class=\"day\">", at + 1))
    ++sections;
  EXPECT_EQ(sections, 3u);
  EXPECT_NE(html.find("section.day+section.day{page-break-before:always;break-before:page}"), std::string::npos);
  EXPECT_NE(html.find("thead{display:table-header-group}"), std::string::npos);
  EXPECT_NE(html.find("@page{size:A4"), std::string::npos);
  // The day that could not be checked says why, and has no tables.
  const std::size_t failed = html.find("<h2>10 декабря 2026 г., четверг</h2>");
  ASSERT_NE(failed, std::string::npos);
  EXPECT_EQ(html.find("<p class=\"error\">Не проверен: rep_2612.db: &lt;bad&gt; block</p>", failed),
            html.find("<p class=\"error\">", failed));
  EXPECT_GT(html.find("<table", failed), html.find("<section class=\"day\">", failed + 1));
  // The anchors of the hours stay apart from day to day.
  EXPECT_NE(html.find("id=\"d2026-12-09-h10\""), std::string::npos);
  EXPECT_NE(html.find("id=\"d2026-12-11-h10\""), std::string::npos);
  EXPECT_NE(html.find("href=\"#d2026-12-11-h11\""), std::string::npos);
}

}  // namespace
}  // namespace spv::app
