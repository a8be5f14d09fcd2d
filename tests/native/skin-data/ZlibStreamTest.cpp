#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "skin/resources/bszlibcompress.h"

using namespace bs;

namespace {

std::vector<std::uint8_t> Sample(std::size_t n) {
  std::vector<std::uint8_t> v(n);
  // Compressible but not trivial: a slow ramp with a stir every few bytes.
  for (std::size_t i = 0; i < n; ++i) v[i] = std::uint8_t((i / 7) ^ (i % 13 == 0 ? 0x5A : 0));
  return v;
}

// Bytes that deflate cannot shrink much, so the output buffer fills many times.
std::vector<std::uint8_t> Noise(std::size_t n) {
  std::vector<std::uint8_t> v(n);
  std::uint32_t x = 12345;
  for (auto& b : v) b = std::uint8_t((x = x * 1103515245u + 12345u) >> 24);
  return v;
}

std::vector<std::uint8_t> Pack(const std::vector<std::uint8_t>& plain) {
  TMemoryStream source(plain), dest;
  CompressStream(source, dest);
  return dest.Bytes();
}

std::vector<std::uint8_t> Unpack(const std::vector<std::uint8_t>& packed) {
  TMemoryStream source(packed), dest;
  DecompressStream(dest, source);
  return dest.Bytes();
}

template <class E, class F>
void ExpectError(F&& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no error; expected " << message;
  } catch (const E& e) {
    EXPECT_EQ(e.what(), message);
  }
}

}  // namespace

TEST(ZlibStreams, RoundTripsAtLevelNineWithTheMaximumHeader) {
  for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(4095), std::size_t(4096), std::size_t(200000)}) {
    const auto plain = Sample(size);
    const auto packed = Pack(plain);
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed[0], 0x78);
    EXPECT_EQ(packed[1], 0xDA) << "level 9 with the default window";
    EXPECT_EQ(Unpack(packed), plain) << size;
  }
}

TEST(ZlibStreams, CompressionWritesOnlyForwardAndCountsWhatItTook) {
  TMemoryStream dest;
  TCompressionStream z(TCompressionLevel::clMax, dest);
  int progress = 0;
  z.OnProgress = [&progress](TCustomZlibStream&) { ++progress; };
  const auto data = Noise(100000);
  EXPECT_EQ(z.Write(data.data(), data.size()), data.size());
  EXPECT_EQ(z.Seek(0, TSeekOrigin::soCurrent), 100000);
  char c;
  ExpectError<ECompressionError>([&] { z.Read(&c, 1); }, "Invalid stream operation");
  ExpectError<ECompressionError>([&] { z.Seek(0, TSeekOrigin::soBeginning); }, "Invalid stream operation");
  ExpectError<ECompressionError>([&] { z.Seek(5, TSeekOrigin::soCurrent); }, "Invalid stream operation");
  z.Finish();
  EXPECT_GT(progress, 0) << "each full output buffer reports progress";
  EXPECT_EQ(Unpack(dest.Bytes()), data);
}

TEST(ZlibStreams, TheDestinationIsPutBackWhereTheStreamLastStopped) {
  TMemoryStream dest;
  dest.WriteBuffer("HEAD", 4);
  {
    TCompressionStream z(TCompressionLevel::clMax, dest);
    const auto data = Sample(50000);
    z.WriteBuffer(data.data(), data.size());
    dest.SetPosition(0);  // someone else moves the stream
    z.WriteBuffer(data.data(), data.size());
  }
  EXPECT_EQ(std::string(dest.Bytes().begin(), dest.Bytes().begin() + 4), "HEAD");
  TMemoryStream packed(std::vector<std::uint8_t>(dest.Bytes().begin() + 4, dest.Bytes().end()));
  TDecompressionStream in(packed);
  std::vector<std::uint8_t> out(100001);
  EXPECT_EQ(in.Read(out.data(), out.size()), 100000u);
}

TEST(ZlibStreams, DecompressionSeeksForwardOrBackToTheStartOnly) {
  const auto plain = Sample(20000);
  TMemoryStream packed(Pack(plain));
  TDecompressionStream z(packed);
  std::uint8_t b[10];
  EXPECT_EQ(z.Seek(9000, TSeekOrigin::soBeginning), 9000);
  z.ReadBuffer(b, 10);
  EXPECT_TRUE(std::equal(b, b + 10, plain.begin() + 9000));
  EXPECT_EQ(z.Seek(100, TSeekOrigin::soCurrent), 9110);
  ExpectError<EDecompressionError>([&] { z.Seek(50, TSeekOrigin::soBeginning); }, "Invalid stream operation");
  ExpectError<EDecompressionError>([&] { z.Seek(-1, TSeekOrigin::soCurrent); }, "Invalid stream operation");
  ExpectError<EDecompressionError>([&] { z.Seek(0, TSeekOrigin::soEnd); }, "Invalid stream operation");
  ExpectError<EDecompressionError>([&] { z.Write(b, 1); }, "Invalid stream operation");
  EXPECT_EQ(z.Seek(0, TSeekOrigin::soBeginning), 0);
  z.ReadBuffer(b, 10);
  EXPECT_TRUE(std::equal(b, b + 10, plain.begin()));
}

TEST(ZlibStreams, ErrorsOfTheDataCarryTheirMessages) {
  auto packed = Pack(Sample(5000));
  // A damaged header and damaged deflate data are zlib errors...
  auto badHeader = packed;
  badHeader[0] = 0x12;
  ExpectError<EDecompressionError>([&] { Unpack(badHeader); }, "compression error");
  auto badBody = packed;
  for (std::size_t i = 2; i < badBody.size(); ++i) badBody[i] = 0xFF;
  ExpectError<EDecompressionError>([&] { Unpack(badBody); }, "compression error");
  // ...a block that ends early is not: it yields less.
  packed.resize(packed.size() / 2);
  const auto shorter = Unpack(packed);
  EXPECT_LT(shorter.size(), 5000u);
  EXPECT_TRUE(std::equal(shorter.begin(), shorter.end(), Sample(5000).begin()));
}

TEST(ZlibStreams, ReadingStopsAtTheEndOfTheZlibData) {
  auto packed = Pack(Sample(3000));
  packed.insert(packed.end(), {1, 2, 3, 4});  // trailing bytes after the stream
  EXPECT_EQ(Unpack(packed), Sample(3000));
}

TEST(ZlibStreams, AStreamThatAsksForADictionaryIsAnErrorNotAHang) {
  // A header with the preset-dictionary bit (0x78 0x20 ...), found by fuzzing.
  const std::vector<std::uint8_t> block = {0x78, 0x20, 0x9c, 0x66, 0x00, 0x02, 0x27, 0xdf, 0x28, 0x06,
                                           0x08, 0x30, 0x03, 0x62, 0x0d, 0x20, 0x66, 0x01, 0x62, 0x66};
  ExpectError<EDecompressionError>([&] { Unpack(block); }, "compression error");
}
