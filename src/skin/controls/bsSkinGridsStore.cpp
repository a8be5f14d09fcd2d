#include "skin/controls/bsSkinGridsStore.h"

namespace bs {

EStringSparseListError::EStringSparseListError(int index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}

const TbsGridStoreCell* TbsGridCellStore::Find(int col, int row) const {
  const TRow* r = Rows_.Find(row);
  // The column is checked even where the row was never set.
  if (!r) {
    TRow().Find(col);
    return nullptr;
  }
  return r->Find(col);
}

const std::string& TbsGridCellStore::CellText(int col, int row) const {
  static const std::string empty;
  const TbsGridStoreCell* c = Find(col, row);
  return c ? c->Text : empty;
}

void TbsGridCellStore::SetCellText(int col, int row, std::string text) {
  Rows_.At(row).At(col).Text = std::move(text);
}

void* TbsGridCellStore::CellObject(int col, int row) const {
  const TbsGridStoreCell* c = Find(col, row);
  return c ? c->Object : nullptr;
}

void TbsGridCellStore::SetCellObject(int col, int row, void* object) { Rows_.At(row).At(col).Object = object; }

}  // namespace bs
