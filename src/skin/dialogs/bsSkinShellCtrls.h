#pragma once
// The folder chooser: a component that builds a modal skinned window over the shell's folder
// tree each time it runs, and the directory edit whose button opens it. The window's size is
// remembered by the component between runs, so each edit keeps its own.

#include <windows.h>

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "skin/controls/bsSkinBevel.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinPanel.h"
#include "skin/controls/bsSkinScrollBar.h"
#include "skin/controls/bsSkinSpeedButton.h"
#include "skin/dialogs/bsSkinShellTree.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/resources/bsSkinDataWin.h"

#include <string>

namespace bs {

// The chooser's window, built in code by TbsSkinSelectDirectoryDialog::Execute.
class TbsSelDirDlgForm : public spv::platform::TForm {
 public:
  explicit TbsSelDirDlgForm(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSelDirDlgForm"; }

  TbsSkinForm* Frame = nullptr;
  TbsSkinPanel* ToolPanel = nullptr;
  TbsSkinSpeedButton* NewFolderButton = nullptr;
  TbsSkinBevel* ToolSpacer = nullptr;
  TbsSkinEdit* PathEdit = nullptr;
  TbsSkinPanel* TreePanel = nullptr;
  TbsSkinScrollBar* VScrollBar = nullptr;
  TbsSkinScrollBar* HScrollBar = nullptr;
  TbsSkinDirTreeView* Tree = nullptr;
  TbsSkinPanel* ButtonPanel = nullptr;
  TbsSkinButton* OKButton = nullptr;
  TbsSkinButton* CancelButton = nullptr;
};

class TbsSkinSelectDirectoryDialog : public spv::platform::TComponent {
 public:
  explicit TbsSkinSelectDirectoryDialog(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinSelectDirectoryDialog() override;
  std::string_view ClassName() const override { return "TbsSkinSelectDirectoryDialog"; }

  std::wstring Title;
  std::wstring Directory;
  int DialogWidth = 0, DialogHeight = 0;
  int DialogMinWidth = 0, DialogMinHeight = 0;
  TbsSkinData* SkinData() const { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  TbsSkinData* CtrlSkinData() const { return CtrlSkinData_; }
  void SetCtrlSkinData(TbsSkinData* value);
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  bool AlphaBlend = false;
  BYTE AlphaBlendValue = 200;
  bool AlphaBlendAnimation = false;
  bool ShowToolBar = false;
  // Raised when OK has put the chosen folder into Directory.
  spv::platform::TNotifyEvent OnChange;

  // Runs the chooser; true when the user pressed OK, Directory then holding the folder.
  bool Execute();
  // The window while Execute runs, else null.
  TbsSelDirDlgForm* Form() const { return Form_; }

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  std::unique_ptr<TbsSelDirDlgForm> BuildForm();
  void BuildToolBar(TbsSelDirDlgForm& f);
  void ShowInTree(TbsSelDirDlgForm& f);

  TbsSkinData* SkinData_ = nullptr;
  TbsSkinData* CtrlSkinData_ = nullptr;
  spv::platform::TFont DefaultFont_;
  TbsSelDirDlgForm* Form_ = nullptr;
};

class TbsSkinDirectoryEdit : public TbsSkinEdit {
 public:
  explicit TbsSkinDirectoryEdit(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinDirectoryEdit() override;
  std::string_view ClassName() const override { return "TbsSkinDirectoryEdit"; }

  TbsSkinSelectDirectoryDialog& FolderDialog() const { return *FolderDialog_; }
  TbsSkinData* DlgSkinData() const { return DlgSkinData_; }
  void SetDlgSkinData(TbsSkinData* value);
  TbsSkinData* DlgCtrlSkinData() const { return DlgCtrlSkinData_; }
  void SetDlgCtrlSkinData(TbsSkinData* value);

  // The button's command: the chooser opens on the edit's text, and OK puts its folder there.
  void BrowseForFolder();

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  TbsSkinSelectDirectoryDialog* FolderDialog_;
  TbsSkinData* DlgSkinData_ = nullptr;
  TbsSkinData* DlgCtrlSkinData_ = nullptr;
};

// Makes the directory edit known to form descriptions.
void RegisterSkinShellClasses();

}  // namespace bs
