#include "skin/dialogs/bsMessages.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/resources/bsUtilsWin.h"
#include "skin/resources/bsconst.h"

#include <algorithm>

namespace bs {

using spv::platform::TComponent;
using spv::platform::TOperation;

// ---- The icon ---------------------------------------------------------------------------------

void TbsMessageIcon::SetIcon(HICON icon) {
  Icon_ = icon;
  Invalidate();
}

void TbsMessageIcon::Paint() {
  if (Icon_) DrawIconEx(Canvas().Handle(), 0, 0, Icon_, 32, 32, 0, nullptr, DI_NORMAL);
}

// ---- The form ---------------------------------------------------------------------------------

TbsMessageForm::TbsMessageForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(spv::platform::TFormBorderStyle::bsDialog);
  SetPosition(spv::platform::TPosition::poScreenCenter);
  KeyPreview = true;
}

// ---- Texts ------------------------------------------------------------------------------------

namespace {

// The system icon of a kind; none for the custom kind.
HICON KindIcon(TMsgDlgType kind) {
  WORD id = 0;
  switch (kind) {
    case TMsgDlgType::mtWarning: id = 32515; break;
    case TMsgDlgType::mtError: id = 32513; break;
    case TMsgDlgType::mtInformation: id = 32516; break;
    case TMsgDlgType::mtConfirmation: id = 32514; break;
    case TMsgDlgType::mtCustom: return nullptr;
  }
  return static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, LR_SHARED));
}

}  // namespace

std::wstring MessageButtonCaption(TMsgDlgBtn button, const TbsSkinData* ctrlSkinData) {
  return SkinText(ctrlSkinData, MessageButtonResKey(button), MessageButtonBuiltInCaption(button));
}

std::wstring MessageBoxCaption(TMsgDlgType kind, const TbsSkinData* ctrlSkinData) {
  if (kind == TMsgDlgType::mtCustom) return spv::platform::Application().Title;
  return SkinText(ctrlSkinData, MessageBoxResKey(kind), MessageBoxBuiltInCaption(kind));
}

// ---- The component ----------------------------------------------------------------------------

TbsSkinMessage::TbsSkinMessage(TComponent* owner) : TComponent(owner) {
  for (spv::platform::TFont* f : {&DefaultFont_, &DefaultButtonFont_}) {
    f->SetName(L"Arial");
    f->SetHeight(14);
  }
}

TbsSkinMessage::~TbsSkinMessage() {
  if (SkinData_) RemoveFreeNotification(SkinData_);
  if (CtrlSkinData_ && CtrlSkinData_ != SkinData_) RemoveFreeNotification(CtrlSkinData_);
}

void TbsSkinMessage::SetSkinData(TbsSkinData* value) {
  if (SkinData_ && SkinData_ != CtrlSkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) FreeNotification(value);
}

void TbsSkinMessage::SetCtrlSkinData(TbsSkinData* value) {
  if (CtrlSkinData_ && CtrlSkinData_ != SkinData_) RemoveFreeNotification(CtrlSkinData_);
  CtrlSkinData_ = value;
  if (value) FreeNotification(value);
}

void TbsSkinMessage::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == SkinData_) SkinData_ = nullptr;
  if (component == CtrlSkinData_) CtrlSkinData_ = nullptr;
}

int TbsSkinMessage::ButtonHeight() const {
  if (CtrlSkinData_ && !CtrlSkinData_->IsEmpty) {
    const int i = CtrlSkinData_->FindSkinControl(ButtonSkinDataName);
    if (i >= 0)
      if (const auto* b = dynamic_cast<const TbsDataSkinButtonControl*>(CtrlSkinData_->SkinControls[std::size_t(i)].get()))
        return b->SkinRect.Height();
  }
  return MessageButtonDefaultHeight;
}

