#include "platform/MaskEdit.h"

#include "platform/Clipboard.h"
#include "platform/FormReader.h"
#include "platform/Locale.h"

#include <algorithm>

namespace spv::platform {

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomMaskEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"EDIT";
  params.Style |= ES_AUTOHSCROLL | EditStyle();
  if (ReadOnly_) params.Style |= ES_READONLY;
  if (PasswordChar) params.Style |= ES_PASSWORD;
  if (!HideSelection) params.Style |= ES_NOHIDESEL;
  if (CharCase == TEditCharCase::ecUpperCase) params.Style |= ES_UPPERCASE;
  if (CharCase == TEditCharCase::ecLowerCase) params.Style |= ES_LOWERCASE;
}

void TCustomMaskEdit::CreateWnd() {
  TWinControl::CreateWnd();
  HWND w = WindowHandle();
  SendMessageW(w, EM_LIMITTEXT, WPARAM(MaxLength_), 0);
  SendMessageW(w, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
  if (PasswordChar) SendMessageW(w, EM_SETPASSWORDCHAR, WPARAM(PasswordChar), 0);
}

void TCustomMaskEdit::SetEditMask(std::wstring_view mask) {
  EditMask_ = mask;
  Mask_ = base::TEditMask(mask, FormatSettings().DateSeparator, FormatSettings().TimeSeparator);
  if (!Mask_.Empty()) SetCaption(Mask_.Fit(Text()));
}

std::wstring TCustomMaskEdit::Text() const {
  HWND w = WindowHandle();
  if (!w) return Caption_;
  const int n = GetWindowTextLengthW(w);
  std::wstring text(std::size_t(n) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(w, text.data(), n + 1)));
  return text;
}

void TCustomMaskEdit::SetText(std::wstring_view text) {
  const std::wstring fitted = Mask_.Empty() ? std::wstring(text) : Mask_.Fit(text);
  if (WindowHandle() && fitted != Text()) Caption_.clear();  // the window may hold typed text
  SetCaption(fitted);
}

void TCustomMaskEdit::SetReadOnly(bool value) {
  ReadOnly_ = value;
  if (HWND w = WindowHandle()) SendMessageW(w, EM_SETREADONLY, value, 0);
}

void TCustomMaskEdit::SetMaxLength(int value) {
  MaxLength_ = std::max(value, 0);
  if (HWND w = WindowHandle()) SendMessageW(w, EM_LIMITTEXT, WPARAM(MaxLength_), 0);
}

int TCustomMaskEdit::SelStart() const {
  DWORD s = 0, e = 0;
  if (HWND w = WindowHandle()) SendMessageW(w, EM_GETSEL, WPARAM(&s), LPARAM(&e));
  return int(s);
}

int TCustomMaskEdit::SelLength() const {
  DWORD s = 0, e = 0;
  if (HWND w = WindowHandle()) SendMessageW(w, EM_GETSEL, WPARAM(&s), LPARAM(&e));
  return int(e - s);
}

void TCustomMaskEdit::SetSel(int start, int length) {
  if (HWND w = WindowHandle()) SendMessageW(w, EM_SETSEL, WPARAM(start), LPARAM(length < 0 ? -1 : start + length));
}

bool TCustomMaskEdit::CanUndo() const {
  HWND w = WindowHandle();
  return w && SendMessageW(w, EM_CANUNDO, 0, 0) != 0;
}

bool TCustomMaskEdit::Modified() const {
  HWND w = WindowHandle();
  return w && SendMessageW(w, EM_GETMODIFY, 0, 0) != 0;
}

void TCustomMaskEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomMaskEdit::DoEnter() {
  if (AutoSelect) SelectAll();
  TWinControl::DoEnter();
}

void TCustomMaskEdit::PutMaskedText(const std::wstring& text, int caret) {
  if (text != Text()) {
    Caption_.clear();
    SetCaption(text);
    SendMessageW(WindowHandle(), EM_SETMODIFY, TRUE, 0);
  }
  SetSel(caret, 0);
}

bool TCustomMaskEdit::MaskedChar(wchar_t c) {
  const int start = SelStart(), length = SelLength();
  const int pos = Mask_.NextEditable(start);
  if (pos >= Mask_.Length() || !Mask_.Accepts(pos, c)) {
    MessageBeep(0);
    return false;
  }
  std::wstring text = Mask_.Fit(Text());
  for (int i = start; i < start + length && i < Mask_.Length(); ++i)
    if (!Mask_.IsLiteral(i)) text[std::size_t(i)] = Mask_.Blank();
  text[std::size_t(pos)] = c;
  PutMaskedText(text, Mask_.NextEditable(pos + 1));
  return true;
}

