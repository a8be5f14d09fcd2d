#include "app/ReportHtml.h"

#include "app/ResultView.h"
#include "base/Version.h"

#include <array>
#include <cmath>
#include <initializer_list>

namespace spv::app {
namespace {

// Printed on A4 in black and white as well as on a screen: the case is also said in words,
// colours are kept where the printer allows, each day starts a page and a table's header is
// repeated on every page it runs over.
constexpr std::string_view kStyle =
    "@page{size:A4;margin:14mm 12mm}"
    "body{font-family:Arial,Helvetica,sans-serif;font-size:10pt;color:#000;background:#fff;margin:12px;"
    "-webkit-print-color-adjust:exact;print-color-adjust:exact}"
    "h1{font-size:15pt;margin:0 0 6pt}h2{font-size:13pt;margin:14pt 0 4pt}h3{font-size:11pt;margin:10pt 0 3pt}"
    "p{margin:2pt 0}"
    "table{border-collapse:collapse;margin:4pt 0 8pt}"
    "thead{display:table-header-group}"
    "tr{page-break-inside:avoid;break-inside:avoid}"
    "th,td{border:1px solid #808080;padding:1pt 5pt;text-align:left;vertical-align:top}"
    "th{background:#e8e8e8}"
    "td.n{text-align:right}"
    "tr.attention td{font-weight:bold}"
    "tr.total td{border-top:2px solid #000}"
    "section.day+section.day{page-break-before:always;break-before:page}"
    "h3{page-break-after:avoid;break-after:avoid}"
    ".in-place{background:#fff}.moved{background:#ff0}.by-hand{background:#f00}.not-aired{background:#008000}"
    ".error{color:#c00000;font-weight:bold}";

constexpr std::array<std::string_view, 12> kMonthsGenitive = {
    "января", "февраля", "марта", "апреля", "мая", "июня",
    "июля", "августа", "сентября", "октября", "ноября", "декабря"};
constexpr std::array<std::string_view, 7> kWeekdays = {"понедельник", "вторник", "среда", "четверг",
                                                       "пятница", "суббота", "воскресенье"};

constexpr std::string_view kNoPlaylist = "нет плейлиста";
constexpr std::string_view kAttention = "требует внимания";

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        // Control characters have no place in a page: they stand as blanks.
        out += (unsigned char)c < 0x20 ? ' ' : c;
    }
  return out;
}

// "9 декабря 2026 г., среда".
std::string LongDate(base::TDateTime day) {
  const base::TDateParts parts = base::DecodeDate(day);
  // Day 0 (30 December 1899) was a Saturday; Monday counts as the first day of the week.
  const long long number = static_cast<long long>(std::floor(day));
  const std::size_t weekday = std::size_t(((number + 5) % 7 + 7) % 7);
  return std::to_string(parts.Day) + ' ' + std::string(kMonthsGenitive[std::size_t(parts.Month - 1)]) + ' ' +
         std::to_string(parts.Year) + " г., " + std::string(kWeekdays[weekday]);
}

std::string HourAnchor(const TDayResult& day, int hour) { return "d" + IsoDate(day.Day) + "-h" + std::to_string(hour); }

void Cell(std::string& out, std::string_view text, std::string_view cls = {}) {
  out += "<td";
  if (!cls.empty()) ((out += " class=\"") += cls) += '"';
  out += '>';
  out += text;
  out += "</td>";
}

void HeaderRow(std::string& out, std::initializer_list<std::string_view> columns) {
  out += "<thead><tr>";
  for (std::string_view column : columns) ((out += "<th>") += Escape(column)) += "</th>";
  out += "</tr></thead>\n";
}

void CountCells(std::string& out, const TCaseCounts& counts) {
  for (int count : counts.Count) Cell(out, std::to_string(count), "n");
}

