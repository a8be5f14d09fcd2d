#include "skin/dialogs/bsSkinShellCtrls.h"

#include "platform/FormReader.h"
#include "skin/dialogs/bsSkinShellRules.h"
#include "skin/resources/bsconst.h"

namespace bs {

using namespace spv::platform;

namespace {

// Takes a skin holder reference over, asking to hear when the holder goes.
void Relink(TComponent& self, TbsSkinData*& field, TbsSkinData* value) {
  if (field) self.RemoveFreeNotification(field);
  field = value;
  if (value) self.FreeNotification(value);
}

}  // namespace

// ---- The window ----

TbsSelDirDlgForm::TbsSelDirDlgForm(TComponent* owner) : TForm(owner) {
  SetPosition(TPosition::poScreenCenter);
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  KeyPreview = true;
}

// ---- TbsSkinSelectDirectoryDialog ----

TbsSkinSelectDirectoryDialog::TbsSkinSelectDirectoryDialog(TComponent* owner)
    : TComponent(owner), Title(Cp1251ToWide(BS_SELDIR_TITLE)) {
  DefaultFont_.SetName(L"Arial");
  DefaultFont_.SetHeight(14);
  DefaultFont_.SetStyle(0);
}

TbsSkinSelectDirectoryDialog::~TbsSkinSelectDirectoryDialog() = default;

void TbsSkinSelectDirectoryDialog::SetSkinData(TbsSkinData* value) { Relink(*this, SkinData_, value); }

void TbsSkinSelectDirectoryDialog::SetCtrlSkinData(TbsSkinData* value) { Relink(*this, CtrlSkinData_, value); }

void TbsSkinSelectDirectoryDialog::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == SkinData_) SkinData_ = nullptr;
  if (component == CtrlSkinData_) CtrlSkinData_ = nullptr;
}

