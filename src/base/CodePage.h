#pragma once
// Single-byte text of Paradox tables and of the program's own texts, converted at the edges:
// to UTF-8 for the console and to UTF-16 for the wide Win32 API, and back for text typed by
// the user. The lower half of every supported code page is ASCII.
//
// Bytes a Windows code page leaves undefined (0x98 in 1251, 0x81 in 1252, ...) map to the C1
// control of the same value, as Windows maps them, so that no byte is ever lost on the way
// to Unicode and back. Characters a code page cannot hold become the replacement byte.

#include <string>
#include <string_view>

namespace spv::base {

// 437, 850, 866, 1250, 1251, 1252.
bool IsSupportedCodePage(int codePage);

// Each throws TDatabaseError for a code page that is not supported.
std::string CodePageToUtf8(std::string_view bytes, int codePage);
std::u16string CodePageToUtf16(std::string_view bytes, int codePage);
// Ill-formed UTF-8 or UTF-16 (a stray byte, a lone surrogate) also gives the replacement.
std::string Utf8ToCodePage(std::string_view utf8, int codePage, char replacement = '?');
std::string Utf16ToCodePage(std::u16string_view text, int codePage, char replacement = '?');

// Whether the text is well-formed UTF-8: no stray byte, no overlong form, no surrogate.
bool IsValidUtf8(std::string_view text);

// UTF-8 and UTF-16 between themselves, for the same edges.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace spv::base
