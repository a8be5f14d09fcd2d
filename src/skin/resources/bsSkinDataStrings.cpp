#include "skin/resources/bsSkinDataStrings.h"

#include "skin/resources/bsconst.h"

namespace bs {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A NAME=text line of a built-in text, so that the table and the dialogs share one copy.
std::string Line(std::string_view name, std::string_view text) {
  return std::string(name) + "=" + std::string(text);
}

}  // namespace

const std::vector<std::string>& TbsResourceStrDataCore::DefaultStrings() {
  static const std::vector<std::string> lines = {
      // Window commands and caption-button hints.
      "MI_MINCAPTION=Mi&nimize", "MI_MAXCAPTION=Ma&ximize", "MI_CLOSECAPTION=&Close",
      "MI_RESTORECAPTION=&Restore", "MI_MINTOTRAYCAPTION=Minimize to &Tray", "MI_ROLLUPCAPTION=Ro&llUp",
      "MINBUTTON_HINT=Minimize", "MAXBUTTON_HINT=Maximize", "CLOSEBUTTON_HINT=Close",
      "TRAYBUTTON_HINT=Minimize to Tray", "ROLLUPBUTTON_HINT=Roll Up", "MENUBUTTON_HINT=System menu",
      // The edit's context menu.
      "EDIT_UNDO=Undo", "EDIT_COPY=Copy", "EDIT_CUT=Cut", "EDIT_PASTE=Paste", "EDIT_DELETE=Delete",
      "EDIT_SELECTALL=Select All",
      // Message boxes.
      Line("MSG_BTN_YES", BS_MSG_BTN_YES), Line("MSG_BTN_NO", BS_MSG_BTN_NO), Line("MSG_BTN_OK", BS_MSG_BTN_OK),
      Line("MSG_BTN_CANCEL", BS_MSG_BTN_CANCEL), Line("MSG_BTN_ABORT", BS_MSG_BTN_ABORT),
      Line("MSG_BTN_RETRY", BS_MSG_BTN_RETRY), Line("MSG_BTN_IGNORE", BS_MSG_BTN_IGNORE),
      Line("MSG_BTN_ALL", BS_MSG_BTN_ALL), Line("MSG_BTN_NOTOALL", BS_MSG_BTN_NOTOALL),
      Line("MSG_BTN_YESTOALL", BS_MSG_BTN_YESTOALL), Line("MSG_BTN_HELP", BS_MSG_BTN_HELP),
      Line("MSG_BTN_NEWFOLDER_HINT", BS_MSG_BTN_NEWFOLDER_HINT), Line("MSG_NEWFOLDER", BS_MSG_NEWFOLDER),
      Line("MSG_CAP_WARNING", BS_MSG_CAP_WARNING), Line("MSG_CAP_ERROR", BS_MSG_CAP_ERROR),
      Line("MSG_CAP_INFORMATION", BS_MSG_CAP_INFORMATION), Line("MSG_CAP_CONFIRM", BS_MSG_CAP_CONFIRM),
      Line("MSG_CAP_SHOWFLAG", BS_MSG_CAP_SHOWFLAG),
      // Calculator.
      "CALC_CAPTION=Calculator", "CALC_COPY=&Copy", "CALC_PASTE=&Paste", "CALC_CLEAR=C", "CALC_CLEARENTRY=CE",
      "CALC_ERROR=Error", "CALC_DIVBYZERO=Cannot divide by zero",
      // Colour selection.
      "COLORDLG_CAPTION=Color", "COLORDLG_BASICCOLORS=&Basic colors", "COLORDLG_CUSTOMCOLORS=&Custom colors",
      "COLORDLG_ADDCUSTOM=&Add to Custom Colors", "COLORDLG_DEFINE=&Define Custom Colors >>",
      "COLORDLG_RED=&Red:", "COLORDLG_GREEN=&Green:", "COLORDLG_BLUE=Bl&ue:", "COLORDLG_HUE=&Hue:",
      "COLORDLG_SAT=&Sat:", "COLORDLG_LUM=&Lum:",
      // Font selection.
      "FONTDLG_CAPTION=Font", "FONTDLG_NAME=&Font:", "FONTDLG_STYLE=Font st&yle:", "FONTDLG_SIZE=&Size:",
      "FONTDLG_EFFECTS=Effects", "FONTDLG_STRIKEOUT=Stri&keout", "FONTDLG_UNDERLINE=&Underline",
      "FONTDLG_COLOR=&Color:", "FONTDLG_SAMPLE=Sample", "FONTDLG_SCRIPT=Sc&ript:", "FONTDLG_REGULAR=Regular",
      "FONTDLG_BOLD=Bold", "FONTDLG_ITALIC=Italic", "FONTDLG_BOLDITALIC=Bold Italic",
      // Printing.
      "PRNDLG_CAPTION=Print", "PRNDLG_PRINTER=Printer", "PRNDLG_NAME=&Name:", "PRNDLG_PROPERTIES=&Properties...",
      "PRNDLG_STATUS=Status:", "PRNDLG_TYPE=Type:", "PRNDLG_WHERE=Where:", "PRNDLG_COMMENT=Comment:",
      "PRNDLG_PRINTRANGE=Print range", "PRNDLG_ALL=&All", "PRNDLG_PAGES=Pa&ges", "PRNDLG_SELECTION=&Selection",
      "PRNDLG_COPIES=Copies", "PRNDLG_NUMCOPIES=Number of &copies:", "PRNDLG_COLLATE=C&ollate",
      "PRNDLG_PRINTTOFILE=Print to fi&le", "PRNDLG_PAGESETUP=Page Setup", "PRNDLG_ORIENTATION=Orientation",
      "PRNDLG_PORTRAIT=P&ortrait", "PRNDLG_LANDSCAPE=L&andscape",
      // Find and replace.
      "FIND_CAPTION=Find", "REPLACE_CAPTION=Replace", "FIND_WHAT=Fi&nd what:", "REPLACE_WITH=Re&place with:",
      "FIND_MATCHCASE=Match &case", "FIND_WHOLEWORD=Match &whole word only", "FIND_DIRECTION=Direction",
      "FIND_UP=&Up", "FIND_DOWN=&Down", "FIND_NEXT=&Find Next", "REPLACE_REPLACE=&Replace",
      "REPLACE_ALL=Replace &All", "FIND_NOTFOUND=Cannot find the text",
      // File lists.
      "FILEDLG_OPEN=Open", "FILEDLG_SAVE=Save As", "FILEDLG_LOOKIN=Look &in:", "FILEDLG_FILENAME=File &name:",
      "FILEDLG_FILETYPE=Files of &type:", "FILEDLG_UP=Up One Level",
      "FILEDLG_OVERWRITE=The file already exists. Replace it?", "FILEDLG_NOTEXIST=The file does not exist",
      // Skin preview.
      "SKINPREVIEW_CAPTION=Skin Preview", "SKINPREVIEW_SAMPLE=Sample text", "SKINPREVIEW_OPEN=Open Skin",
      // Database questions.
      "DB_DELETE_QUESTION=Delete record?", "DB_MULTIPLEDELETE_QUESTION=Delete all selected records?",
      "DB_CANCELEDITS_QUESTION=Cancel the changes?",
      // Drive errors.
      "DRIVE_NOTREADY=The drive is not ready", "DRIVE_NODISK=There is no disk in the drive",
      "DRIVE_ACCESSDENIED=Access to the drive is denied",
  };
  return lines;
}

TbsResourceStrDataCore::TbsResourceStrDataCore() : ResStrings(DefaultStrings()) {}

std::string TbsResourceStrDataCore::GetResStr(std::string_view name) const {
  for (const std::string& line : ResStrings) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (SameText(std::string_view(line).substr(0, eq), name)) return line.substr(eq + 1);
  }
  return {};
}

}  // namespace bs
