#pragma once
// The month calendar: a title with the month and year, a weekday header, six weeks of day
// numbers and four repeating buttons, on a panel, that step the month and the year; and the same calendar
// in a popup window that never takes activation, for the date field's drop-down.

#include "skin/controls/bsCalendarLayout.h"
#include "skin/controls/bsSkinPanel.h"
#include "skin/controls/bsSkinSpeedButton.h"

namespace bs {

class TbsSkinMonthCalendar : public TbsSkinPanel {
 public:
  explicit TbsSkinMonthCalendar(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinMonthCalendar"; }

  spv::base::TDateTime Date() const { return Date_; }
  void SetDate(spv::base::TDateTime value);
  TbsDaysOfWeek FirstDayOfWeek() const { return FirstDayOfWeek_; }
  void SetFirstDayOfWeek(TbsDaysOfWeek value);
  bool BoldDays() const { return BoldDays_; }
  void SetBoldDays(bool value);
  bool TodayDefault() const { return TodayDefault_; }
  void SetTodayDefault(bool value);
  TColor DayColor() const { return DayColor_; }
  TColor TitleColor() const { return TitleColor_; }

  TbsSkinSpeedButton* PriorMonthButton() const { return PriorMonthButton_; }
  TbsSkinSpeedButton* NextMonthButton() const { return NextMonthButton_; }
  TbsSkinSpeedButton* PriorYearButton() const { return PriorYearButton_; }
  TbsSkinSpeedButton* NextYearButton() const { return NextYearButton_; }
  // The grid of the last painting.
  const TbsMonthGrid& Grid() const { return Grid_; }
  // The day under a point of the control, or 0.
  int DayAt(int x, int y) const { return Grid_.DayAt(x, y); }
  // The panel's client rect at the current size.
  TRect CalendarClientRect() { return FromRECT(PanelClientRect()); }

  void SetSkinData(TbsSkinData* value) override;
  void ApplySkin() override;
  void Loaded() override;

  spv::platform::TNotifyEvent OnNumberClick;

 protected:
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void MouseUp(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void Resize() override;

 private:
  void PaintCalendar(TbsFBitmap& bitmap);
  void LayoutNavButtons();
  void Step(TDateParts (*step)(TDateParts));
  TbsSkinSpeedButton* AddNavButton(const wchar_t* glyph, unsigned interval, TDateParts (*step)(TDateParts));

  spv::base::TDateTime Date_ = 0;
  TbsDaysOfWeek FirstDayOfWeek_ = Sun;
  bool BoldDays_ = false, TodayDefault_ = false;
  TColor DayColor_ = 0, TitleColor_ = 0;
  TbsMonthGrid Grid_;
  TbsSkinSpeedButton *PriorMonthButton_ = nullptr, *NextMonthButton_ = nullptr, *PriorYearButton_ = nullptr,
                     *NextYearButton_ = nullptr;
};

class TbsSkinPopupMonthCalendar : public TbsSkinMonthCalendar {
 public:
  explicit TbsSkinPopupMonthCalendar(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinPopupMonthCalendar"; }

 protected:
  void CreateParams(spv::platform::TCreateParams& params) override;
  void WndProc(spv::platform::TMessage& message) override;
};

}  // namespace bs
