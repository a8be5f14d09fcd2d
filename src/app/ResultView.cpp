#include "app/ResultView.h"

#include "base/CodePage.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace spv::app {
namespace {

void AppendTwo(std::string& out, int value, bool twoDigits) {
  if (twoDigits && value < 10) out.push_back('0');
  out += std::to_string(value);
}

}  // namespace

std::string FormatTime(TDateTime value, std::string_view pattern, std::string_view am, std::string_view pm) {
  constexpr long long kMsPerDay = 86400000;
  const double fraction = value - std::floor(value);
  // A time that rounds up to midnight is the midnight that starts the next day.
  const long long ms = std::llround(fraction * double(kMsPerDay)) % kMsPerDay;
  const int hour = int(ms / 3600000), minute = int(ms / 60000 % 60), second = int(ms / 1000 % 60);

  std::string out;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    switch (c) {
      case 'H': AppendTwo(out, hour, run >= 2); break;
      case 'h': AppendTwo(out, hour % 12 == 0 ? 12 : hour % 12, run >= 2); break;
      case 'm': AppendTwo(out, minute, run >= 2); break;
      case 's': AppendTwo(out, second, run >= 2); break;
      case 't': {
        const std::string_view designator = hour < 12 ? am : pm;
        out += run >= 2 ? designator : designator.substr(0, 1);
        break;
      }
      case '\'': {
        const std::size_t close = pattern.find('\'', i + 1);
        const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
        out += pattern.substr(i + 1, end - i - 1);
        i = close == std::string_view::npos ? end : end + 1;
        continue;
      }
      default: out.append(run, c);
    }
    i += run;
  }
  return out;
}

std::array<std::string, kResultColumns> ResultRowTexts(const TLogItem& row, int index,
                                                       std::string_view longTimeFormat, int tableCodePage) {
  if (index < 0 || index == std::numeric_limits<int>::max())
    throw std::out_of_range("Result row out of range: " + std::to_string(index));
  return {std::to_string(index + 1),
          spv::base::CodePageToUtf8(row.Title.view(), tableCodePage),
          spv::base::CodePageToUtf8(row.Artist.view(), tableCodePage),
          row.AirTime < 0 ? std::string() : FormatTime(row.AirTime, longTimeFormat),
          row.Number < 0 ? std::string(kByHand) : std::to_string(std::int64_t(row.Number) + 1)};
}

namespace {

// Writes `count` rows below the header, grid row i + 1 showing result row indexOf(i).
template <typename IndexOf>
void WriteRows(TResultGrid& grid, const std::vector<TLogItem>& logs, std::size_t count, IndexOf indexOf,
               std::string_view longTimeFormat) {
  if (count == 0) {
    grid.SetRowCount(2);
    for (int col = 0; col < grid.ColCount(); ++col) grid.SetCell(col, 1, {});
    return;
  }
  if (count >= std::size_t(std::numeric_limits<int>::max()))
    throw std::overflow_error("Too many result rows: " + std::to_string(count));
  grid.SetRowCount(int(count) + 1);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t index = indexOf(i);
    const auto texts = ResultRowTexts(logs.at(index), int(index), longTimeFormat);
    for (int col = 0; col < kResultColumns; ++col) grid.SetCell(col, int(i) + 1, texts[std::size_t(col)]);
  }
  grid.Repaint();
}

}  // namespace

void ShowLogs(TResultGrid& grid, const std::vector<TLogItem>& logs, std::string_view longTimeFormat) {
  WriteRows(grid, logs, logs.size(), [](std::size_t i) { return i; }, longTimeFormat);
}

void ShowRows(TResultGrid& grid, const std::vector<TLogItem>& logs, const std::vector<std::size_t>& rows,
              std::string_view longTimeFormat) {
  WriteRows(grid, logs, rows.size(), [&](std::size_t i) { return rows[i]; }, longTimeFormat);
}

std::optional<TColor> ResultCellColor(const std::vector<TLogItem>& logs, int selectedHour, int col, int row) {
  if (selectedHour < 0 || selectedHour >= kHoursPerDay || col != kResultColumns - 1 || row < 1 ||
      std::size_t(row) > logs.size())
    return std::nullopt;
  return logs[std::size_t(row) - 1].RowColor;
}

std::optional<TColor> ResultCellColor(const std::vector<TLogItem>& logs, const std::vector<std::size_t>& rows,
                                      int selectedHour, int col, int row) {
  if (selectedHour < 0 || selectedHour >= kHoursPerDay || col != kResultColumns - 1 || row < 1 ||
      std::size_t(row) > rows.size())
    return std::nullopt;
  const std::size_t index = rows[std::size_t(row) - 1];
  if (index >= logs.size()) return std::nullopt;
  return logs[index].RowColor;
}

}  // namespace spv::app
