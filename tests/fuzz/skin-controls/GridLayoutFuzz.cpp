// Widths, counts, client sizes and scroll ranges come from form descriptions, the application
// and the user: the grid's axis layout and the scroll bar's layout must give positions inside
// the grid and the range for any of them, never wrap a coordinate, and never divide by zero.

#include "skin/controls/bsSkinGridsLayout.h"
#include "skin/controls/bsSkinScrollBarLayout.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : Data_(data), Size_(size) {}
  std::uint8_t Byte() { return At_ < Size_ ? Data_[At_++] : 0; }
  // Mostly small values around the edges of a grid, sometimes the ends of the int range.
  int Int() {
    switch (Byte() % 8) {
      case 0: return INT_MIN + (Byte() % 3);
      case 1: return INT_MAX - (Byte() % 3);
      case 2: {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return int(v);
      }
      default: return int(Byte()) - 40;
    }
  }
  // A cell count as the grid holds one: at least 1, and at most about a million (what the
  // program may show), so that a run is not spent walking cells that take no room.
  int Count() { return 1 + int((std::uint32_t(Byte()) << 12 | std::uint32_t(Byte()) << 4) % (1u << 20)); }

 private:
  const std::uint8_t* Data_;
  std::size_t Size_, At_ = 0;
};

void Check(bool holds) {
  if (!holds) std::abort();
}

void FuzzGridAxis(Input& in) {
  bs::TbsGridAxis a;
  a.Count = in.Count();
  a.Fixed = int(in.Byte()) % a.Count;  // the grid keeps fewer fixed cells than cells
  a.DefaultSize = in.Int();
  a.Gap = in.Byte() % 4;
  for (int n = in.Byte() % 24; n > 0 && int(a.Sizes.size()) < a.Count; --n) a.Sizes.push_back(in.Int());
  const int client = in.Int() % 4096;
  const int maxFirst = bs::GridMaxFirstVisible(a, client);
  Check(maxFirst >= a.Fixed && maxFirst < a.Count);
  const int first = bs::ClampFirstVisible(a, in.Int(), maxFirst);
  Check(first >= a.Fixed && first <= maxFirst);

  const bs::TbsGridAxisLayout l = bs::LayoutGridAxis(a, first, client);
  Check(l.FullVisibleCount() >= 0 && l.LastFullVisible < a.Count && bs::GridPageSize(l) >= 1);
  const std::vector<bs::TbsGridSpan> spans = bs::GridAxisSpans(a, first, client);
  // Cells follow each other: none starts before the one in front of it ends.
  for (std::size_t i = 1; i < spans.size(); ++i) {
    Check(spans[i].Start >= spans[i - 1].Start);
    Check(spans[i].Index > spans[i - 1].Index && spans[i].Index < a.Count);
  }
  for (std::size_t i = 0; i < spans.size(); i += 1 + spans.size() / 16) {
    const bs::TbsGridSpan& s = spans[i];
    bs::TbsGridSpan one;
    Check(bs::GridCellSpan(a, first, client, s.Index, one) && one.Start == s.Start);
  }
  const int at = bs::GridCellAt(a, first, client, in.Int() % 4096);
  Check(at == -1 || (at >= 0 && at < a.Count));

  const int target = a.Fixed + int(in.Byte()) % (a.Count - a.Fixed);
  const int shown = bs::GridFirstToShow(a, first, target, client);
  Check(shown >= a.Fixed && shown <= std::max(first, target));

  const int position = bs::GridScrollPosition(a, first, maxFirst);
  Check(position >= 0 && position <= bs::kGridScrollRange);
  const int back = bs::GridFirstFromScrollPosition(a, in.Int(), maxFirst);
  Check(back >= a.Fixed && back <= maxFirst);
  Check(bs::GridScrollSmallChange(a, l.FullVisibleCount()) >= 1);
  const int moved = bs::GridScrollBy(a, first, std::int64_t(in.Int()) * (in.Byte() & 1 ? 1 : 1000), maxFirst);
  Check(moved >= a.Fixed && moved <= maxFirst);
}

void FuzzScrollBar(Input& in) {
  bs::TbsScrollBarRange r{in.Int(), in.Int(), in.Int(), 0};
  if (r.Max < r.Min) r.Max = r.Min;  // the bar holds Min <= Max
  if (r.PageSize < 0) r.PageSize = 0;
  r.Position = bs::ClampScrollPosition(r, in.Int());
  Check(r.Position >= r.Min && r.Position <= r.Max);
  Check(bs::LargestScrollPosition(r) >= r.Min && bs::LargestScrollPosition(r) <= r.Max);
  (void)bs::ScrollPageFits(r, in.Int());

  bs::TbsScrollBarSkin skin;
  const bool skinned = in.Byte() & 1;
  if (skinned) {
    skin.SkinRect = {0, 0, in.Int(), in.Int()};
    skin.TrackArea = {in.Int(), in.Int(), in.Int(), in.Int()};
    skin.UpButtonRect = {in.Int(), in.Int(), in.Int(), in.Int()};
    skin.DownButtonRect = {in.Int(), in.Int(), in.Int(), in.Int()};
    skin.RightTop = {in.Int(), in.Int()};
    skin.LeftBottom = {in.Int(), in.Int()};
    skin.ThumbLength = in.Int();
    skin.ThumbThickness = in.Int();
  }
  const auto kind = in.Byte() & 1 ? bs::TbsScrollBarKind::sbVertical : bs::TbsScrollBarKind::sbHorizontal;
  const bs::TbsScrollBarLayout l = bs::LayoutScrollBar(kind, in.Int(), in.Int(), r, skinned ? &skin : nullptr,
                                                       int(in.Byte()) - 2);
  const int part = bs::ScrollBarPartAt(l, in.Int(), in.Int());
  Check(part >= bs::sbpNone && part <= bs::sbpDecreaseButton);
  const int dragged = bs::ScrollPositionFromOffset(l, r, in.Int(), in.Int());
  Check(dragged >= r.Min && dragged <= std::max(r.Min, bs::LargestScrollPosition(r)));
  (void)bs::SaturatedAdd(in.Int(), std::int64_t(in.Int()) * in.Int());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  FuzzGridAxis(in);
  FuzzScrollBar(in);
  return 0;
}
