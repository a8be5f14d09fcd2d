#include "skin/controls/bsSkinGridsLayout.h"

#include "skin/resources/bsUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bs {

namespace {

// Where the fixed cells end, the walk stopping once it is past the client edge.
std::int64_t FixedEnd(const TbsGridAxis& a, int clientExtent) {
  std::int64_t pos = 0;
  for (int i = 0; i < a.Fixed && i < a.Count && pos <= clientExtent; ++i) pos += a.Advance(i);
  return pos;
}

// Cells past the size list all take the default size; when that leaves them no room, a walk
// jumps over the whole run at once instead of stepping through (a grid may have many rows).
int ListedCount(const TbsGridAxis& a) { return int(a.Sizes.size()); }
bool UnlistedTakeNoRoom(const TbsGridAxis& a) { return std::int64_t(a.DefaultSize) + a.Gap <= 0; }

}  // namespace

int GridCountFor(int requested) { return std::max(1, requested); }

TbsGridAxisLayout LayoutGridAxis(const TbsGridAxis& a, int firstVisible, int clientExtent) {
  TbsGridAxisLayout l;
  l.ClientExtent = clientExtent;
  l.FirstVisible = firstVisible;
  const std::int64_t fixedEnd = FixedEnd(a, clientExtent);
  l.FixedBoundary = SaturatedInt(fixedEnd);
  const std::int64_t limit = std::int64_t(clientExtent) + a.Gap;
  std::int64_t pos = fixedEnd;
  int i = std::max(firstVisible, a.Fixed);
  l.LastFullVisible = i - 1;
  for (; i < a.Count; ++i) {
    if (i >= ListedCount(a) && UnlistedTakeNoRoom(a) && pos <= limit) {
      i = a.Count;
      l.LastFullVisible = a.Count - 1;
      break;
    }
    const std::int64_t end = pos + a.Advance(i);
    if (end > limit) break;
    l.LastFullVisible = i;
    pos = end;
  }
  l.GridBoundary = i >= a.Count ? SaturatedInt(std::min<std::int64_t>(pos, clientExtent)) : clientExtent;
  return l;
}

std::vector<TbsGridSpan> GridAxisSpans(const TbsGridAxis& a, int firstVisible, int clientExtent) {
  std::vector<TbsGridSpan> spans;
  std::int64_t pos = 0;
  for (int i = 0; i < a.Fixed && i < a.Count && pos < clientExtent; ++i) {
    spans.push_back({i, SaturatedInt(pos), a.Size(i), true});
    pos += a.Advance(i);
  }
  if (pos < clientExtent) pos = FixedEnd(a, clientExtent);
  for (int i = std::max(firstVisible, a.Fixed); i < a.Count && pos < clientExtent; ++i) {
    if (i >= ListedCount(a) && UnlistedTakeNoRoom(a)) break;
    spans.push_back({i, SaturatedInt(pos), a.Size(i), false});
    pos += a.Advance(i);
  }
  return spans;
}

bool GridCellSpan(const TbsGridAxis& a, int firstVisible, int clientExtent, int index, TbsGridSpan& span) {
  if (index < 0 || index >= a.Count) return false;
  if (index >= a.Fixed && index < firstVisible) return false;
  std::int64_t pos = index < a.Fixed ? 0 : FixedEnd(a, clientExtent);
  for (int i = index < a.Fixed ? 0 : std::max(firstVisible, a.Fixed); i < index; ++i) {
    if (i >= ListedCount(a) && UnlistedTakeNoRoom(a)) break;
    pos += a.Advance(i);
    if (pos >= clientExtent) return false;
  }
  if (pos >= clientExtent) return false;
  span = {index, SaturatedInt(pos), a.Size(index), index < a.Fixed};
  return true;
}

int GridCellAt(const TbsGridAxis& a, int firstVisible, int clientExtent, int c) {
  if (c < 0 || c >= clientExtent) return -1;
  for (const TbsGridSpan& s : GridAxisSpans(a, firstVisible, clientExtent)) {
    const std::int64_t end = std::int64_t(s.Start) + a.Advance(s.Index);
    if (c >= s.Start && c < end) return s.Index;
  }
  return -1;
}

