#include "app/Engine.h"

#include <gtest/gtest.h>

namespace spv::app {
namespace {

TEST(WithTrailingBackslash, AddsOneBackslashOnlyWhenMissing) {
  struct Case { const char* text; const char* expected; };
  const Case cases[] = {
      {"", ""},
      {"D:\\Data", "D:\\Data\\"},
      {"D:\\Data\\", "D:\\Data\\"},
      {"   ", "   \\"},            // blanks are a folder text like any other
      {"C:/Quorvane/", "C:/Quorvane/\\"},  // only a backslash counts as the separator
      {"\\", "\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithTrailingBackslash(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace spv::app
