#pragma once
// The label: a control without a window that shows its caption on its parent.

#include <windows.h>

#include "platform/Controls.h"

namespace spv::platform {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TCustomLabel"; }

  // With AutoSize the label takes the size of its text (the width too unless WordWrap).
  bool AutoSize() const { return AutoSize_; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return Layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return WordWrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return ShowAccelChar_; }
  void SetShowAccelChar(bool value);
  // Transparent: the parent shows between the letters; else the label fills with its colour.
  bool Transparent() const { return Transparent_; }
  void SetTransparent(bool value);
  TWinControl* FocusControl = nullptr;

  // Fits the size to the text when AutoSize is on.
  void AdjustBounds();
  void Paint() override;

  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;
  void Loaded() override;

 protected:
  // The DrawText flags of the label's alignment, wrapping and accelerator settings.
  UINT DrawTextFlags() const;
  // Draws (or, with DT_CALCRECT in `flags`, measures) the caption in `r` on `canvas`: the
  // label's font, and a disabled label embossed in the system's highlight and shadow.
  virtual void DoDrawText(TCanvas& canvas, RECT& r, UINT flags);
  void TextChanged() override;
  void WndProc(TMessage& message) override;

 private:
  bool AutoSize_ = true, WordWrap_ = false, ShowAccelChar_ = true, Transparent_ = false;
  TAlignment Alignment_ = TAlignment::taLeftJustify;
  TTextLayout Layout_ = TTextLayout::tlTop;
};

}  // namespace spv::platform