std::unique_ptr<TbsMessageForm> TbsSkinMessage::BuildMessageForm(std::wstring_view text, TMsgDlgType kind,
                                                                 TMsgDlgButtons buttons) {
  auto form = std::make_unique<TbsMessageForm>(&spv::platform::Application());
  TbsMessageForm& f = *form;
  f.SkinForm = new TbsSkinForm(&f);
  f.SkinForm->SetBorderIcons(0);
  f.SkinForm->SetAlphaBlend(AlphaBlend);
  f.SkinForm->AlphaBlendAnimation = AlphaBlendAnimation;
  f.SkinForm->SetAlphaBlendValue(AlphaBlendValue);
  f.SkinForm->SetSkinData(SkinData_);
  f.SkinForm->SetMenusSkinData(CtrlSkinData_);
  f.SetCaption(MessageBoxCaption(kind, CtrlSkinData_));
  // The window first, so that the label measures its text and the client size is the frame's.
  f.HandleNeeded();

  const int buttonHeight = ButtonHeight();

  f.Message = new TbsSkinStdLabel(&f);
  TbsSkinStdLabel& label = *f.Message;
  label.SetName("Message");
  label.Font().Assign(DefaultFont_);
  label.SetDefaultFont(DefaultFont_);
  label.SetUseSkinFont(UseSkinFont);
  label.SetSkinDataName(MessageLabelSkinDataName);
  // A message shows its text as it is: "D:\R&B\" is a path, not an accelerator.
  label.SetShowAccelChar(false);
  label.SetParent(&f);
  label.SetSkinData(CtrlSkinData_);
  label.SetCaption(text);
  label.SetBounds(MessageLabelPos.X, MessageLabelPos.Y, label.Width(), label.Height());

  TbsMessageBoxInput in;
  in.TextWidth = label.Width();
  in.TextHeight = label.Height();
  in.Buttons = buttons;
  in.ButtonHeight = buttonHeight;
  in.ShowAgainFlag = ShowAgainFlag;
  if (ShowAgainFlag) {
    f.CheckBox = new TbsSkinCheckRadioBox(&f);
    TbsSkinCheckRadioBox& box = *f.CheckBox;
    box.SetName("checkbox");
    box.SetChecked(!ShowAgainFlagValue);
    box.SetDefaultFont(DefaultFont_);
    box.SetUseSkinFont(UseSkinFont);
    box.SetSkinData(CtrlSkinData_);
    // Unlike the other texts, a missing key falls back to the built-in one.
    std::wstring flag = SkinText(CtrlSkinData_, "MSG_CAP_SHOWFLAG", BS_MSG_CAP_SHOWFLAG);
    if (flag.empty()) flag = spv::platform::Cp1251ToWide(BS_MSG_CAP_SHOWFLAG);
    box.SetCaption(flag);
    spv::platform::TFont font;
    box.CaptionFont(font);
    TbsFBitmap measure(1, 1);
    const HGDIOBJ old = SelectObject(measure.DC(), font.Handle());
    in.CheckTextWidth = WideTextWidth(measure.DC(), box.Caption());
    SelectObject(measure.DC(), old);
  }
  const TbsMessageBoxLayout layout = LayoutMessageBox(in);

  if (HICON icon = KindIcon(kind)) {
    f.Image = new TbsMessageIcon(&f);
    f.Image->SetName("Image");
    f.Image->SetParent(&f);
    f.Image->SetBounds(layout.Icon.Left, layout.Icon.Top, layout.Icon.Width(), layout.Icon.Height());
    f.Image->SetIcon(icon);
  }
  if (f.CheckBox) {
    f.CheckBox->SetParent(&f);
    f.CheckBox->SetBounds(layout.CheckBox.Left, layout.CheckBox.Top, layout.CheckBox.Width(),
                          layout.CheckBox.Height());
  }

  f.SetClientSize(layout.ClientWidth, layout.ClientHeight);
  const int width = FitMessageFormWidth(f.Width(), f.SkinForm->GetMinWidth(), f.SkinForm->GetMaxWidth());
  if (width != f.Width()) f.SetWidth(width);

  const std::optional<TMsgDlgBtn> defaultButton = DefaultMessageButton(buttons);
  const std::optional<TMsgDlgBtn> cancelButton = CancelMessageButton(buttons);
  for (const auto& [kindOfButton, r] : LayoutMessageButtons(buttons, f.ClientWidth(), f.ClientHeight(), buttonHeight)) {
    auto* b = new TbsSkinButton(&f);
    b->SetName(MessageButtonName(kindOfButton));
    b->SetCanFocused(true);
    b->SetCaption(MessageButtonCaption(kindOfButton, CtrlSkinData_));
    b->ModalResult = MessageButtonResult(kindOfButton);
    b->SetDefault(kindOfButton == defaultButton);
    b->Cancel = kindOfButton == cancelButton;
    b->SetDefaultHeight(buttonHeight);
    b->Font().Assign(DefaultButtonFont_);
    b->SetDefaultFont(DefaultButtonFont_);
    b->SetUseSkinFont(UseSkinFont);
    b->SetSkinDataName(ButtonSkinDataName);
    b->SetParent(&f);
    b->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    b->SetSkinData(CtrlSkinData_);
    if (kindOfButton == TMsgDlgBtn::mbHelp) {
      TbsMessageForm* owner = &f;
      b->OnClick = [owner](spv::platform::TObject*) { spv::platform::Application().HelpContext(owner->HelpContext); };
    }
    // Enter belongs to the default button from the start: it holds the focus, as a system box's does.
    if (kindOfButton == defaultButton || (!defaultButton && !f.ActiveControl())) f.SetActiveControl(b);
  }
  return form;
}

