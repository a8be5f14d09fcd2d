#pragma once
// The bevel: lines or a frame without a window, drawn on the parent in two colours.

#include <windows.h>

#include "platform/Controls.h"

namespace spv::platform {

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TBevel"; }

  TBevelShape Shape() const { return Shape_; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return Style_; }
  void SetStyle(TBevelStyle value);

  void Paint() override;
  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;

 protected:
  // The colours of the lines: highlight and shadow of the system by default.
  virtual TColor LightColor() const { return clBtnHighlight; }
  virtual TColor DarkColor() const { return clBtnShadow; }
  // The polyline (l, b) -> (l, t) -> (r, t) in `first`, then (r, t) -> (r, b) -> (l, b) in
  // `second`.
  void FrameLines(int l, int t, int r, int b, TColor first, TColor second);

 private:
  TBevelShape Shape_ = TBevelShape::bsBox;
  TBevelStyle Style_ = TBevelStyle::bsLowered;
};

}  // namespace spv::platform
