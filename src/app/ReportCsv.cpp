#include "app/ReportCsv.h"

#include "app/ResultView.h"

#include <stdexcept>

namespace spv::app {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string CsvField(std::string_view text, std::string_view separator) {
  const bool quote = text.find_first_of("\"\r\n") != std::string_view::npos ||
                     (!separator.empty() && text.find(separator) != std::string_view::npos);
  if (!quote) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// A clipboard cell stays one cell: the tab and the line breaks that would split it become blanks.
std::string ClipboardCell(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return text;
}

void AppendHourRows(std::string& out, const std::string& datePrefix, const THourResult& hour,
                    const TCsvOptions& options) {
  const std::string_view sep = options.Separator;
  for (std::size_t i : ShownRows(hour, options.OnlyDiscrepancies)) {
    const TLogItem& row = hour.Logs[i];
    const auto texts = ResultRowTexts(row, int(i), "HH:mm:ss");
    out += datePrefix;
    out += std::to_string(hour.Hour);
    for (const std::string& text : texts) (out += sep) += CsvField(text, sep);
    (out += sep) += CaseWord(CaseOf(row));
    out += "\r\n";
  }
}

}  // namespace

std::string CsvReport(const std::vector<TDayResult>& days, const TCsvOptions& options) {
  const std::string_view sep = options.Separator;
  std::string out;
  if (options.ByteOrderMark) out += kByteOrderMark;
  if (options.DateColumn) (out += "date") += sep;
  for (std::string_view column : {"hour", "row", "title", "artist", "aired", "number"}) (out += column) += sep;
  out += "case\r\n";
  for (const TDayResult& day : days) {
    const std::string datePrefix = options.DateColumn ? IsoDate(day.Day) + std::string(sep) : std::string();
    for (const THourResult& hour : day.Hours) AppendHourRows(out, datePrefix, hour, options);
  }
  return out;
}

std::string CsvReport(const std::vector<THourResult>& hours) { return CsvReport({TDayResult{0, hours, {}}}, {}); }

std::string ClipboardText(const std::vector<TLogItem>& logs, const std::vector<std::size_t>& rows,
                          std::string_view longTimeFormat) {
  std::string out;
  for (std::string_view column : kResultHeader) (out += column) += '\t';
  (out += kCaseTextHeader) += "\r\n";
  for (std::size_t i : rows) {
    const TLogItem& row = logs.at(i);
    for (std::string& text : ResultRowTexts(row, int(i), longTimeFormat)) (out += ClipboardCell(std::move(text))) += '\t';
    (out += CaseText(CaseOf(row))) += "\r\n";
  }
  return out;
}

std::string ClipboardText(const std::vector<TLogItem>& logs, std::string_view longTimeFormat) {
  std::vector<std::size_t> rows(logs.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
  return ClipboardText(logs, rows, longTimeFormat);
}

}  // namespace spv::app
