#pragma once
// What every skinned control base does with its skin, windowed or not: it holds the skin data
// holder and forgets it when the holder goes, finds its description by name at every paint,
// and composes its picture off-screen, from the description or from its own default look.

#include <windows.h>

#include "platform/Classes.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinDataControls.h"
#include "skin/resources/bsUtilsWin.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace bs {

// Base is the window layer's control class the skinned control stands on (a control with a
// window, or one drawn on its parent's canvas).
template <typename Base>
class TbsSkinLinkedControl : public Base, public TbsSkinClient {
 public:
  explicit TbsSkinLinkedControl(spv::platform::TComponent* owner) : Base(owner) {}
  ~TbsSkinLinkedControl() override {
    if (SkinData_) this->RemoveFreeNotification(SkinData_);
  }

  TbsSkinData* SkinData() const override { return SkinData_; }
  virtual void SetSkinData(TbsSkinData* value) {
    if (SkinData_) this->RemoveFreeNotification(SkinData_);
    SkinData_ = value;
    if (value) this->FreeNotification(value);
    if (value && !value->IsEmpty && !(this->ComponentState() & spv::platform::csDesigning)) ApplySkin();
  }
  const std::string& SkinDataName() const { return SkinDataName_; }
  // Takes effect at the next ReadSkinObject.
  virtual void SetSkinDataName(std::string_view name) { SkinDataName_ = name; }
  int SkinObjectIndex() const { return SkinObjectIndex_; }

  // Finds the description by name (and, in descendants, copies its values).
  virtual void ReadSkinObject() {
    SkinObjectIndex_ = !SkinData_ || SkinData_->IsEmpty ? -1 : SkinData_->FindSkinControl(SkinDataName_);
  }
  // The skin-change walk: ForgetSkinObject before a change, ApplySkin after it.
  void ApplySkin() override {
    ReadSkinObject();
    this->Invalidate();
  }
  void ForgetSkinObject() override { SkinObjectIndex_ = -1; }

  // The picture the control shows now, composed as a paint composes it (empty for no size).
  TbsFBitmap Snapshot() {
    TbsFBitmap bitmap;
    if (this->Width() > 0 && this->Height() > 0) Compose(bitmap);
    return bitmap;
  }

 protected:
  virtual void PaintDefaultLook(TbsFBitmap&) {}
  virtual void PaintSkinLook(TbsFBitmap&) {}

  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override {
    Base::Notification(component, operation);
    if (operation == spv::platform::TOperation::opRemove && component == SkinData_) {
      SkinData_ = nullptr;
      SkinObjectIndex_ = -1;
      if (!this->Destroying()) this->Invalidate();
    }
  }
  const TbsDataSkinControl* SkinObject() const {
    if (!SkinData_ || SkinObjectIndex_ < 0 || SkinObjectIndex_ >= int(SkinData_->SkinControls.size())) return nullptr;
    return SkinData_->SkinControls[std::size_t(SkinObjectIndex_)].get();
  }
  // The look of the moment in `bitmap`, sized to the control.
  void Compose(TbsFBitmap& bitmap) {
    ReadSkinObject();
    bitmap.SetSize(this->Width(), this->Height());
    if (SkinObjectIndex_ < 0) PaintDefaultLook(bitmap);
    else PaintSkinLook(bitmap);
    GdiFlush();
  }

  int SkinObjectIndex_ = -1;
  std::string SkinDataName_;

 private:
  TbsSkinData* SkinData_ = nullptr;
};

}  // namespace bs
