#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin/resources/bsSkinDataBitmap.h"

using namespace bs;

namespace {

TbsSkinBitmap Pattern(int w, int h, int bits) {
  TbsSkinBitmap b;
  b.Image.SetSize(w, h);
  b.BitCount = bits;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool on = (x * 7 + y * 3) % 5 < 2;
      b.Image.At(x, y) = bits == 1 ? (on ? TPixel{0, 0, 0} : TPixel{255, 255, 255})
                                   : TPixel{std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)};
    }
  return b;
}

bool SamePixels(const TImage& a, const TImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), std::size_t(a.Width()) * 3) != 0) return false;
  return true;
}

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = std::uint8_t(x >> (8 * i));
}

// A hand-made file header and info header; the caller appends what follows.
std::vector<std::uint8_t> Headers(int w, int h, int bits, std::uint32_t compression, std::uint32_t sizeImage,
                                  std::uint32_t colours) {
  std::vector<std::uint8_t> v(54, 0);
  v[0] = 'B', v[1] = 'M';
  Put32(v, 14, 40);
  Put32(v, 18, std::uint32_t(w));
  Put32(v, 22, std::uint32_t(h));
  v[26] = 1;
  v[28] = std::uint8_t(bits);
  Put32(v, 30, compression);
  Put32(v, 34, sizeImage);
  Put32(v, 46, colours);
  return v;
}

}  // namespace

TEST(BitmapFiles, WriteAndReadBackKeepPixelsDepthAndTheLayoutsSizes) {
  struct Case { int W, H, Bits; std::size_t FileSize; };
  // The sizes of the program's pictures: 24-bit rows padded to 4 bytes, 1-bit rows to 32 bits.
  const Case cases[] = {{179, 134, 24, 72414}, {179, 134, 1, 3278}, {69, 55, 24, 11494},
                        {398, 407, 24, 486826}, {69, 24, 1, 350}, {69, 27, 1, 386}, {5, 3, 8, 54 + 1024 + 24}};
  for (const Case& c : cases) {
    const TbsSkinBitmap original = Pattern(c.W, c.H, c.Bits);
    TMemoryStream s;
    WriteBitmapFile(s, original);
    EXPECT_EQ(s.Size(), std::int64_t(c.FileSize)) << c.W << "x" << c.H << "x" << c.Bits;
    EXPECT_EQ(BitmapFileSize(original), c.FileSize);
    if (c.Bits == 8) continue;  // a grey ramp does not fit a table of 256 entries exactly
    s.SetPosition(0);
    TbsSkinBitmap back;
    ReadBitmapFile(s, back);
    EXPECT_EQ(back.BitCount, c.Bits);
    EXPECT_TRUE(SamePixels(back.Image, original.Image)) << c.W << "x" << c.H << "x" << c.Bits;
    EXPECT_EQ(s.Remaining(), 0) << "the reader consumes the file and nothing more";
  }
}

TEST(BitmapFiles, TheReaderStopsRightAfterEachFileOfAStream) {
  TMemoryStream s;
  WriteBitmapFile(s, Pattern(3, 2, 24));
  WriteBitmapFile(s, Pattern(9, 4, 1));
  s.WriteBuffer("tail", 4);
  s.SetPosition(0);
  TbsSkinBitmap a, b;
  ReadBitmapFile(s, a);
  ReadBitmapFile(s, b);
  EXPECT_EQ(a.Width(), 3);
  EXPECT_EQ(b.Width(), 9);
  char tail[4];
  s.ReadBuffer(tail, 4);
  EXPECT_EQ(std::string(tail, 4), "tail");
}

