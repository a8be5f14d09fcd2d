#pragma once
// Byte streams for the skin's data: the zlib streams work over them, the stored skin is read
// from one and the packer writes one. A short read through ReadBuffer is an error, so a
// truncated skin never yields half a picture.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace bs {

class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to `count` bytes; fewer only at the end of the data.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
  virtual std::int64_t Size();
  // What is left between the position and the end.
  std::int64_t Remaining() { return Size() - Position(); }

  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  std::int32_t ReadInt32();
  std::uint8_t ReadByte();
  void WriteInt32(std::int32_t v);
  void WriteByte(std::uint8_t v);
  // Copies `count` bytes from `source` (all of it from its position when count is 0).
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : Bytes_(std::move(bytes)) {}
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return std::int64_t(Bytes_.size()); }

  void Clear() { Bytes_.clear(); Pos_ = 0; }
  const std::vector<std::uint8_t>& Bytes() const { return Bytes_; }
  std::vector<std::uint8_t>& Bytes() { return Bytes_; }

 private:
  std::vector<std::uint8_t> Bytes_;
  std::size_t Pos_ = 0;
};

// A read-only view of bytes that someone else keeps alive (an embedded block, a fuzz input).
class TReadOnlyMemoryStream : public TStream {
 public:
  TReadOnlyMemoryStream(const void* data, std::size_t size)
      : Data_(static_cast<const std::uint8_t*>(data)), Size_(size) {}
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void*, std::size_t) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return std::int64_t(Size_); }

 private:
  const std::uint8_t* Data_;
  std::size_t Size_;
  std::size_t Pos_ = 0;
};

class TFileStream : public TStream {
 public:
  enum class TMode { fmOpenRead, fmCreate };
  TFileStream(const std::string& path, TMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

 private:
  std::FILE* File_ = nullptr;
  std::string Path_;
};

// The whole content of a file; throws EStreamError naming the file when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace bs
