#pragma once
// The date field: a skinned edit with a button whose text is a masked date in the locale's
// short date format. Keys that would make an impossible date part are dropped; a whole date
// becomes the field's Date; the button drops a month calendar down under the field.

#include "skin/controls/bsCalendar.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace bs {

class TbsSkinDateEdit : public TbsSkinCustomEdit {
 public:
  explicit TbsSkinDateEdit(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinDateEdit"; }

  spv::base::TDateTime Date() const { return Calendar_->Date(); }
  void SetDate(spv::base::TDateTime value);
  bool TodayDefault() const { return TodayDefault_; }
  void SetTodayDefault(bool value);
  bool AlphaBlend = false, AlphaBlendAnimation = false;
  BYTE AlphaBlendValue = 0;
  TbsSkinPopupMonthCalendar* Calendar() const { return Calendar_; }
  int CalendarWidth() const { return Calendar_->Width(); }
  void SetCalendarWidth(int value) { Calendar_->SetWidth(value); }
  int CalendarHeight() const { return Calendar_->Height(); }
  void SetCalendarHeight(int value) { Calendar_->SetHeight(value); }
  spv::platform::TFont& CalendarFont() { return Calendar_->DefaultFont(); }
  bool CalendarBoldDays() const { return Calendar_->BoldDays(); }
  void SetCalendarBoldDays(bool value) { Calendar_->SetBoldDays(value); }
  bool CalendarUseSkinFont() const { return Calendar_->UseSkinFont(); }
  void SetCalendarUseSkinFont(bool value) { Calendar_->SetUseSkinFont(value); }
  const std::string& CalendarSkinDataName() const { return Calendar_->SkinDataName(); }
  void SetCalendarSkinDataName(std::string_view name) { Calendar_->SetSkinDataName(name); }
  TbsDaysOfWeek FirstDayOfWeek() const { return Calendar_->FirstDayOfWeek(); }
  void SetFirstDayOfWeek(TbsDaysOfWeek value) { Calendar_->SetFirstDayOfWeek(value); }

  // The locale's date template and the mask made from it.
  static TbsDateTemplate LocaleDateTemplate();
  static std::wstring BuildDateMask() { return bs::BuildDateMask(LocaleDateTemplate()); }

  void ToggleCalendar();
  void OpenCalendar();
  void CloseCalendar(bool accept);

  spv::platform::TNotifyEvent OnDateChange;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;
  void Loaded() override;

 protected:
  void Change() override;
  void WndProc(spv::platform::TMessage& message) override;
  void ButtonPressed() override;

 private:
  void FilterDateKey(wchar_t& key);
  void ApplyTextDate();
  void FireDateChange();

  TbsSkinPopupMonthCalendar* Calendar_ = nullptr;
  bool UpdatingText_ = false, TodayDefault_ = false, OpenAtPress_ = false;
  spv::base::TDateTime SavedDate_ = 0;
};

}  // namespace bs
