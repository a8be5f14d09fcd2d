#pragma once
// The texts of the result rows as the grid shows them, and the writing of an hour's rows into it.

#include "app/CheckItems.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spv::app {

inline constexpr int kResultColumns = 5;
inline constexpr std::array<std::string_view, kResultColumns> kResultHeader = {
    "№№", "Наименование композиции", "Исполнитель", "Выход", "№ в листе"};
inline constexpr std::string_view kByHand = "Вручную";

// Formats the time of day of a value with a Windows time pattern: h, hh (12-hour clock),
// H, HH, m, mm, s, ss, t (first letter of the designator), tt, and quoted literals. The time is
// taken to the nearest millisecond, as the tables store it.
std::string FormatTime(base::TDateTime value, std::string_view pattern, std::string_view am = "AM",
                       std::string_view pm = "PM");

// The five cell texts of result row `index` (counted from 0), all in UTF-8: the row number,
// title and performer (converted from the table's code page), the air time in the user's long
// time format (empty when there is none) and the line number plus one, or "Вручную".
std::array<std::string, kResultColumns> ResultRowTexts(const TLogItem& row, int index,
                                                       std::string_view longTimeFormat,
                                                       int tableCodePage = 1251);

// What ShowLogs needs of the result grid.
class TResultGrid {
 public:
  virtual ~TResultGrid() = default;
  virtual void SetRowCount(int rows) = 0;
  virtual int ColCount() const = 0;
  virtual void SetCell(int col, int row, std::string_view text) = 0;
  virtual void Repaint() = 0;
};

// Writes the rows into the grid below its header: an empty result leaves one blank row.
void ShowLogs(TResultGrid& grid, const std::vector<TLogItem>& logs, std::string_view longTimeFormat);
// Writes some of the rows, by their index in `logs`, in the order given: grid row i + 1 shows
// result row rows[i] with its own number. None leaves one blank row below the header.
void ShowRows(TResultGrid& grid, const std::vector<TLogItem>& logs, const std::vector<std::size_t>& rows,
              std::string_view longTimeFormat);

// The colour of a cell of the result grid, or nothing when it keeps the grid's own look: only
// the last column of a result row is coloured, and only while an hour tab is selected.
std::optional<TColor> ResultCellColor(const std::vector<TLogItem>& logs, int selectedHour, int col, int row);
// The same where grid row i + 1 shows result row rows[i].
std::optional<TColor> ResultCellColor(const std::vector<TLogItem>& logs, const std::vector<std::size_t>& rows,
                                      int selectedHour, int col, int row);

}  // namespace spv::app
