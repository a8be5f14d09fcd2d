#include "CheckReport.h"

#include "app/Check.h"
#include "app/ResultView.h"

#include <algorithm>
#include <array>

namespace spv::tools {
namespace {

// Characters on the screen: the texts are UTF-8, and the tables hold letters of one column each.
std::size_t ScreenWidth(std::string_view utf8) {
  return std::size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void Pad(std::string& out, std::string_view text, std::size_t width, bool right) {
  const std::string fill(width - std::min(width, ScreenWidth(text)), ' ');
  if (right) out += fill;
  out += text;
  if (!right) out += fill;
}

// The background of the grid's last cell, black on the row's colour.
std::string_view ColorEscape(TCase c) {
  switch (c) {
    case TCase::InPlace: return "\x1b[30;107m";
    case TCase::Moved: return "\x1b[30;103m";
    case TCase::ByHand: return "\x1b[30;101m";
    case TCase::NotAired: return "\x1b[30;42m";
  }
  return "";
}
constexpr std::string_view kColorReset = "\x1b[0m";

// No line ends in blanks.
void StripTrailingBlanks(std::string& out) {
  while (!out.empty() && out.back() == ' ') out.pop_back();
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

std::string_view CaseWord(TCase c) {
  switch (c) {
    case TCase::InPlace: return "in-place";
    case TCase::Moved: return "moved";
    case TCase::ByHand: return "by-hand";
    case TCase::NotAired: return "not-aired";
  }
  return "";
}

std::string TableReport(const std::vector<THourResult>& hours, std::string_view longTimeFormat, bool color) {
  std::string out;
  for (const THourResult& hour : hours) {
    if (!out.empty()) out += '\n';
    out += "Час " + std::to_string(hour.Hour) + '\n';
    if (hour.NoPlaylist) out += std::string(app::kMsgNoPlaylist) + '\n';

    std::vector<std::array<std::string, app::kResultColumns>> rows;
    rows.reserve(hour.Logs.size());
    std::array<std::size_t, app::kResultColumns> widths{};
    for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = ScreenWidth(app::kResultHeader[c]);
    for (std::size_t i = 0; i < hour.Logs.size(); ++i) {
      rows.push_back(app::ResultRowTexts(hour.Logs[i], int(i), longTimeFormat));
      for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = std::max(widths[c], ScreenWidth(rows.back()[c]));
    }
    // Numbers to the right, texts to the left, as the eye reads them.
    constexpr std::array<bool, app::kResultColumns> right = {true, false, false, false, true};
    for (std::size_t c = 0; c < widths.size(); ++c) {
      if (c) out += "  ";
      Pad(out, app::kResultHeader[c], widths[c], false);
    }
    if (!color) out += "  case";
    StripTrailingBlanks(out);
    out += '\n';
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const TCase kind = CaseOf(hour.Logs[i]);
      for (std::size_t c = 0; c < widths.size(); ++c) {
        if (c) out += "  ";
        const bool last = c + 1 == widths.size();
        if (last && color) out += ColorEscape(kind);
        Pad(out, rows[i][c], widths[c], right[c]);
        if (last && color) out += kColorReset;
      }
      if (!color) {
        out += "  ";
        out += CaseWord(kind);
      }
      StripTrailingBlanks(out);
      out += '\n';
    }
  }
  return out;
}

std::string CsvReport(const std::vector<THourResult>& hours) {
  std::string out = "hour,row,title,artist,aired,number,case\r\n";
  for (const THourResult& hour : hours)
    for (std::size_t i = 0; i < hour.Logs.size(); ++i) {
      const app::TLogItem& row = hour.Logs[i];
      const auto texts = app::ResultRowTexts(row, int(i), "HH:mm:ss");
      out += std::to_string(hour.Hour) + ',' + texts[0] + ',' + CsvField(texts[1]) + ',' + CsvField(texts[2]) + ',' +
             texts[3] + ',' + CsvField(texts[4]) + ',' + std::string(CaseWord(CaseOf(row))) + "\r\n";
    }
  return out;
}

std::string SummaryReport(const std::vector<THourResult>& hours) {
  constexpr std::size_t kWidth = 10;
  std::string out;
  const auto line = [&](std::string_view label, const std::array<std::size_t, 4>& counts, std::string_view note) {
    Pad(out, label, 6, false);
    for (std::size_t count : counts) Pad(out, std::to_string(count), kWidth, true);
    if (!note.empty()) (out += "  ") += note;
    out += '\n';
  };
  Pad(out, "hour", 6, false);
  for (TCase c : kCases) Pad(out, CaseWord(c), kWidth, true);
  out += '\n';
  std::array<std::size_t, 4> total{};
  for (const THourResult& hour : hours) {
    const app::TCaseCounts counted = hour.Counts();
    std::array<std::size_t, 4> counts{};
    for (std::size_t c = 0; c < counts.size(); ++c) total[c] += counts[c] = std::size_t(counted.Count[c]);
    line(std::to_string(hour.Hour), counts, hour.NoPlaylist ? app::kMsgNoPlaylist : std::string_view());
  }
  line("total", total, {});
  return out;
}

}  // namespace spv::tools
