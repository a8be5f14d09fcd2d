#include "platform/TreeView.h"


namespace spv::platform {

namespace {

void InitTreeClass() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT how) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// Sets the fields `item.mask` names on one item.
void SetItem(HWND tree, HTREEITEM h, TVITEMW item) {
  item.hItem = h;
  SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

struct TSortContext {
  const TCustomTreeView* Tree;
  const TTVCompare* Compare;
};

int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM context) {
  const auto& c = *reinterpret_cast<const TSortContext*>(context);
  return (*c.Compare)(reinterpret_cast<TTreeNode*>(a), reinterpret_cast<TTreeNode*>(b));
}

}  // namespace

// ---- TTreeNode ----

TTreeNode::~TTreeNode() = default;

std::wstring TTreeNode::Text() const {
  wchar_t text[1024]{};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = Item_;
  item.pszText = text;
  item.cchTextMax = int(std::size(text));
  SendMessageW(Tree_.Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

void TTreeNode::SetText(std::wstring_view text) {
  std::wstring s(text);
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.pszText = s.data();
  SetItem(Tree_.Handle(), Item_, item);
}

TTreeNode* TTreeNode::Parent() const { return Tree_.NodeOf(NextItem(Tree_.Handle(), Item_, TVGN_PARENT)); }

TTreeNode* TTreeNode::FirstChild() const { return Tree_.NodeOf(NextItem(Tree_.Handle(), Item_, TVGN_CHILD)); }

TTreeNode* TTreeNode::NextSibling() const { return Tree_.NodeOf(NextItem(Tree_.Handle(), Item_, TVGN_NEXT)); }

int TTreeNode::Count() const {
  int n = 0;
  for (TTreeNode* c = FirstChild(); c; c = c->NextSibling()) ++n;
  return n;
}

bool TTreeNode::HasChildren() const {
  TVITEMW item{};
  item.mask = TVIF_CHILDREN;
  item.hItem = Item_;
  SendMessageW(Tree_.Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.cChildren != 0;
}

void TTreeNode::SetHasChildren(bool value) {
  TVITEMW item{};
  item.mask = TVIF_CHILDREN;
  item.cChildren = value ? 1 : 0;
  SetItem(Tree_.Handle(), Item_, item);
}

void TTreeNode::SetImageIndex(int index) {
  TVITEMW item{};
  item.mask = TVIF_IMAGE;
  item.iImage = index;
  SetItem(Tree_.Handle(), Item_, item);
}

void TTreeNode::SetSelectedIndex(int index) {
  TVITEMW item{};
  item.mask = TVIF_SELECTEDIMAGE;
  item.iSelectedImage = index;
  SetItem(Tree_.Handle(), Item_, item);
}

bool TTreeNode::Expanded() const {
  return (SendMessageW(Tree_.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item_), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand(bool expand) {
  SendMessageW(Tree_.Handle(), TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(Item_));
}

bool TTreeNode::Selected() const { return Tree_.Selected() == this; }

void TTreeNode::MakeVisible() { SendMessageW(Tree_.Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Item_)); }

void TTreeNode::EditText() { SendMessageW(Tree_.Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Item_)); }

void TTreeNode::DeleteChildren() {
  while (TTreeNode* child = FirstChild()) Tree_.Delete(child);
}

// ---- TCustomTreeView ----

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
  // The window's last notifications free the nodes while this class still hears them.
  DestroyHandle();
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  InitTreeClass();
  params.WinClassName = WC_TREEVIEWW;
  params.Style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
  if (!HideSelection_) params.Style |= TVS_SHOWSELALWAYS;
  if (!ReadOnly_) params.Style |= TVS_EDITLABELS;
}

void TCustomTreeView::CreateWnd() {
  // A new window starts without items: nodes of an old one are gone with it.
  Nodes_.clear();
  TWinControl::CreateWnd();
  if (Images_) SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(Images_));
}

void TCustomTreeView::SetImages(HIMAGELIST images) {
  Images_ = images;
  if (HandleAllocated()) SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TCustomTreeView::SetHideSelection(bool value) {
  if (value == HideSelection_) return;
  HideSelection_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetReadOnly(bool value) {
  if (value == ReadOnly_) return;
  ReadOnly_ = value;
  if (HandleAllocated()) RecreateWnd();
}

TTreeNode* TCustomTreeView::NewNode(HTREEITEM parent, HTREEITEM after, std::wstring_view text) {
  std::unique_ptr<TTreeNode> node(new TTreeNode(*this, nullptr));
  std::wstring s(text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = s.data();
  insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
  node->Item_ = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!node->Item_) throw Exception(std::string("The tree did not take a new node"));
  TTreeNode* raw = node.get();
  Nodes_.emplace(raw, std::move(node));
  return raw;
}

TTreeNode* TCustomTreeView::AddChild(TTreeNode* parent, std::wstring_view text) {
  return NewNode(parent ? parent->Item_ : TVI_ROOT, TVI_LAST, text);
}

TTreeNode* TCustomTreeView::Insert(TTreeNode* sibling, std::wstring_view text) {
  if (!sibling) return AddChild(nullptr, text);
  const HWND w = Handle();
  const HTREEITEM parent = NextItem(w, sibling->Item_, TVGN_PARENT);
  const HTREEITEM previous = NextItem(w, sibling->Item_, TVGN_PREVIOUS);
  return NewNode(parent ? parent : TVI_ROOT, previous ? previous : TVI_FIRST, text);
}

void TCustomTreeView::Delete(TTreeNode* node) {
  if (node) SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->Item_));
}

void TCustomTreeView::Clear() {
  if (HandleAllocated()) SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

TTreeNode* TCustomTreeView::NodeOf(HTREEITEM item) const {
  if (!item || !HandleAllocated()) return nullptr;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageW(WindowHandle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  auto* node = reinterpret_cast<TTreeNode*>(tv.lParam);
  return Nodes_.count(node) ? node : nullptr;
}

TTreeNode* TCustomTreeView::GetFirstNode() const {
  return HandleAllocated() ? NodeOf(NextItem(WindowHandle(), nullptr, TVGN_ROOT)) : nullptr;
}

int TCustomTreeView::NodeCount() const {
  return HandleAllocated() ? int(SendMessageW(WindowHandle(), TVM_GETCOUNT, 0, 0)) : 0;
}

TTreeNode* TCustomTreeView::Selected() const {
  return HandleAllocated() ? NodeOf(NextItem(WindowHandle(), nullptr, TVGN_CARET)) : nullptr;
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->Item_ : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() const {
  return HandleAllocated() ? NodeOf(NextItem(WindowHandle(), nullptr, TVGN_FIRSTVISIBLE)) : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
  if (node) SendMessageW(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node->Item_));
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
  if (!HandleAllocated()) return nullptr;
  TVHITTESTINFO hit{};
  hit.pt = {x, y};
  SendMessageW(WindowHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & TVHT_ONITEM) ? NodeOf(hit.hItem) : nullptr;
}

void TCustomTreeView::CustomSort(TTreeNode* parent, const TTVCompare& compare) {
  TSortContext context{this, &compare};
  TVSORTCB sort{};
  sort.hParent = parent ? parent->Item_ : TVI_ROOT;
  sort.lpfnCompare = &CompareNodes;
  sort.lParam = reinterpret_cast<LPARAM>(&context);
  SendMessageW(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

void TCustomTreeView::BeginUpdate() {
  if (UpdateCount_++ == 0 && HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TCustomTreeView::EndUpdate() {
  if (UpdateCount_ == 0 || --UpdateCount_ > 0 || !HandleAllocated()) return;
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

bool TCustomTreeView::IsEditing() const {
  return HandleAllocated() && SendMessageW(WindowHandle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

bool TCustomTreeView::CanExpand(TTreeNode* node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
  if (OnChange) OnChange(this, node);
}

void TCustomTreeView::Deletion(TTreeNode* node) {
  if (OnDeletion) OnDeletion(this, node);
}

bool TCustomTreeView::CanEdit(TTreeNode*) { return !ReadOnly_; }

bool TCustomTreeView::Edit(TTreeNode*, const std::wstring&) { return true; }

bool TCustomTreeView::RightClick(POINT) { return false; }

void TCustomTreeView::Notify(TMessage& m) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  switch (header->code) {
    case TVN_ITEMEXPANDINGW: {
      const auto* nm = reinterpret_cast<const NMTREEVIEWW*>(m.LParam);
      if (nm->action & TVE_EXPAND) m.Result = CanExpand(NodeOf(nm->itemNew.hItem)) ? FALSE : TRUE;
      return;
    }
    case TVN_SELCHANGEDW: {
      const auto* nm = reinterpret_cast<const NMTREEVIEWW*>(m.LParam);
      Change(NodeOf(nm->itemNew.hItem));
      return;
    }
    case TVN_DELETEITEMW: {
      const auto* nm = reinterpret_cast<const NMTREEVIEWW*>(m.LParam);
      auto* node = reinterpret_cast<TTreeNode*>(nm->itemOld.lParam);
      if (auto it = Nodes_.find(node); it != Nodes_.end()) {
        std::unique_ptr<TTreeNode> owned = std::move(it->second);
        Nodes_.erase(it);
        Deletion(owned.get());
      }
      return;
    }
    case TVN_BEGINLABELEDITW: {
      const auto* nm = reinterpret_cast<const NMTVDISPINFOW*>(m.LParam);
      m.Result = CanEdit(NodeOf(nm->item.hItem)) ? FALSE : TRUE;
      return;
    }
    case TVN_ENDLABELEDITW: {
      const auto* nm = reinterpret_cast<const NMTVDISPINFOW*>(m.LParam);
      m.Result = nm->item.pszText && Edit(NodeOf(nm->item.hItem), nm->item.pszText) ? TRUE : FALSE;
      return;
    }
    case NM_RCLICK: {
      POINT p;
      GetCursorPos(&p);
      if (RightClickSelect) {
        const POINT c = ScreenToClient(p);
        if (TTreeNode* node = GetNodeAt(c.x, c.y)) SetSelected(node);
      }
      m.Result = RightClick(p) ? TRUE : FALSE;
      return;
    }
    default: return;
  }
}

void TCustomTreeView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    Notify(m);
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace spv::platform
