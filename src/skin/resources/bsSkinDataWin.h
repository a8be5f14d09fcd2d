#pragma once
// The skin data holder, the stored skin and the string table as components of the window
// layer: they have owners and names, are read from form descriptions, forget components that
// are freed, and the holder announces every change of skin to the forms of the application.

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "skin/resources/bsSkinData.h"
#include "skin/resources/bsSkinDataStrings.h"

namespace bs {

// Carries a skin inside the program; its CompressedData comes from the form description.
class TbsCompressedStoredSkin : public spv::platform::TComponent, public TbsCompressedStoredSkinCore {
 public:
  explicit TbsCompressedStoredSkin(spv::platform::TComponent* owner = nullptr) : TComponent(owner) {}
  std::string_view ClassName() const override { return "TbsCompressedStoredSkin"; }
  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;
};

class TbsResourceStrData : public spv::platform::TComponent, public TbsResourceStrDataCore {
 public:
  explicit TbsResourceStrData(spv::platform::TComponent* owner = nullptr) : TComponent(owner) {}
  std::string_view ClassName() const override { return "TbsResourceStrData"; }
  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;
};

// One loaded skin. The skin messages carry this object (TbsSkinData*) in wParam and
// SkinMessageLParam in lParam; they go to the owner form first, then to every other form in
// the order the forms were created, each synchronously.
class TbsSkinData : public spv::platform::TComponent, public TbsSkinDataCore {
 public:
  explicit TbsSkinData(spv::platform::TComponent* owner = nullptr) : TComponent(owner) {}
  std::string_view ClassName() const override { return "TbsSkinData"; }

  TbsCompressedStoredSkin* CompressedStoredSkin() const { return CompressedStoredSkin_; }
  // Stores the reference and, when it is set, loads that skin at once.
  void SetCompressedStoredSkin(TbsCompressedStoredSkin* stored);
  TbsResourceStrData* ResourceStrData() const { return ResourceStrData_; }
  // Stores the reference and tells the forms that the strings changed.
  void SetResourceStrData(TbsResourceStrData* strings);

  // The holder a skin message names, or null for a message that is not one of ours.
  static TbsSkinData* FromMessage(WPARAM wParam, LPARAM lParam);

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void BroadcastSkinMessage(unsigned msg) override;
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  TbsCompressedStoredSkin* CompressedStoredSkin_ = nullptr;
  TbsResourceStrData* ResourceStrData_ = nullptr;
};

// Makes the three classes known to form descriptions.
void RegisterSkinDataClasses();

// A user-visible text of the skin library: the string table's entry `key` when the skin has a
// table, the built-in English `builtIn` otherwise. Both are Windows-1251.
std::wstring SkinText(const TbsSkinData* skin, std::string_view key, std::string_view builtIn);

}  // namespace bs
