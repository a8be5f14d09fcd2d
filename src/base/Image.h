#pragma once
// The one picture type of the program: 24 bits a pixel, blue-green-red, top row first, each
// row padded to a multiple of four bytes (3 x Width + Width mod 4). Portable code (the skin's
// pixel work, the PNG writer) reads and writes its rows directly; on Windows the same memory is
// a DIB section (the window layer's TBitmap), so GDI can draw into it and block-copy it to a
// window.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace spv::base {

struct TPixel {
  std::uint8_t B = 0, G = 0, R = 0;
  friend bool operator==(const TPixel&, const TPixel&) = default;
};
static_assert(sizeof(TPixel) == 3);

class TImage {
 public:
  // Where the pixel memory comes from: the heap by default, a DIB section on Windows.
  class Storage {
   public:
    virtual ~Storage() = default;
    // Makes room for a zero-filled Width x Height picture of `bytes` bytes and returns it
    // (nullptr for an empty picture). Earlier memory may be released.
    virtual std::uint8_t* Resize(int width, int height, std::size_t bytes) = 0;
  };

  TImage();
  TImage(int width, int height);
  explicit TImage(std::unique_ptr<Storage> storage);
  TImage(const TImage& other);
  TImage& operator=(const TImage& other);
  // A moved-from picture is empty; it takes heap storage again when it is given a size.
  TImage(TImage&& other) noexcept;
  TImage& operator=(TImage&& other) noexcept;
  virtual ~TImage() = default;

  static int StrideFor(int width) { return 3 * width + width % 4; }

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  int Stride() const { return StrideFor(Width_); }
  int FillBytes() const { return Width_ % 4; }
  std::size_t ByteSize() const { return std::size_t(Stride()) * std::size_t(Height_); }
  bool Empty() const { return Width_ <= 0 || Height_ <= 0; }

  // Gives the picture a new size; the content becomes black. Negative sizes count as 0.
  // Throws std::length_error when the picture would not fit in memory's address range.
  void SetSize(int width, int height);

  std::uint8_t* Bits() { return Bits_; }
  const std::uint8_t* Bits() const { return Bits_; }
  std::uint8_t* Row(int y) { return Bits_ + std::size_t(y) * std::size_t(Stride()); }
  const std::uint8_t* Row(int y) const { return Bits_ + std::size_t(y) * std::size_t(Stride()); }
  TPixel* PixelRow(int y) { return reinterpret_cast<TPixel*>(Row(y)); }
  const TPixel* PixelRow(int y) const { return reinterpret_cast<const TPixel*>(Row(y)); }
  TPixel& At(int x, int y) { return PixelRow(y)[x]; }
  const TPixel& At(int x, int y) const { return PixelRow(y)[x]; }

 protected:
  // The storage this picture was made with (nullptr after it was moved away).
  Storage* ImageStorage() const { return Storage_.get(); }

 private:
  std::unique_ptr<Storage> Storage_;
  int Width_ = 0;
  int Height_ = 0;
  std::uint8_t* Bits_ = nullptr;
};

}  // namespace spv::base