void Summary(std::string& out, const TDayResult& day) {
  out += "<table class=\"summary\">";
  HeaderRow(out, {"Час", CaseText(TCase::InPlace), CaseText(TCase::Moved), CaseText(TCase::ByHand),
                  CaseText(TCase::NotAired), "Примечание"});
  out += "<tbody>\n";
  for (const THourResult& hour : day.Hours) {
    const TCaseCounts counts = hour.Counts();
    const bool attention = counts.NeedsAttention();
    out += attention ? "<tr class=\"attention\">" : "<tr>";
    const std::string number = std::to_string(hour.Hour);
    Cell(out, attention ? "<a href=\"#" + HourAnchor(day, hour.Hour) + "\">" + number + "</a>" : number, "n");
    CountCells(out, counts);
    std::string note;
    if (hour.NoPlaylist) note = kNoPlaylist;
    if (attention) (note += note.empty() ? "" : "; ") += kAttention;
    Cell(out, note);
    out += "</tr>\n";
  }
  out += "<tr class=\"total\">";
  Cell(out, "Итого");
  CountCells(out, day.Counts());
  Cell(out, "");
  out += "</tr>\n</tbody></table>\n";
}

void HourRows(std::string& out, const TDayResult& day, const THourResult& hour, std::string_view longTimeFormat) {
  out += "<h3 id=\"" + HourAnchor(day, hour.Hour) + "\">Час " + std::to_string(hour.Hour);
  if (hour.NoPlaylist) (out += " — ") += kNoPlaylist;
  out += "</h3>\n<table class=\"rows\">";
  HeaderRow(out, {kResultHeader[0], kResultHeader[1], kResultHeader[2], kResultHeader[3], kResultHeader[4],
                  kCaseTextHeader});
  out += "<tbody>\n";
  for (std::size_t i = 0; i < hour.Logs.size(); ++i) {
    const TLogItem& row = hour.Logs[i];
    const auto texts = ResultRowTexts(row, int(i), longTimeFormat);
    const TCase kind = CaseOf(row);
    out += "<tr>";
    Cell(out, Escape(texts[0]), "n");
    Cell(out, Escape(texts[1]));
    Cell(out, Escape(texts[2]));
    Cell(out, Escape(texts[3]));
    // The grid colours only its last column, in the row's colour.
    Cell(out, Escape(texts[4]), std::string("n ") + std::string(CaseWord(kind)));
    Cell(out, CaseText(kind));
    out += "</tr>\n";
  }
  out += "</tbody></table>\n";
}

}  // namespace

std::string HtmlReport(const std::vector<TDayResult>& days, const THtmlOptions& options) {
  std::string period;
  if (!days.empty()) {
    period = LongDate(days.front().Day);
    if (days.size() > 1) period = "с " + period + " по " + LongDate(days.back().Day);
  }
  std::string title = "Spinvolt: эфир и принятые плейлисты";
  if (!days.empty()) {
    title += ", " + IsoDate(days.front().Day);
    if (days.size() > 1) title += " — " + IsoDate(days.back().Day);
  }

  std::string out =
      "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escape(title) +
      "</title>\n<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
  out += "<header>\n<h1>Эфир и принятые плейлисты: " + Escape(period) + "</h1>\n";
  out += "<p>Папка с базами Quorvane: " + Escape(options.BasesFolder) + "</p>\n";
  out += "<p>Папка с базами отчетов: " + Escape(options.ReportsFolder) + "</p>\n";
  out += "<p>Spinvolt " + Escape(base::kVersion) + "</p>\n</header>\n";
  for (const TDayResult& day : days) {
    out += "<section class=\"day\">\n<h2>" + Escape(LongDate(day.Day)) + "</h2>\n";
    if (day.Failed()) {
      out += "<p class=\"error\">Не проверен: " + Escape(day.Error) + "</p>\n</section>\n";
      continue;
    }
    Summary(out, day);
    for (const THourResult& hour : day.Hours)
      if (hour.Counts().NeedsAttention()) HourRows(out, day, hour, options.LongTimeFormat);
    out += "</section>\n";
  }
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace spv::app
