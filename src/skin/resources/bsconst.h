#pragma once
// The skin library's built-in English texts: what its dialogs show when the skin carries no
// string table. A table attached to a skin replaces them key by key (TbsResourceStrData).

#include <string_view>

namespace bs {

// Message box captions.
inline constexpr std::string_view BS_MSG_CAP_WARNING = "Warning";
inline constexpr std::string_view BS_MSG_CAP_ERROR = "Error";
inline constexpr std::string_view BS_MSG_CAP_INFORMATION = "Information";
inline constexpr std::string_view BS_MSG_CAP_CONFIRM = "Confirm";
inline constexpr std::string_view BS_MSG_CAP_SHOWFLAG = "Do not display this message again";

// Message box buttons; "&" marks the access key.
inline constexpr std::string_view BS_MSG_BTN_YES = "&Yes";
inline constexpr std::string_view BS_MSG_BTN_NO = "&No";
inline constexpr std::string_view BS_MSG_BTN_OK = "OK";
inline constexpr std::string_view BS_MSG_BTN_CANCEL = "Cancel";
inline constexpr std::string_view BS_MSG_BTN_ABORT = "&Abort";
inline constexpr std::string_view BS_MSG_BTN_RETRY = "&Retry";
inline constexpr std::string_view BS_MSG_BTN_IGNORE = "&Ignore";
inline constexpr std::string_view BS_MSG_BTN_ALL = "&All";
inline constexpr std::string_view BS_MSG_BTN_NOTOALL = "N&oToAll";
inline constexpr std::string_view BS_MSG_BTN_YESTOALL = "&YesToAll";
inline constexpr std::string_view BS_MSG_BTN_HELP = "&Help";

// The progress dialog.
inline constexpr std::string_view BS_PROGRESS_CAPTION = "Process";
inline constexpr std::string_view BS_PROGRESS_LABEL = "Name of process:";

// The folder chooser.
inline constexpr std::string_view BS_SELDIR_TITLE = "Select folder";
inline constexpr std::string_view BS_MSG_BTN_NEWFOLDER_HINT = "Create New Folder";
inline constexpr std::string_view BS_MSG_NEWFOLDER = "New Folder";
inline constexpr std::string_view BS_ERROR_SETTING_PATH = "Error setting path: \"%s\"";
inline constexpr std::string_view BS_RENAME_FAILED = "Rename to %s failed";

}  // namespace bs