int GridMaxFirstVisible(const TbsGridAxis& a, int clientExtent) {
  std::int64_t room = std::int64_t(clientExtent) + a.Gap - FixedEnd(a, clientExtent);
  int i = a.Count;
  while (i - 1 >= a.Fixed && a.Advance(i - 1) <= room) {
    if (i - 1 >= ListedCount(a) && UnlistedTakeNoRoom(a)) {
      i = std::max(a.Fixed, ListedCount(a)) + 1;
    }
    room -= a.Advance(i - 1);
    --i;
  }
  return std::max(a.Fixed, std::min(i, a.Count - 1));
}

int GridFirstToShow(const TbsGridAxis& a, int first, int target, int clientExtent) {
  if (target < a.Fixed) return first;
  if (target < first) return target;
  const TbsGridAxisLayout l = LayoutGridAxis(a, first, clientExtent);
  if (target <= l.LastFullVisible) return first;
  std::int64_t room = std::int64_t(clientExtent) + a.Gap - FixedEnd(a, clientExtent);
  int i = target + 1;
  while (i - 1 >= a.Fixed && a.Advance(i - 1) <= room) {
    if (i - 1 >= ListedCount(a) && UnlistedTakeNoRoom(a)) {
      i = std::max(a.Fixed, ListedCount(a)) + 1;
    }
    room -= a.Advance(i - 1);
    --i;
  }
  // A cell larger than the client shows from its start.
  return std::max(first, std::min(i, target));
}

int GridPageSize(const TbsGridAxisLayout& l) {
  return std::max(1, int(std::int64_t(l.LastFullVisible) - l.FirstVisible));
}

int GridScrollPosition(const TbsGridAxis& a, int first, int maxFirst) {
  const std::int64_t range = std::int64_t(maxFirst) - a.Fixed;
  // Every row fits: nothing to scroll, and nothing to divide by.
  if (range <= 0) return 0;
  const double q = double(std::int64_t(first) - a.Fixed) * kGridScrollRange / double(range);
  return std::clamp(int(std::nearbyint(q)), 0, kGridScrollRange);
}

int GridFirstFromScrollPosition(const TbsGridAxis& a, int position, int maxFirst) {
  const std::int64_t p = std::clamp(position, 0, kGridScrollRange);
  const std::int64_t range = std::max<std::int64_t>(0, std::int64_t(maxFirst) - a.Fixed);
  return SaturatedInt(a.Fixed + p * range / kGridScrollRange);
}

int GridScrollSmallChange(const TbsGridAxis& a, int fullVisibleCount) {
  const std::int64_t hidden = std::int64_t(a.Count) - fullVisibleCount - a.Fixed;
  return int(std::max<std::int64_t>(1, kGridScrollRange / std::max<std::int64_t>(1, hidden)));
}

int ClampFirstVisible(const TbsGridAxis& a, int first, int maxFirst) {
  return std::clamp(first, a.Fixed, std::max(a.Fixed, maxFirst));
}

int GridScrollBy(const TbsGridAxis& a, int from, std::int64_t delta, int maxFirst) {
  const int lo = a.Fixed, hi = std::max(a.Fixed, maxFirst);
  int at = std::clamp(from, lo, hi);
  const int step = delta < 0 ? -1 : 1;
  // Every cell has room: no cell to step over.
  if (a.Sizes.empty() && a.DefaultSize > 0) return int(std::clamp<std::int64_t>(std::int64_t(at) + delta, lo, hi));
  for (std::int64_t left = delta < 0 ? -delta : delta; left > 0;) {
    int next = at + step;
    // Cells without room cannot be shown first: step over them.
    while (next >= lo && next <= hi && a.Size(next) <= 0) {
      if (next >= ListedCount(a) && a.DefaultSize <= 0) next = step > 0 ? hi + 1 : ListedCount(a) - 1;
      else next += step;
    }
    if (next < lo || next > hi) break;
    at = next;
    --left;
  }
  return at;
}

}  // namespace bs
