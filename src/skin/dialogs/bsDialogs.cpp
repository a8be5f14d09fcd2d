#include "skin/dialogs/bsDialogs.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/resources/bsconst.h"

namespace bs {

using spv::platform::TCloseAction;
using spv::platform::TComponent;
using spv::platform::TOperation;

TbsAverageChar AverageCharSize(HDC dc) {
  static constexpr wchar_t alphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size{};
  GetTextExtentPoint32W(dc, alphabet, 52, &size);
  return AverageCharFromExtent(size.cx, size.cy);
}

TbsSkinProgressDialog::TbsSkinProgressDialog(TComponent* owner)
    : TComponent(owner),
      Caption(spv::platform::Cp1251ToWide(BS_PROGRESS_CAPTION)),
      LabelCaption(spv::platform::Cp1251ToWide(BS_PROGRESS_LABEL)) {
  for (spv::platform::TFont* f : {&DefaultLabelFont_, &DefaultButtonFont_, &DefaultGaugeFont_}) f->SetName(L"Arial");
}

TbsSkinProgressDialog::~TbsSkinProgressDialog() {
  if (Form_) {
    // The window goes with the component; its handlers must not reach back into it.
    spv::platform::TForm* form = Form_;
    ForgetWindow();
    form->OnClose = nullptr;
    form->OnShow = nullptr;
    delete form;
  }
}

void TbsSkinProgressDialog::SetSkinData(TbsSkinData* value) {
  SkinData_ = value;
  if (value) FreeNotification(value);
}

void TbsSkinProgressDialog::SetCtrlSkinData(TbsSkinData* value) {
  CtrlSkinData_ = value;
  if (value) FreeNotification(value);
}

void TbsSkinProgressDialog::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == SkinData_) SkinData_ = nullptr;
  if (component == CtrlSkinData_) CtrlSkinData_ = nullptr;
  if (component == Form_) ForgetWindow();
}

void TbsSkinProgressDialog::ForgetWindow() {
  if (Form_) RemoveFreeNotification(Form_);
  Showing_ = false;
  Form_ = nullptr;
  Gauge_ = nullptr;
}

void TbsSkinProgressDialog::SetValue(int value) {
  Value_ = value;
  if (!Showing_ || !Gauge_) return;
  Gauge_->SetValue(value);
  Gauge_->Update();
  if (Gauge_->Value() != Gauge_->MaxValue()) return;
  if (ShowType == TbsPDShowType::stModal) Form_->SetModalResult(spv::platform::mrOk);
  else Form_->Close();
}

void TbsSkinProgressDialog::FormClosed(TCloseAction& action) {
  // Off the screen at once, whoever pumps the messages until the application frees it.
  if (Form_) Form_->Hide();
  ForgetWindow();
  // The value as the gauge held it: a value past the maximum finished the job, no cancel.
  if (!ProgressComplete(MinValue, MaxValue, Value_) && OnCancel) OnCancel(this);
  // Freed once the message that closed it is done, never inside its own button's click.
  action = TCloseAction::caFree;
}

void TbsSkinProgressDialog::BuildWindow() {
  using namespace spv::platform;
  const bool onTop = ShowType == TbsPDShowType::stStayOnTop;
  auto* form = new TForm(&Application());
  Form_ = form;
  FreeNotification(form);
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  if (onTop) {
    form->SetFormStyle(TFormStyle::fsStayOnTop);
    form->OnClose = [this](TObject*, TCloseAction& action) { FormClosed(action); };
  }
  form->SetCaption(Caption);
  form->SetPosition(TPosition::poScreenCenter);
  form->OnShow = [this](TObject*) {
    if (OnShow) OnShow(this);
  };

  auto* frame = new TbsSkinForm(form);
  frame->SetBorderIcons(0);
  if (!ShowCloseButton) frame->SetHideCaptionButtons(true);
  frame->SetAlphaBlend(AlphaBlend);
  frame->AlphaBlendAnimation = AlphaBlendAnimation;
  frame->SetAlphaBlendValue(AlphaBlendValue);
  frame->SetSkinData(SkinData_);
  frame->SetMenusSkinData(CtrlSkinData_);
  form->HandleNeeded();

  TbsAverageChar ch;
  {
    TbsFBitmap measure(1, 1);
    const HGDIOBJ old = SelectObject(measure.DC(), form->Font().Handle());
    ch = AverageCharSize(measure.DC());
    SelectObject(measure.DC(), old);
  }
  const TbsProgressLayout layout = LayoutProgressDialog(ch);
  form->SetClientWidth(layout.ClientWidth);

  auto* label = new TbsSkinStdLabel(form);
  label->Constraints.MaxWidth = layout.LabelMaxWidth;
  label->SetWordWrap(false);
  label->SetDefaultFont(DefaultLabelFont_);
  label->SetUseSkinFont(UseSkinFont);
  label->SetSkinDataName(LabelSkinDataName);
  label->SetParent(form);
  label->SetSkinData(CtrlSkinData_);
  label->SetCaption(LabelCaption);
  label->SetBounds(layout.LabelPos.X, layout.LabelPos.Y, label->Width(), label->Height());

  auto* gauge = new TbsSkinGauge(form);
  Gauge_ = gauge;
  gauge->SetMinValue(MinValue);
  gauge->SetMaxValue(MaxValue);
  gauge->SetShowPercent(ShowPercent);
  gauge->SetValue(Value_);
  gauge->SetDefaultFont(DefaultGaugeFont_);
  gauge->SetUseSkinFont(UseSkinFont);
  gauge->SetDefaultWidth(layout.GaugeWidth);
  gauge->SetSkinDataName(GaugeSkinDataName);
  gauge->SetParent(form);
  gauge->SetBounds(label->Left(), ProgressGaugeTop(label->Top() + label->Height()), layout.GaugeWidth,
                   gauge->Height());
  gauge->SetSkinData(CtrlSkinData_);
  const RECT g = gauge->BoundsRect();
  const TRect gaugeRect{int(g.left), int(g.top), int(g.right), int(g.bottom)};

  if (ShowCancelButton) {
    auto* button = new TbsSkinButton(form);
    button->SetDefaultFont(DefaultButtonFont_);
    button->SetUseSkinFont(UseSkinFont);
    std::wstring caption = Cp1251ToWide(BS_MSG_BTN_CANCEL);
    if (CtrlSkinData_ && CtrlSkinData_->ResourceStrData())
      caption = Cp1251ToWide(CtrlSkinData_->ResourceStrData()->GetResStr("MSG_BTN_CANCEL"));
    button->SetCaption(caption);
    button->ModalResult = mrCancel;
    button->Cancel = true;
    if (onTop)
      // Only closes: the close handler reports the cancel, once.
      button->OnClick = [this](TObject*) {
        if (Form_) Form_->Close();
      };
    const TRect r = ProgressButtonRect(gaugeRect, layout.ButtonWidth, layout.ButtonHeight);
    button->SetDefaultWidth(r.Width());
    button->SetDefaultHeight(r.Height());
    button->SetParent(form);
    button->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    button->SetSkinDataName(ButtonSkinDataName);
    button->SetSkinData(CtrlSkinData_);
    const RECT b = button->BoundsRect();
    const TRect placed{int(b.left), int(b.top), int(b.right), int(b.bottom)};
    form->SetClientHeight(ProgressClientHeight(gaugeRect, &placed));
    form->SetActiveControl(button);
  } else {
    form->SetClientHeight(ProgressClientHeight(gaugeRect, nullptr));
  }
}

