#include "skin/controls/bsSkinDateEdit.h"

#include "platform/FormReader.h"
#include "platform/Locale.h"

#include <algorithm>

namespace bs {

using namespace spv::platform;

namespace {

// A month written as a name: the first part of the date's text that is not digits alone.
std::wstring MonthNameOf(spv::base::TDateTime date) {
  const TFormatSettings& fs = FormatSettings();
  const std::wstring text = DateToStr(date);
  std::wstring part;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == fs.DateSeparator) {
      if (!part.empty() && !std::all_of(part.begin(), part.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return part;
      part.clear();
    } else {
      part += text[i];
    }
  }
  return {};
}

std::wstring Lower(std::wstring_view s) {
  std::wstring r(s);
  CharLowerBuffW(r.data(), DWORD(r.size()));
  return r;
}

// 1 to 12 for a month name of the locale, 0 for none.
int MonthOfName(std::wstring_view name) {
  for (int m = 1; m <= 12; ++m)
    if (const auto d = spv::base::EncodeDate(9999, m, 1); d && Lower(MonthNameOf(*d)) == Lower(name)) return m;
  return 0;
}

constexpr TEnumName<TbsDaysOfWeek> kDayNames[] = {{"Sun", Sun}, {"Mon", Mon}, {"Tue", Tue}, {"Wed", Wed},
                                                  {"Thu", Thu}, {"Fri", Fri}, {"Sat", Sat}};

}  // namespace

TbsDateTemplate TbsSkinDateEdit::LocaleDateTemplate() {
  return ReadDateTemplate(DateToStr(*spv::base::EncodeDate(9999, 12, 31)), FormatSettings().DateSeparator);
}

TbsSkinDateEdit::TbsSkinDateEdit(TComponent* owner) : TbsSkinCustomEdit(owner) {
  SetEditMask(BuildDateMask());
  SetButtonMode(true);
  SetSkinDataName("buttonedit");
  Calendar_ = new TbsSkinPopupMonthCalendar(this);
  Calendar_->SetParent(this);
  Calendar_->SetDate(0);
  Calendar_->OnNumberClick = [this](TObject*) { CloseCalendar(true); };
  OnButtonClick = [this](TObject*) { ToggleCalendar(); };
  OnKeyPress = [this](TObject*, wchar_t& key) { FilterDateKey(key); };
}

void TbsSkinDateEdit::FireDateChange() {
  if (OnDateChange) OnDateChange(this);
}

void TbsSkinDateEdit::SetDate(spv::base::TDateTime value) {
  Calendar_->SetDate(value);
  UpdatingText_ = true;
  if (!Loading() || TodayDefault_) SetText(DateToStr(value));
  UpdatingText_ = false;
  FireDateChange();
}

void TbsSkinDateEdit::SetTodayDefault(bool value) {
  TodayDefault_ = value;
  if (value) SetDate(spv::platform::Date());
}

void TbsSkinDateEdit::Loaded() {
  TbsSkinCustomEdit::Loaded();
  SetEditMask(BuildDateMask());
  if (TodayDefault_) SetDate(spv::platform::Date());
}

void TbsSkinDateEdit::FilterDateKey(wchar_t& key) {
  if (DateFilterPassesUntouched(key)) return;
  if (!ValidateDateText(DateKeyCandidate(Text(), SelStart(), key), LocaleDateTemplate())) key = 0;
}

void TbsSkinDateEdit::Change() {
  TbsSkinCustomEdit::Change();
  if (UpdatingText_) return;
  const TbsDateTemplate t = LocaleDateTemplate();
  if (IsCompleteDate(Text(), t, [](std::wstring_view n) { return MonthOfName(n) != 0; })) ApplyTextDate();
}

void TbsSkinDateEdit::ApplyTextDate() {
  const spv::base::TDateTime old = Date();
  const std::wstring text = Text();
  const TbsDateTemplate t = LocaleDateTemplate();
  try {
    if (t.Numeric) {
      Calendar_->SetDate(StrToDate(text));
    } else {
      // Day, month name and year in the template's order; the year as written.
      std::vector<std::wstring> parts(1);
      for (wchar_t c : text)
        if (c == t.Separator) parts.emplace_back();
        else parts.back() += c;
      int day = 0, month = 1, year = 0;
      for (std::size_t i = 0; i < 3 && i < parts.size(); ++i) {
        if (t.Kinds[i] == TbsDatePartKind::dpNameMonth) month = std::max(1, MonthOfName(parts[i]));
        else if (t.Kinds[i] == TbsDatePartKind::dpDay) day = std::stoi(parts[i]);
        else if (t.Kinds[i] == TbsDatePartKind::dpYear) year = std::stoi(parts[i]);
      }
      const auto d = spv::base::EncodeDate(year, month, day);
      if (!d) throw EConvertError(L"Invalid argument to date encode");
      Calendar_->SetDate(*d);
    }
  } catch (...) {
    if (Date() != old) FireDateChange();
    throw;
  }
  if (Date() != old) FireDateChange();
}

void TbsSkinDateEdit::ButtonPressed() { OpenAtPress_ = Calendar_->Visible(); }

void TbsSkinDateEdit::ToggleCalendar() {
  // A press while the calendar was open closes it, even when something closed it already
  // between the press and the release.
  const bool wasOpen = OpenAtPress_;
  OpenAtPress_ = false;
  if (Calendar_->Visible()) CloseCalendar(false);
  else if (!wasOpen) OpenCalendar();
}

void TbsSkinDateEdit::OpenCalendar() {
  if (!TodayDefault_) {
    SavedDate_ = Calendar_->Date();
    if (SavedDate_ == 0 && Text().find(L' ') != std::wstring::npos) Calendar_->SetDate(spv::platform::Date());
  }
  RECT r;
  GetWindowRect(Handle(), &r);
  int y = r.top + Height();
  if (y + Calendar_->Height() > GetSystemMetrics(SM_CYSCREEN)) y = r.top - Calendar_->Height();
  HWND window = Calendar_->Handle();
  const bool layered = AlphaBlend && IsWin2000OrLater();
  if (layered) {
    SetLayeredStyle(window, true);
    SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
  }
  Calendar_->SetSkinData(SkinData());
  Calendar_->SetBounds(r.left, y, Calendar_->Width(), Calendar_->Height());
  SetWindowPos(window, HWND_TOPMOST, r.left, y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
  Calendar_->SetVisible(true);
  if (layered) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (!AlphaBlendAnimation) {
      SetLayeredWindowAttributes(window, 0, AlphaBlendValue, LWA_ALPHA);
    } else {
      int alpha = 0;
      DWORD last = GetTickCount();
      while (alpha < AlphaBlendValue) {
        if (GetTickCount() - last > 5) {
          alpha = std::min(alpha + 10, int(AlphaBlendValue));
          SetLayeredWindowAttributes(window, 0, BYTE(alpha), LWA_ALPHA);
          last = GetTickCount();
        }
      }
    }
  }
}

void TbsSkinDateEdit::CloseCalendar(bool accept) {
  if (!Calendar_->Visible()) return;
  Calendar_->SetVisible(false);
  if (AlphaBlend && IsWin2000OrLater() && Calendar_->HandleAllocated()) {
    SetLayeredStyle(Calendar_->Handle(), false);
  }
  if (accept) {
    UpdatingText_ = true;
    SetText(DateToStr(Calendar_->Date()));
    UpdatingText_ = false;
    FireDateChange();
  } else if (!TodayDefault_) {
    Calendar_->SetDate(SavedDate_);
  }
  if (CanFocus() && !Focused()) SetFocus();
}

void TbsSkinDateEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
      TbsSkinCustomEdit::WndProc(m);
      CloseCalendar(false);
      return;
    case WM_KILLFOCUS: {
      TbsSkinCustomEdit::WndProc(m);
      const HWND to = reinterpret_cast<HWND>(m.WParam);
      if (Calendar_->Visible() && !(Calendar_->HandleAllocated() && to == Calendar_->Handle())) CloseCalendar(false);
      else if (TodayDefault_ && !Calendar_->Visible()) {
        UpdatingText_ = true;
        SetText(DateToStr(Date()));
        UpdatingText_ = false;
      }
      return;
    }
    case CM_CANCELMODE: {
      auto* sender = reinterpret_cast<TControl*>(m.LParam);
      bool inside = false;
      for (TControl* c = sender; c; c = c->Parent())
        if (c == Calendar_) inside = true;
      if (!inside) CloseCalendar(false);
      return;
    }
    default: break;
  }
  TbsSkinCustomEdit::WndProc(m);
}

