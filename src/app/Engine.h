#pragma once
// Small routines of the check that need no state.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace spv::app {

// An empty text stays empty; a text that ends in a backslash is returned as it is;
// any other text gets one backslash appended. Folder texts are used exactly as typed,
// so nothing else (blanks, forward slashes) is touched.
std::string WithTrailingBackslash(std::string_view text);

// The same rule for another folder separator: the Linux build of the console tool checks
// Linux folders, which end in '/'.
std::string WithTrailingDelimiter(std::string_view text, char delimiter);

// What FitGridColumns needs of a string grid.
class TGridMetrics {
 public:
  virtual ~TGridMetrics() = default;
  virtual int RowCount() const = 0;
  virtual int RowHeight(int row) const = 0;
  virtual int ColCount() const = 0;
  virtual int ColWidth(int col) const = 0;
  virtual void SetColWidth(int col, int width) = 0;
  virtual int Width() const = 0;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
};

// Shares the grid's width among its columns: a share of 0 keeps the column's width, any other
// share is that percentage of the width the kept columns leave over (minus one pixel of grid
// line). Shares beyond the grid's columns, and columns without a share, are left alone.
// A width that does not fit an int throws std::overflow_error.
void FitGridColumns(TGridMetrics& grid, std::span<const std::int16_t> shares);

}  // namespace spv::app