void TbsSkinSelectDirectoryDialog::BuildToolBar(TbsSelDirDlgForm& f) {
  f.ToolPanel = new TbsSkinPanel(&f);
  f.ToolPanel->SetName("ToolPanel");
  f.ToolPanel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
  f.ToolPanel->SetSkinDataName("toolpanel");
  f.ToolPanel->SetAlign(TAlign::alTop);
  f.ToolPanel->SetHeight(25);
  f.ToolPanel->SetParent(&f);
  f.ToolPanel->SetSkinData(CtrlSkinData_);

  f.NewFolderButton = new TbsSkinSpeedButton(&f);
  TbsSkinSpeedButton& b = *f.NewFolderButton;
  b.SetName("NewFolderButton");
  b.SetSkinDataName("toolbutton");
  b.SetBounds(0, 0, 27, 25);
  b.SetAlign(TAlign::alRight);
  b.SetNumGlyphs(1);
  if (HBITMAP h = LoadBitmapW(GetModuleHandleW(nullptr), L"BS_NEWFOLDER")) {
    b.SetGlyph(TbsFBitmap(h));
    DeleteObject(h);
  }
  b.Hint = SkinText(CtrlSkinData_, "MSG_BTN_NEWFOLDER_HINT", BS_MSG_BTN_NEWFOLDER_HINT);
  b.SetShowHint(true);
  b.SetParent(f.ToolPanel);
  b.SetSkinData(CtrlSkinData_);

  f.ToolSpacer = new TbsSkinBevel(&f);
  f.ToolSpacer->SetName("ToolSpacer");
  f.ToolSpacer->SetShape(TBevelShape::bsSpacer);
  f.ToolSpacer->SetBounds(0, 0, 5, 25);
  f.ToolSpacer->SetAlign(TAlign::alRight);
  f.ToolSpacer->SetParent(f.ToolPanel);

  f.PathEdit = new TbsSkinEdit(&f);
  f.PathEdit->SetName("PathEdit");
  f.PathEdit->SetSkinDataName("tooledit");
  f.PathEdit->SetHeight(25);
  f.PathEdit->SetAlign(TAlign::alClient);
  f.PathEdit->SetParent(f.ToolPanel);
  f.PathEdit->SetSkinData(CtrlSkinData_);

  TbsSelDirDlgForm* form = &f;
  const std::wstring newFolder = SkinText(CtrlSkinData_, "MSG_NEWFOLDER", BS_MSG_NEWFOLDER);
  f.PathEdit->OnKeyDown = [form](TObject*, WORD& key, TShiftState) {
    if (key != VK_RETURN) return;
    if (const std::wstring path = form->PathEdit->Text(); DirectoryExists(path)) form->Tree->SelectPath(path);
  };
  // Enter in the path field goes to the folder typed; it does not also press OK.
  TWndMethod inherited = f.PathEdit->WindowProc;
  f.PathEdit->WindowProc = [inherited](TMessage& m) {
    if (m.Msg == WM_CHAR && m.WParam == VK_RETURN) return;
    inherited(m);
  };
  b.OnClick = [form, newFolder](TObject*) {
    TTreeNode* selected = form->Tree->Selected();
    const std::wstring path = NewFolderPath(form->Tree->SelectedPath(), newFolder);
    if (!selected || path.empty() || GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    if (CreateDirectoryW(path.c_str(), nullptr)) form->Tree->RefreshNode(selected);
  };
}

std::unique_ptr<TbsSelDirDlgForm> TbsSkinSelectDirectoryDialog::BuildForm() {
  auto form = std::make_unique<TbsSelDirDlgForm>(&Application());
  TbsSelDirDlgForm& f = *form;
  f.Frame = new TbsSkinForm(&f);
  f.Frame->SetBorderIcons(0);
  f.Frame->SetHideCaptionButtons(true);
  f.Frame->MinWidth = DialogMinWidth;
  f.Frame->MinHeight = DialogMinHeight;
  f.Frame->SetAlphaBlend(AlphaBlend);
  f.Frame->AlphaBlendAnimation = AlphaBlendAnimation;
  f.Frame->SetAlphaBlendValue(AlphaBlendValue);
  f.Frame->SetSkinData(SkinData_);
  f.Frame->SetMenusSkinData(CtrlSkinData_);
  f.SetCaption(Title);
  f.HandleNeeded();

  if (ShowToolBar) BuildToolBar(f);

  f.TreePanel = new TbsSkinPanel(&f);
  f.TreePanel->SetName("TreePanel");
  f.TreePanel->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
  f.TreePanel->SetSkinDataName("panel");
  f.TreePanel->SetAlign(TAlign::alClient);
  f.TreePanel->SetParent(&f);
  f.TreePanel->SetSkinData(CtrlSkinData_);

  f.VScrollBar = new TbsSkinScrollBar(&f);
  f.VScrollBar->SetName("VScrollBar");
  f.VScrollBar->SetKind(TbsScrollBarKind::sbVertical);
  f.VScrollBar->SetSkinDataName("vscrollbar");
  f.VScrollBar->SetEnabled(false);
  f.VScrollBar->SetWidth(19);
  f.VScrollBar->SetAlign(TAlign::alRight);
  f.VScrollBar->SetParent(f.TreePanel);
  f.VScrollBar->SetSkinData(CtrlSkinData_);

  f.HScrollBar = new TbsSkinScrollBar(&f);
  f.HScrollBar->SetName("HScrollBar");
  f.HScrollBar->SetKind(TbsScrollBarKind::sbHorizontal);
  f.HScrollBar->SetSkinDataName("hscrollbar");
  f.HScrollBar->SetBothMarkerWidth(19);
  f.HScrollBar->SetEnabled(false);
  f.HScrollBar->SetHeight(19);
  f.HScrollBar->SetAlign(TAlign::alBottom);
  f.HScrollBar->SetParent(f.TreePanel);
  f.HScrollBar->SetSkinData(CtrlSkinData_);

  f.Tree = new TbsSkinDirTreeView(&f);
  TbsSkinDirTreeView& tree = *f.Tree;
  tree.SetName("Tree");
  tree.SetObjectTypes(otFolders | otHidden);
  tree.SetHideSelection(false);
  tree.SetDefaultFont(DefaultFont_);
  tree.SetAlign(TAlign::alClient);
  tree.SetParent(f.TreePanel);
  tree.SetSkinData(CtrlSkinData_);
  tree.SetVScrollBar(f.VScrollBar);
  tree.SetHScrollBar(f.HScrollBar);
  if (f.PathEdit) {
    TbsSelDirDlgForm* owner = &f;
    tree.OnChange = [owner](TObject*, TTreeNode*) { owner->PathEdit->SetText(owner->Tree->SelectedPath()); };
  }

  f.ButtonPanel = new TbsSkinPanel(&f);
  f.ButtonPanel->SetName("ButtonPanel");
  f.ButtonPanel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
  f.ButtonPanel->SetSkinDataName("panel");
  f.ButtonPanel->SetAlign(TAlign::alBottom);
  f.ButtonPanel->SetHeight(50);
  f.ButtonPanel->SetParent(&f);
  f.ButtonPanel->SetSkinData(CtrlSkinData_);

  auto button = [&](const char* name, int left, std::wstring caption, TModalResult result) {
    auto* b = new TbsSkinButton(&f);
    b->SetName(name);
    b->SetCanFocused(true);
    b->ModalResult = result;
    b->SetCaption(caption);
    b->Font().Assign(DefaultFont_);
    b->SetDefaultFont(DefaultFont_);
    b->SetSkinDataName("button");
    b->SetParent(f.ButtonPanel);
    b->SetBounds(left, 15, 70, 25);
    b->SetSkinData(CtrlSkinData_);
    return b;
  };
  f.OKButton = button("OKButton", 20, SkinText(CtrlSkinData_, "MSG_BTN_OK", BS_MSG_BTN_OK), mrOk);
  f.OKButton->SetDefault(true);
  f.CancelButton = button("CancelButton", 100, SkinText(CtrlSkinData_, "MSG_BTN_CANCEL", BS_MSG_BTN_CANCEL), mrCancel);
  f.CancelButton->Cancel = true;
  return form;
}

void TbsSkinSelectDirectoryDialog::ShowInTree(TbsSelDirDlgForm& f) {
  if (!Directory.empty() && DirectoryExists(Directory)) {
    try {
      f.Tree->SelectPath(Directory);
      return;
    } catch (const Exception&) {
      // A text the file system knows but the shell cannot parse: the drives folder, as for
      // a missing one.
    }
  }
  f.Tree->SelectDefaultFolder();
}

bool TbsSkinSelectDirectoryDialog::Execute() {
  std::unique_ptr<TbsSelDirDlgForm> form = BuildForm();
  TbsSelDirDlgForm& f = *form;
  ShowInTree(f);

  const bool frameSkin = SkinData_ && !SkinData_->IsEmpty;
  const int minWidth = frameSkin ? f.Frame->GetMinWidth() - (f.Width() - f.ClientWidth()) : 0;
  const int minHeight = frameSkin ? f.Frame->GetMinHeight() - (f.Height() - f.ClientHeight()) : 0;
  f.SetClientSize(ChooserClientExtent(DialogWidth, minWidth), ChooserClientExtent(DialogHeight, minHeight));
  f.SetActiveControl(f.Tree);

  Form_ = &f;
  TModalResult result = mrCancel;
  try {
    result = f.ShowModal();
  } catch (...) {
    Form_ = nullptr;
    DialogWidth = f.ClientWidth();
    DialogHeight = f.ClientHeight();
    throw;
  }
  Form_ = nullptr;
  DialogWidth = f.ClientWidth();
  DialogHeight = f.ClientHeight();
  if (result != mrOk) return false;
  Directory = f.Tree->SelectedPath();
  if (OnChange) OnChange(this);
  return true;
}

bool TbsSkinSelectDirectoryDialog::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  const std::string& n = p.Name;
  if (SameIdent(n, "Title")) Title = p.String();
  else if (SameIdent(n, "Directory")) Directory = p.String();
  else if (SameIdent(n, "DialogWidth")) DialogWidth = p.Int();
  else if (SameIdent(n, "DialogHeight")) DialogHeight = p.Int();
  else if (SameIdent(n, "DialogMinWidth")) DialogMinWidth = p.Int();
  else if (SameIdent(n, "DialogMinHeight")) DialogMinHeight = p.Int();
  else if (SameIdent(n, "AlphaBlend")) AlphaBlend = p.Boolean();
  else if (SameIdent(n, "AlphaBlendValue")) AlphaBlendValue = BYTE(p.Int());
  else if (SameIdent(n, "AlphaBlendAnimation")) AlphaBlendAnimation = p.Boolean();
  else if (SameIdent(n, "ShowToolBar")) ShowToolBar = p.Boolean();
  else if (SameIdent(n, "SkinData")) reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (SameIdent(n, "CtrlSkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetCtrlSkinData(d); });
  else if (n.size() > 12 && SameIdent(n.substr(0, 12), "DefaultFont."))
    return DefaultFont_.ReadProperty(std::string_view(n).substr(12), p);
  else return TComponent::ReadProperty(p, reader);
  return true;
}

// ---- TbsSkinDirectoryEdit ----

TbsSkinDirectoryEdit::TbsSkinDirectoryEdit(TComponent* owner)
    : TbsSkinEdit(owner), FolderDialog_(new TbsSkinSelectDirectoryDialog(this)) {
  SetButtonMode(true);
  SetSkinDataName("buttonedit");
  OnButtonClick = [this](TObject*) { BrowseForFolder(); };
}

TbsSkinDirectoryEdit::~TbsSkinDirectoryEdit() = default;

void TbsSkinDirectoryEdit::SetDlgSkinData(TbsSkinData* value) { Relink(*this, DlgSkinData_, value); }

void TbsSkinDirectoryEdit::SetDlgCtrlSkinData(TbsSkinData* value) { Relink(*this, DlgCtrlSkinData_, value); }

void TbsSkinDirectoryEdit::Notification(TComponent* component, TOperation operation) {
  TbsSkinEdit::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == DlgSkinData_) DlgSkinData_ = nullptr;
  if (component == DlgCtrlSkinData_) DlgCtrlSkinData_ = nullptr;
}

void TbsSkinDirectoryEdit::BrowseForFolder() {
  TbsSkinSelectDirectoryDialog& d = *FolderDialog_;
  // The folder goes both ways as wide text, so that any name comes back as it was.
  d.Directory = Text();
  d.SetSkinData(DlgSkinData_);
  d.SetCtrlSkinData(DlgCtrlSkinData_);
  if (d.Execute()) SetText(d.Directory);
}

bool TbsSkinDirectoryEdit::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "DlgSkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetDlgSkinData(d); });
  else if (SameIdent(p.Name, "DlgCtrlSkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetDlgCtrlSkinData(d); });
  else return TbsSkinEdit::ReadProperty(p, reader);
  return true;
}

void RegisterSkinShellClasses() {
  static const bool done = [] {
    TClassRegistry::Instance().Register<TbsSkinDirectoryEdit>("TbsSkinDirectoryEdit");
    return true;
  }();
  (void)done;
}

}  // namespace bs
