#include "app/Engine.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace spv::app {
namespace {

int CheckedInt(std::int64_t value) {
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    throw std::overflow_error("Grid column width out of range: " + std::to_string(value));
  return int(value);
}

}  // namespace

std::string WithTrailingDelimiter(std::string_view text, char delimiter) {
  std::string result(text);
  if (!result.empty() && result.back() != delimiter) result.push_back(delimiter);
  return result;
}

std::string WithTrailingBackslash(std::string_view text) { return WithTrailingDelimiter(text, '\\'); }

void FitGridColumns(TGridMetrics& grid, std::span<const std::int16_t> shares) {
  std::int64_t rowsHeight = 0;
  for (int row = 0; row < grid.RowCount(); ++row) rowsHeight += std::int64_t(grid.RowHeight(row)) + 1;

  // When every row fits no scroll bar takes room: the columns get the grid's width less its
  // frame of two pixels a side.
  std::int64_t available = grid.ClientHeight() > rowsHeight ? std::int64_t(grid.Width()) - 4 : grid.ClientWidth();
  const int columns = std::min<int>(int(shares.size()), grid.ColCount());
  for (int col = 0; col < columns; ++col)
    if (shares[std::size_t(col)] == 0) available -= std::int64_t(grid.ColWidth(col)) + 1;
  for (int col = 0; col < columns; ++col) {
    const std::int64_t share = shares[std::size_t(col)];
    // An exact integer product divided by 100 truncates the same way in integers as in floating point.
    if (share != 0) grid.SetColWidth(col, CheckedInt(share * available / 100 - 1));
  }
}

}  // namespace spv::app
