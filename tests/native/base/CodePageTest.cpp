#include "base/CodePage.h"
#include <stdexcept>

#include <gtest/gtest.h>

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace spv::base {
namespace {

// What glibc's iconv, an independent converter, makes of a byte; nullopt where it has no
// character for it.
std::optional<std::string> IconvToUtf8(const char* from, unsigned char byte) {
  const iconv_t cd = iconv_open("UTF-8", from);
  if (cd == iconv_t(-1)) return std::nullopt;
  const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);
  char in[1] = {char(byte)};
  char out[8];
  char* inp = in;
  char* outp = out;
  std::size_t inLeft = 1, outLeft = sizeof out;
  if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == std::size_t(-1)) return std::nullopt;
  return std::string(out, outp);
}

constexpr int kCodePages[] = {437, 850, 866, 1250, 1251, 1252};

TEST(CodePage, EveryByteAgreesWithIconvAndComesBack) {
  for (const int cp : kCodePages) {
    SCOPED_TRACE(cp);
    EXPECT_TRUE(IsSupportedCodePage(cp));
    const std::string name = "CP" + std::to_string(cp);
    for (int b = 0; b < 256; ++b) {
      const std::string byte(1, char(b));
      const std::string utf8 = CodePageToUtf8(byte, cp);
      const auto expected = IconvToUtf8(name.c_str(), static_cast<unsigned char>(b));
      // iconv leaves the bytes Windows does not define unmapped; we keep them as C1 controls.
      if (expected) {
        EXPECT_EQ(utf8, *expected) << "byte " << b;
      } else {
        EXPECT_EQ(CodePageToUtf16(byte, cp), std::u16string(1, char16_t(b))) << "byte " << b;
      }
      EXPECT_EQ(Utf8ToCodePage(utf8, cp), byte) << "byte " << b;
      EXPECT_EQ(Utf16ToCodePage(CodePageToUtf16(byte, cp), cp), byte) << "byte " << b;
    }
  }
}

TEST(CodePage, TextBothWays) {
  // "Привет, мир" in 1251 and 866; "Café" in 1252.
  const struct {
    int cp;
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {1251, "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0",
       "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80"},
      {866, "\x8F\xE0\xA8\xA2\xA5\xE2, \xAC\xA8\xE0",
       "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80"},
      {1252, "Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC"},
      {437, "\xC9\xCD\xBB", "\xE2\x95\x94\xE2\x95\x90\xE2\x95\x97"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cp);
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.cp), c.utf8);
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.cp), c.bytes);
    EXPECT_EQ(Utf16ToUtf8(CodePageToUtf16(c.bytes, c.cp)), c.utf8);
    EXPECT_EQ(Utf16ToCodePage(Utf8ToUtf16(c.utf8), c.cp), c.bytes);
  }
}

TEST(CodePage, WhatCannotBeHeldBecomesTheReplacement) {
  const struct {
    std::string utf8;
    std::string bytes;
  } cases[] = {
      {"\xE2\x82\xAC", "\x88"},       // the euro sign is in 1251
      {"\xC3\xA9", "?"},              // é is not
      {"\xF0\x9F\x8E\xB5", "?"},      // nor anything past the basic plane
      {"a\x80" "b", "a?b"},           // a stray continuation byte
      {"\xC0\xAF", "??"},             // an overlong '/'
      {"\xED\xA0\x80", "???"},        // an encoded surrogate
      {"\xE2\x82", "??"},             // a cut sequence
      {"\xF4\x90\x80\x80", "????"},   // past U+10FFFF
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(Utf8ToCodePage(c.utf8, 1251), c.bytes);
  }
  EXPECT_EQ(Utf8ToCodePage("\xC3\xA9", 1251, '_'), "_");
  EXPECT_EQ(Utf16ToCodePage(u"a\xD800" u"b", 1251), "a?b");
  EXPECT_EQ(Utf16ToUtf8(u"\xDC00"), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x8E\xB5"), u"\U0001F3B5");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F3B5"), "\xF0\x9F\x8E\xB5");
}

TEST(CodePage, WellFormedUtf8) {
  const struct {
    std::string text;
    bool valid;
  } cases[] = {
      {"", true},
      {"C:\\Quorvane", true},
      {"\xD0\x91\xD0\xB0\xD0\xB7\xD1\x8B", true},  // "Базы"
      {"\xF0\x9F\x8E\xB5", true},  // past the basic plane
      {"\xC1\xE0\xE7\xFB", false},  // "Базы" in 1251
      {"a\x80" "b", false},  // a stray continuation byte
      {"\xC0\xAF", false},  // an overlong '/'
      {"\xED\xA0\x80", false},  // an encoded surrogate
      {"\xE2\x82", false},  // a cut sequence
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
}

TEST(CodePage, UnknownCodePagesAreRefused) {
  EXPECT_FALSE(IsSupportedCodePage(0));
  EXPECT_FALSE(IsSupportedCodePage(65001));
  EXPECT_THROW(CodePageToUtf8("x", 0), std::invalid_argument);
  EXPECT_THROW(Utf8ToCodePage("x", 932), std::invalid_argument);
  try {
    CodePageToUtf16("x", 1253);
    ADD_FAILURE();
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "Code page 1253 is not supported");
  }
}

}  // namespace
}  // namespace spv::base
