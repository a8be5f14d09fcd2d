#pragma once
// The native single-line edit window, with an optional edit mask (base/EditMask.h). With a
// mask the text always has the mask's length: typing overwrites the position at the caret and
// skips literals, Backspace and Delete blank positions, a paste types its characters one by
// one through the same key handling (so a pasted line break goes nowhere).

#include <windows.h>

#include "base/EditMask.h"
#include "platform/Controls.h"

#include <string>

namespace spv::platform {

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomMaskEdit : public TWinControl {
 public:
  explicit TCustomMaskEdit(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TCustomMaskEdit"; }

  const std::wstring& EditMask() const { return EditMask_; }
  void SetEditMask(std::wstring_view mask);
  const base::TEditMask& Mask() const { return Mask_; }
  // The window's text (the caption while there is no window); with a mask, fitted to it.
  std::wstring Text() const;
  void SetText(std::wstring_view text);

  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return MaxLength_; }
  void SetMaxLength(int value);
  bool AutoSelect = true;
  bool HideSelection = true;
  TEditCharCase CharCase = TEditCharCase::ecNormal;
  wchar_t PasswordChar = 0;

  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  void SelectAll() { SetSel(0, -1); }
  bool CanUndo() const;
  bool Modified() const;

  TNotifyEvent OnChange;

  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void DoEnter() override;
  // After every change of the text.
  virtual void Change();
  // The mask's check when the field is left; nothing by default.
  virtual void ValidateEdit() {}
  // Extra window styles of descendants (alignment).
  virtual DWORD EditStyle() const { return ES_LEFT; }

 private:
  // Types one character with the mask: true when it went in.
  bool MaskedChar(wchar_t c);
  void MaskedBackspace();
  // Blanks the selection (or the position at the caret when nothing is selected).
  void MaskedClear(bool atCaret);
  void MaskedPaste();
  void PutMaskedText(const std::wstring& text, int caret);

  std::wstring EditMask_;
  base::TEditMask Mask_;
  bool ReadOnly_ = false;
  int MaxLength_ = 0;
};

}  // namespace spv::platform