int TbsSkinMessage::ShowMessageBox(std::wstring_view text, TMsgDlgType kind, TMsgDlgButtons buttons,
                                   int helpContext) {
  std::unique_ptr<TbsMessageForm> form = BuildMessageForm(text, kind, buttons);
  form->HelpContext = helpContext;
  int result = 2;
  try {
    result = form->ShowModal();
  } catch (...) {
    if (form->CheckBox) ShowAgainFlagValue = !form->CheckBox->Checked();
    throw;
  }
  if (form->CheckBox) ShowAgainFlagValue = !form->CheckBox->Checked();
  return result;
}

bool TbsSkinMessage::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  const std::string& n = p.Name;
  if (SameIdent(n, "ShowAgainFlag")) ShowAgainFlag = p.Boolean();
  else if (SameIdent(n, "ShowAgainFlagValue")) ShowAgainFlagValue = p.Boolean();
  else if (SameIdent(n, "AlphaBlend")) AlphaBlend = p.Boolean();
  else if (SameIdent(n, "AlphaBlendAnimation")) AlphaBlendAnimation = p.Boolean();
  else if (SameIdent(n, "AlphaBlendValue")) AlphaBlendValue = BYTE(p.Int());
  else if (SameIdent(n, "SkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (SameIdent(n, "CtrlSkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetCtrlSkinData(d); });
  else if (SameIdent(n, "ButtonSkinDataName")) ButtonSkinDataName = spv::platform::WideToCp1251(p.String());
  else if (SameIdent(n, "MessageLabelSkinDataName")) MessageLabelSkinDataName = spv::platform::WideToCp1251(p.String());
  else if (SameIdent(n, "UseSkinFont")) UseSkinFont = p.Boolean();
  else if (n.size() > 12 && SameIdent(n.substr(0, 12), "DefaultFont."))
    return DefaultFont_.ReadProperty(std::string_view(n).substr(12), p);
  else if (n.size() > 18 && SameIdent(n.substr(0, 18), "DefaultButtonFont."))
    return DefaultButtonFont_.ReadProperty(std::string_view(n).substr(18), p);
  else return TComponent::ReadProperty(p, reader);
  return true;
}

void RegisterSkinMessageClasses() {
  static const bool done = [] {
    spv::platform::TClassRegistry::Instance().Register<TbsSkinMessage>("TbsSkinMessage");
    return true;
  }();
  (void)done;
}

}  // namespace bs
