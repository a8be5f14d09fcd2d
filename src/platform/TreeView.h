#pragma once
// The tree view: the common controls' tree window with node objects of this library. Each node
// carries an owned data object, freed with the node; the tree frees its nodes with itself. An
// image list given to the tree is shared: the tree never frees it.

#include <windows.h>

#include <commctrl.h>

#include "platform/Controls.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace spv::platform {

class TCustomTreeView;

class TTreeNode {
 public:
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;
  ~TTreeNode();

  HTREEITEM ItemId() const { return Item_; }
  TCustomTreeView& TreeView() const { return Tree_; }

  std::wstring Text() const;
  void SetText(std::wstring_view text);
  TTreeNode* Parent() const;
  // (Not GetFirstChild: windowsx.h makes that name a macro.)
  TTreeNode* FirstChild() const;
  TTreeNode* NextSibling() const;
  // Child nodes that exist now (a node marked as having children may have none yet).
  int Count() const;
  // The button that offers to expand the node.
  bool HasChildren() const;
  void SetHasChildren(bool value);
  void SetImageIndex(int index);
  void SetSelectedIndex(int index);
  bool Expanded() const;
  void Expand(bool expand = true);
  void Collapse() { Expand(false); }
  bool Selected() const;
  void MakeVisible();
  // Starts editing the node's text in place.
  void EditText();
  void DeleteChildren();

  // The node's own object, owned: replaced objects and the node's last one are freed.
  TObject* Data() const { return Data_.get(); }
  void SetData(std::unique_ptr<TObject> data) { Data_ = std::move(data); }

 private:
  friend class TCustomTreeView;
  TTreeNode(TCustomTreeView& tree, HTREEITEM item) : Tree_(tree), Item_(item) {}

  TCustomTreeView& Tree_;
  HTREEITEM Item_;
  std::unique_ptr<TObject> Data_;
};

using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowExpansion)>;
using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
// Orders two nodes: negative, 0 or positive.
using TTVCompare = std::function<int(TTreeNode* a, TTreeNode* b)>;

class TCustomTreeView : public TWinControl {
 public:
  explicit TCustomTreeView(TComponent* owner = nullptr);
  ~TCustomTreeView() override;
  std::string_view ClassName() const override { return "TCustomTreeView"; }

  // ---- Nodes ------------------------------------------------------------------------------
  // A new last child of `parent` (a root node for null).
  TTreeNode* AddChild(TTreeNode* parent, std::wstring_view text);
  // A new node in `sibling`'s place, before it, under the same parent.
  TTreeNode* Insert(TTreeNode* sibling, std::wstring_view text);
  // Deletes a node with its subtree; their data objects are freed.
  void Delete(TTreeNode* node);
  void Clear();
  TTreeNode* GetFirstNode() const;
  // Every node, expanded or not.
  int NodeCount() const;
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* node);
  // The first node shown at the top of the window.
  TTreeNode* TopItem() const;
  void SetTopItem(TTreeNode* node);
  // The node at a client point, or null.
  TTreeNode* GetNodeAt(int x, int y) const;
  // Orders the children of `parent` (the root nodes for null).
  void CustomSort(TTreeNode* parent, const TTVCompare& compare);
  // Redraws stop until the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  // The node of a tree item, or null.
  TTreeNode* NodeOf(HTREEITEM item) const;
  bool IsEditing() const;

  // ---- Look -----------------------------------------------------------------------------
  HIMAGELIST Images() const { return Images_; }
  void SetImages(HIMAGELIST images);
  bool HideSelection() const { return HideSelection_; }
  void SetHideSelection(bool value);
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool value);
  bool RightClickSelect = false;

  TTVExpandingEvent OnExpanding;
  TTVChangedEvent OnChange, OnDeletion;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  // Before a node opens: false keeps it closed.
  virtual bool CanExpand(TTreeNode* node);
  // The selection moved to `node` (null for none).
  virtual void Change(TTreeNode* node);
  // The node is about to go; its data object is still there.
  virtual void Deletion(TTreeNode* node);
  // Before editing a node's text: false refuses.
  virtual bool CanEdit(TTreeNode* node);
  // The edited text: true takes it as the node's text.
  virtual bool Edit(TTreeNode* node, const std::wstring& text);
  // A right click at a screen point; true when it was handled (no context menu follows).
  virtual bool RightClick(POINT screen);

 private:
  void Notify(TMessage& message);
  TTreeNode* NewNode(HTREEITEM parent, HTREEITEM after, std::wstring_view text);

  std::unordered_map<TTreeNode*, std::unique_ptr<TTreeNode>> Nodes_;
  HIMAGELIST Images_ = nullptr;
  bool HideSelection_ = true, ReadOnly_ = false;
  int UpdateCount_ = 0;
};

}  // namespace spv::platform