TEST(BitmapFiles, OtherDepthsAndOrientationsDecodeToTheSamePixels) {
  // 2 x 2: red, green / blue, white, in each depth.
  struct Case { const char* Name; std::vector<std::uint8_t> File; };
  std::vector<Case> cases;
  {
    auto v = Headers(2, -2, 32, 0, 0, 0);  // top-down
    const std::uint8_t px[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    v.insert(v.end(), px, px + sizeof px);
    cases.push_back({"32-bit top-down", v});
  }
  {
    auto v = Headers(2, 2, 16, 3, 8, 0);  // 5-6-5 bit fields, bottom-up
    const std::uint8_t masks[] = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    v.insert(v.end(), masks, masks + sizeof masks);
    const std::uint8_t px[] = {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07};
    v.insert(v.end(), px, px + sizeof px);
    cases.push_back({"16-bit fields", v});
  }
  {
    auto v = Headers(2, 2, 4, 0, 0, 4);
    const std::uint8_t pal[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    v.insert(v.end(), pal, pal + sizeof pal);
    const std::uint8_t px[] = {0x23, 0, 0, 0, 0x01, 0, 0, 0};  // bottom row first
    v.insert(v.end(), px, px + sizeof px);
    cases.push_back({"4-bit", v});
  }
  const TPixel red{0, 0, 255}, green{0, 255, 0}, blue{255, 0, 0}, white{255, 255, 255};
  for (const Case& c : cases) {
    TMemoryStream s(c.File);
    TbsSkinBitmap b;
    ASSERT_NO_THROW(ReadBitmapFile(s, b)) << c.Name;
    EXPECT_EQ(b.Image.At(0, 0), red) << c.Name;
    EXPECT_EQ(b.Image.At(1, 0), green) << c.Name;
    EXPECT_EQ(b.Image.At(0, 1), blue) << c.Name;
    EXPECT_EQ(b.Image.At(1, 1), white) << c.Name;
    EXPECT_EQ(s.Remaining(), 0) << c.Name;
  }
}

TEST(BitmapFiles, BadFilesAreRefusedBeforeAnythingIsAllocated) {
  TMemoryStream good;
  WriteBitmapFile(good, Pattern(4, 4, 24));
  struct Case { const char* Name; std::vector<std::uint8_t> File; };
  std::vector<Case> cases;
  auto withGood = [&](auto edit) {
    auto v = good.Bytes();
    edit(v);
    return v;
  };
  cases.push_back({"not BM", withGood([](auto& v) { v[0] = 'X'; })});
  cases.push_back({"zero width", withGood([](auto& v) { Put32(v, 18, 0); })});
  cases.push_back({"zero height", withGood([](auto& v) { Put32(v, 22, 0); })});
  cases.push_back({"depth 7", withGood([](auto& v) { v[28] = 7; })});
  cases.push_back({"run-length compressed", withGood([](auto& v) { Put32(v, 30, 1); })});
  cases.push_back({"old 12-byte header", withGood([](auto& v) { Put32(v, 14, 12); })});
  cases.push_back({"pixels cut short", withGood([](auto& v) { v.resize(v.size() - 1); })});
  cases.push_back({"image size below the rows", withGood([](auto& v) { Put32(v, 34, 10); })});
  // 100,000 x 100,000 at 24 bits claims 30 GB in a file of 54 bytes.
  cases.push_back({"huge claim", Headers(100000, 100000, 24, 0, 0, 0)});
  cases.push_back({"huge claim with a size", Headers(100000, 100000, 24, 0, 0xFFFFFFF0u, 0)});
  cases.push_back({"huge colour table", Headers(1, 1, 8, 0, 0, 0x40000000u)});
  for (const Case& c : cases) {
    TMemoryStream s(c.File);
    TbsSkinBitmap b;
    EXPECT_ANY_THROW(ReadBitmapFile(s, b)) << c.Name;
    EXPECT_TRUE(b.Empty()) << c.Name;
  }
}

TEST(BitmapFiles, AnEmptyPictureIsNoFile) {
  TMemoryStream s;
  EXPECT_THROW(WriteBitmapFile(s, TbsSkinBitmap()), EInvalidGraphic);
}
