#pragma once
// The arithmetic of the skinned grid that needs no window, one axis at a time (columns across,
// rows down): where each cell lies, which cells are fully visible, how far the grid can
// scroll, and how a scroll bar's 0..127 position maps onto the first visible cell. Pixel sums
// are taken in 64 bits and walks stop at the client edge, so no width, count or client size
// can wrap a coordinate or make a walk take longer than the cells on screen.

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace bs {

// An invalid operation on a grid (an index out of range, a fixed count too large).
class bsEInvalidGridOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr int kGridScrollRange = 127;

// One axis: the cells' sizes, how many lead as fixed cells, and the line gap after each cell.
struct TbsGridAxis {
  int Count = 5, Fixed = 1, DefaultSize = 64;
  // Empty until a single size is set; then one entry per cell.
  std::vector<int> Sizes;
  // The line width when a line of this direction is drawn, else 0.
  int Gap = 1;

  int Size(int index) const {
    return index >= 0 && index < int(Sizes.size()) ? Sizes[std::size_t(index)] : DefaultSize;
  }
  // The room a cell takes with its gap. A size below -Gap takes none: a cell never moves the
  // cells after it back over the ones before.
  std::int64_t Advance(int index) const { return std::max<std::int64_t>(0, std::int64_t(Size(index)) + Gap); }
};

// A cell on screen: where it starts along the axis, and its own size (without the gap).
struct TbsGridSpan {
  int Index = 0;
  int Start = 0;
  int Size = 0;
  bool Fixed = false;
};

struct TbsGridAxisLayout {
  int FixedBoundary = 0;    // where the fixed cells end (gaps included)
  int GridBoundary = 0;     // the end of the last cell when all fit, else the client extent
  int FirstVisible = 0;     // the first scrollable cell on screen
  int LastFullVisible = 0;  // the last scrollable cell shown whole (FirstVisible - 1 for none)
  int ClientExtent = 0;
  int FullVisibleCount() const { return std::max(0, LastFullVisible - FirstVisible + 1); }
};

TbsGridAxisLayout LayoutGridAxis(const TbsGridAxis& axis, int firstVisible, int clientExtent);

// The fixed cells, then the scrollable ones from `firstVisible`, as far as the client edge.
std::vector<TbsGridSpan> GridAxisSpans(const TbsGridAxis& axis, int firstVisible, int clientExtent);

// The span of one cell if it starts on screen.
bool GridCellSpan(const TbsGridAxis& axis, int firstVisible, int clientExtent, int index, TbsGridSpan& span);

// The cell under a coordinate, -1 when none (past the last cell or in a gap's trailing edge).
int GridCellAt(const TbsGridAxis& axis, int firstVisible, int clientExtent, int coordinate);

// The largest first visible cell: the one from which the last cell is still shown whole.
int GridMaxFirstVisible(const TbsGridAxis& axis, int clientExtent);

// The first visible cell that shows `target` whole, moving as little as possible from `first`.
int GridFirstToShow(const TbsGridAxis& axis, int first, int target, int clientExtent);

// Last fully visible minus first visible, at least 1: what a page key moves.
int GridPageSize(const TbsGridAxisLayout& layout);

// The 0..127 scroll-bar position of `first`; 0 when the grid cannot scroll at all.
int GridScrollPosition(const TbsGridAxis& axis, int first, int maxFirst);
// The first visible cell a 0..127 position stands for.
int GridFirstFromScrollPosition(const TbsGridAxis& axis, int position, int maxFirst);
// One line of the scroll bar: 127 div the cells that do not fit, at least 1.
int GridScrollSmallChange(const TbsGridAxis& axis, int fullVisibleCount);

// `first` held between the fixed count and the largest first visible cell.
int ClampFirstVisible(const TbsGridAxis& axis, int first, int maxFirst);

// A count as the grid takes it: at least 1.
int GridCountFor(int requested);

// Moves from `from` by `delta` skipping cells with no room (size <= 0), held inside
// [fixed, maxFirst]; what a scroll request by lines or pages does.
int GridScrollBy(const TbsGridAxis& axis, int from, std::int64_t delta, int maxFirst);

}  // namespace bs
