#pragma once
// The tab control: the common controls' tab window, which lays out the tabs and their rows,
// with its page as the client area of aligned children.

#include <windows.h>

#include "platform/Controls.h"

#include <string>
#include <vector>

namespace spv::platform {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TCustomTabControl : public TWinControl {
 public:
  explicit TCustomTabControl(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TCustomTabControl"; }

  const std::vector<std::wstring>& Tabs() const { return Tabs_; }
  void SetTabs(std::vector<std::wstring> tabs);
  void AddTab(std::wstring_view text);
  // -1 for none.
  int TabIndex() const;
  // Selects a tab without OnChanging or OnChange, as a program does.
  void SetTabIndex(int index);
  bool MultiLine() const { return MultiLine_; }
  void SetMultiLine(bool value);
  // 0: each tab as wide as its caption.
  int TabWidth() const { return TabWidth_; }
  void SetTabWidth(int value);
  // 0: the height of the font.
  int TabHeight() const { return TabHeight_; }
  void SetTabHeight(int value);
  TTabPosition TabPosition() const { return TabPosition_; }

  // The page: the client area without the tabs, where aligned children go.
  RECT DisplayRect();
  // Tab i's rectangle in client coordinates (empty for an invalid index).
  RECT TabRect(int index);
  // The tab under a client point, or -1.
  int IndexOfTabAt(int x, int y);
  int RowCount();

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void AlignControls(RECT& rect) override;
  // Asks OnChanging whether the selection may move.
  virtual bool CanChange();
  // The selection moved by the user.
  virtual void Change();
  // Gives the window the tab size; a descendant that sizes its tabs otherwise replaces it.
  virtual void UpdateTabSize();
  // TCM_SETITEMSIZE with w x h.
  void SendTabItemSize(int w, int h);

 private:
  void InsertTabs();
  // The selection as the window itself holds it.
  int WindowTabIndex() const;

  std::vector<std::wstring> Tabs_;
  int TabIndex_ = -1;
  bool MultiLine_ = false;
  int TabWidth_ = 0, TabHeight_ = 0;
  TTabPosition TabPosition_ = TTabPosition::tpTop;
};

}  // namespace spv::platform