bool TbsSkinDateEdit::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "EditMask")) return true;  // made from the running locale instead
  if (SameIdent(p.Name, "TodayDefault")) TodayDefault_ = p.Boolean();
  else if (SameIdent(p.Name, "AlphaBlend")) AlphaBlend = p.Boolean();
  else if (SameIdent(p.Name, "AlphaBlendAnimation")) AlphaBlendAnimation = p.Boolean();
  else if (SameIdent(p.Name, "AlphaBlendValue")) AlphaBlendValue = BYTE(p.Int());
  else if (SameIdent(p.Name, "CalendarWidth")) SetCalendarWidth(p.Int());
  else if (SameIdent(p.Name, "CalendarHeight")) SetCalendarHeight(p.Int());
  else if (SameIdent(p.Name, "CalendarBoldDays")) SetCalendarBoldDays(p.Boolean());
  else if (SameIdent(p.Name, "CalendarUseSkinFont")) SetCalendarUseSkinFont(p.Boolean());
  else if (SameIdent(p.Name, "CalendarSkinDataName")) SetCalendarSkinDataName(WideToCp1251(p.String()));
  else if (SameIdent(p.Name, "FirstDayOfWeek")) SetFirstDayOfWeek(p.Enum<TbsDaysOfWeek>(kDayNames));
  else if (SameIdent(p.Name, "OnDateChange")) OnDateChange = reader.Method(p);
  else if (auto member = p.Member("CalendarFont")) return CalendarFont().ReadProperty(*member, p);
  else return TbsSkinCustomEdit::ReadProperty(p, reader);
  return true;
}

}  // namespace bs