bool TbsSkinProgressDialog::ShowProgress() {
  if (Showing_) return false;
  BuildWindow();
  Showing_ = true;
  if (ShowType == TbsPDShowType::stStayOnTop) {
    Form_->Show();
    return false;
  }
  spv::platform::TForm* form = Form_;
  spv::platform::TModalResult result = spv::platform::mrCancel;
  try {
    result = form->ShowModal();
  } catch (...) {
    ForgetWindow();
    delete form;
    throw;
  }
  ForgetWindow();
  delete form;
  return result == spv::platform::mrOk;
}

bool TbsSkinProgressDialog::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  const std::string& n = p.Name;
  auto font = [&](std::string_view prefix, spv::platform::TFont& f, bool& handled) {
    if (n.size() > prefix.size() && SameIdent(n.substr(0, prefix.size()), prefix)) {
      handled = f.ReadProperty(std::string_view(n).substr(prefix.size()), p);
      return true;
    }
    return false;
  };
  bool handled = true;
  if (SameIdent(n, "ShowCancelButton")) ShowCancelButton = p.Boolean();
  else if (SameIdent(n, "ShowCloseButton")) ShowCloseButton = p.Boolean();
  else if (SameIdent(n, "ShowType")) {
    static constexpr spv::platform::TEnumName<TbsPDShowType> names[] = {{"stStayOnTop", TbsPDShowType::stStayOnTop},
                                                                         {"stModal", TbsPDShowType::stModal}};
    ShowType = p.Enum<TbsPDShowType>(names);
  }
  else if (SameIdent(n, "Caption")) Caption = p.String();
  else if (SameIdent(n, "LabelCaption")) LabelCaption = p.String();
  else if (SameIdent(n, "ShowPercent")) ShowPercent = p.Boolean();
  else if (SameIdent(n, "MinValue")) MinValue = p.Int();
  else if (SameIdent(n, "MaxValue")) MaxValue = p.Int();
  else if (SameIdent(n, "Value")) SetValue(p.Int());
  else if (SameIdent(n, "AlphaBlend")) AlphaBlend = p.Boolean();
  else if (SameIdent(n, "AlphaBlendAnimation")) AlphaBlendAnimation = p.Boolean();
  else if (SameIdent(n, "AlphaBlendValue")) AlphaBlendValue = BYTE(p.Int());
  else if (SameIdent(n, "SkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (SameIdent(n, "CtrlSkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetCtrlSkinData(d); });
  else if (SameIdent(n, "ButtonSkinDataName")) ButtonSkinDataName = spv::platform::WideToCp1251(p.String());
  else if (SameIdent(n, "LabelSkinDataName")) LabelSkinDataName = spv::platform::WideToCp1251(p.String());
  else if (SameIdent(n, "GaugeSkinDataName")) GaugeSkinDataName = spv::platform::WideToCp1251(p.String());
  else if (SameIdent(n, "UseSkinFont")) UseSkinFont = p.Boolean();
  else if (font("DefaultLabelFont.", DefaultLabelFont_, handled) || font("DefaultButtonFont.", DefaultButtonFont_, handled) ||
           font("DefaultGaugeFont.", DefaultGaugeFont_, handled))
    return handled;
  else return TComponent::ReadProperty(p, reader);
  return true;
}

void RegisterSkinDialogClasses() {
  static const bool done = [] {
    spv::platform::TClassRegistry::Instance().Register<TbsSkinProgressDialog>("TbsSkinProgressDialog");
    return true;
  }();
  (void)done;
}

}  // namespace bs