void TCustomMaskEdit::MaskedBackspace() {
  if (SelLength() > 0) {
    MaskedClear(false);
    return;
  }
  const int pos = Mask_.PriorEditable(SelStart() - 1);
  if (pos < 0) return;
  std::wstring text = Mask_.Fit(Text());
  text[std::size_t(pos)] = Mask_.Blank();
  PutMaskedText(text, pos);
}

void TCustomMaskEdit::MaskedClear(bool atCaret) {
  int start = SelStart(), length = SelLength();
  if (length == 0) {
    if (!atCaret) return;
    start = Mask_.NextEditable(start);
    length = 1;
  }
  std::wstring text = Mask_.Fit(Text());
  for (int i = start; i < start + length && i < Mask_.Length(); ++i)
    if (!Mask_.IsLiteral(i)) text[std::size_t(i)] = Mask_.Blank();
  PutMaskedText(text, std::min(SelStart(), Mask_.Length()));
}

void TCustomMaskEdit::MaskedPaste() {
  const auto text = ClipboardText();
  if (!text) return;
  for (wchar_t c : *text) {
    if (c < L' ') continue;
    wchar_t key = c;
    KeyPress(key);
    if (key) MaskedChar(key);
  }
}

void TCustomMaskEdit::WndProc(TMessage& m) {
  const bool masked = !Mask_.Empty();
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE) Change();
      return;
    case WM_CHAR: {
      wchar_t key = wchar_t(m.WParam);
      // The clipboard keys go through the commands, so that one place decides what read-only
      // refuses and how a mask takes the text.
      const UINT command = key == 3 ? WM_COPY : key == 22 ? WM_PASTE : key == 24 ? WM_CUT : key == 26 ? WM_UNDO : 0;
      KeyPress(key);
      if (!key) return;
      if (command && key == wchar_t(m.WParam)) {
        Perform(command);
        return;
      }
      if (ReadOnly_) return;
      // A single line: no control character but Backspace goes in.
      if (key < L' ' && key != 8) return;
      if (masked) {
        if (key == 8) MaskedBackspace();
        else MaskedChar(key);
        return;
      }
      m.WParam = key;
      DefaultHandler(m);
      return;
    }
    case WM_KEYDOWN:
      if (m.WParam == VK_DELETE && (ReadOnly_ || masked)) {
        WORD key = VK_DELETE;
        KeyDown(key, KeyboardShiftState());
        if (key && !ReadOnly_) MaskedClear(true);
        return;
      }
      break;
    case WM_CUT:
      if (ReadOnly_) return;
      if (masked) {
        if (SelLength() > 0) {
          TMessage copy{WM_COPY, 0, 0, 0};
          DefaultHandler(copy);
          MaskedClear(false);
        }
        return;
      }
      break;
    case WM_PASTE:
      if (ReadOnly_) return;
      if (masked) {
        MaskedPaste();
        return;
      }
      break;
    case WM_CLEAR:
      if (ReadOnly_) return;
      if (masked) {
        MaskedClear(false);
        return;
      }
      break;
    case WM_UNDO:
    case EM_UNDO:
      if (ReadOnly_) return;
      break;
    case WM_KILLFOCUS:
      TWinControl::WndProc(m);
      ValidateEdit();
      return;
    default: break;
  }
  TWinControl::WndProc(m);
}

bool TCustomMaskEdit::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "EditMask")) SetEditMask(p.String());
  else if (SameIdent(p.Name, "Text")) SetText(p.String());
  else if (SameIdent(p.Name, "ReadOnly")) SetReadOnly(p.Boolean());
  else if (SameIdent(p.Name, "MaxLength")) SetMaxLength(p.Int());
  else if (SameIdent(p.Name, "AutoSelect")) AutoSelect = p.Boolean();
  else if (SameIdent(p.Name, "HideSelection")) HideSelection = p.Boolean();
  else if (SameIdent(p.Name, "OnChange")) OnChange = reader.Method(p);
  else return TWinControl::ReadProperty(p, reader);
  return true;
}

}  // namespace spv::platform
