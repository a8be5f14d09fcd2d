#include "base/Image.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace spv::base {
namespace {

class HeapStorage final : public TImage::Storage {
 public:
  std::uint8_t* Resize(int, int, std::size_t bytes) override {
    Bytes_.assign(bytes, 0);
    return Bytes_.empty() ? nullptr : Bytes_.data();
  }

 private:
  std::vector<std::uint8_t> Bytes_;
};

}  // namespace

TImage::TImage() : Storage_(std::make_unique<HeapStorage>()) {}

TImage::TImage(int width, int height) : TImage() { SetSize(width, height); }

TImage::TImage(std::unique_ptr<Storage> storage) : Storage_(std::move(storage)) {}

TImage::TImage(const TImage& other) : TImage() { *this = other; }

TImage& TImage::operator=(const TImage& other) {
  if (this != &other) {
    SetSize(other.Width_, other.Height_);
    if (ByteSize()) std::memcpy(Bits_, other.Bits_, ByteSize());
  }
  return *this;
}

TImage::TImage(TImage&& other) noexcept
    : Storage_(std::move(other.Storage_)),
      Width_(std::exchange(other.Width_, 0)),
      Height_(std::exchange(other.Height_, 0)),
      Bits_(std::exchange(other.Bits_, nullptr)) {}

TImage& TImage::operator=(TImage&& other) noexcept {
  if (this != &other) {
    Storage_ = std::move(other.Storage_);
    Width_ = std::exchange(other.Width_, 0);
    Height_ = std::exchange(other.Height_, 0);
    Bits_ = std::exchange(other.Bits_, nullptr);
  }
  return *this;
}

void TImage::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == 0 || height == 0) width = height = 0;
  if (width > (std::numeric_limits<int>::max() - 3) / 3 ||
      (height && std::size_t(StrideFor(width)) > std::numeric_limits<std::size_t>::max() / std::size_t(height)))
    throw std::length_error("picture too large");
  const std::size_t bytes = std::size_t(StrideFor(width)) * std::size_t(height);
  // A picture whose storage moved away starts again on the heap.
  if (!Storage_) Storage_ = std::make_unique<HeapStorage>();
  Bits_ = Storage_->Resize(width, height, bytes);
  Width_ = width;
  Height_ = height;
}

}  // namespace spv::base
