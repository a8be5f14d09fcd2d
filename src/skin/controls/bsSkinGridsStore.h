#pragma once
// The text store of a string grid: a sparse list of rows, each a sparse list of cells, made
// when a cell of the row is first set. A cell never set reads as the empty text; cells beyond
// a lowered row or column count keep their texts for when the count grows again.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace bs {

// An index the sparse store cannot hold: "List index out of bounds (%d)".
class EStringSparseListError : public std::out_of_range {
 public:
  explicit EStringSparseListError(int index);
};

// Entries by index, stored in pages of 256 so that a long list with a few entries stays small.
template <typename T>
class TbsSparseList {
 public:
  const T* Find(int index) const {
    Check(index);
    const auto page = Pages_.find(index >> kShift);
    if (page == Pages_.end()) return nullptr;
    const auto& slot = (*page->second)[std::size_t(index & kMask)];
    return slot ? slot.get() : nullptr;
  }
  T& At(int index) {
    Check(index);
    auto& page = Pages_[index >> kShift];
    if (!page) page = std::make_unique<Page>();
    auto& slot = (*page)[std::size_t(index & kMask)];
    if (!slot) slot = std::make_unique<T>();
    return *slot;
  }

 private:
  static constexpr int kShift = 8, kMask = (1 << kShift) - 1;
  using Page = std::array<std::unique_ptr<T>, std::size_t(1) << kShift>;
  static void Check(int index) {
    if (index < 0) throw EStringSparseListError(index);
  }
  std::map<int, std::unique_ptr<Page>> Pages_;
};

struct TbsGridStoreCell {
  std::string Text;
  void* Object = nullptr;
};

class TbsGridCellStore {
 public:
  // Texts are the program's single-byte text.
  const std::string& CellText(int col, int row) const;
  void SetCellText(int col, int row, std::string text);
  void* CellObject(int col, int row) const;
  void SetCellObject(int col, int row, void* object);

 private:
  using TRow = TbsSparseList<TbsGridStoreCell>;
  const TbsGridStoreCell* Find(int col, int row) const;
  TbsSparseList<TRow> Rows_;
};

}  // namespace bs
