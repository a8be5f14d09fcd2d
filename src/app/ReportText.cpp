#include "app/ReportText.h"

#include "app/Check.h"
#include "app/ResultView.h"

#include <algorithm>
#include <array>

namespace spv::app {
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

// The summaries' columns: a label, the count of each case, and a note.
class TSummary {
 public:
  TSummary(std::string_view label, std::size_t labelWidth) : LabelWidth_(labelWidth) {
    Pad(Out_, label, LabelWidth_, false);
    for (TCase c : kCases) Pad(Out_, CaseWord(c), kWidth, true);
    Out_ += '\n';
  }

  void Line(std::string_view label, const TCaseCounts& counts, std::string_view note = {}) {
    Pad(Out_, label, LabelWidth_, false);
    for (int count : counts.Count) Pad(Out_, std::to_string(count), kWidth, true);
    if (!note.empty()) (Out_ += "  ") += note;
    Out_ += '\n';
    Total_ += counts;
  }

  std::string Finish() {
    const TCaseCounts total = Total_;
    Line("total", total);
    return std::move(Out_);
  }

 private:
  static constexpr std::size_t kWidth = 10;
  std::size_t LabelWidth_;
  std::string Out_;
  TCaseCounts Total_;
};

}  // namespace

std::string TableReport(const std::vector<THourResult>& hours, std::string_view longTimeFormat, bool color,
                        bool onlyDiscrepancies) {
  std::string out;
  for (const THourResult& hour : hours) {
    const std::vector<std::size_t> shown = ShownRows(hour, onlyDiscrepancies);
    if (onlyDiscrepancies && shown.empty()) continue;
    if (!out.empty()) out += '\n';
    out += "Час " + std::to_string(hour.Hour) + '\n';
    if (hour.NoPlaylist) out += std::string(kMsgNoPlaylist) + '\n';

    std::vector<std::array<std::string, kResultColumns>> rows;
    rows.reserve(shown.size());
    std::array<std::size_t, kResultColumns> widths{};
    for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = ScreenWidth(kResultHeader[c]);
    for (std::size_t i : shown) {
      rows.push_back(ResultRowTexts(hour.Logs[i], int(i), longTimeFormat));
      for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = std::max(widths[c], ScreenWidth(rows.back()[c]));
    }
    // Numbers to the right, texts to the left, as the eye reads them.
    constexpr std::array<bool, kResultColumns> right = {true, false, false, false, true};
    for (std::size_t c = 0; c < widths.size(); ++c) {
      if (c) out += "  ";
      Pad(out, kResultHeader[c], widths[c], false);
    }
    if (!color) out += "  case";
    StripTrailingBlanks(out);
    out += '\n';
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const TCase kind = CaseOf(hour.Logs[shown[r]]);
      for (std::size_t c = 0; c < widths.size(); ++c) {
        if (c) out += "  ";
        const bool last = c + 1 == widths.size();
        if (last && color) out += ColorEscape(kind);
        Pad(out, rows[r][c], widths[c], right[c]);
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

std::string SummaryReport(const std::vector<THourResult>& hours) {
  TSummary summary("hour", 6);
  for (const THourResult& hour : hours)
    summary.Line(std::to_string(hour.Hour), hour.Counts(), hour.NoPlaylist ? kMsgNoPlaylist : std::string_view());
  return summary.Finish();
}

std::string RangeSummaryReport(const std::vector<TDayResult>& days) {
  TSummary summary("date", 10);
  for (const TDayResult& day : days)
    if (!day.Failed()) summary.Line(IsoDate(day.Day), day.Counts());
  return summary.Finish();
}

}  // namespace spv::app
