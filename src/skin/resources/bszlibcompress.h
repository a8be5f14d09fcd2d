#pragma once
// The pair of zlib streams that pack and unpack the stored skin. Each works over another
// stream and puts that stream back where it last stopped before every exchange, since others
// may move it in between.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

#include "skin/resources/bsSkinDataStream.h"

namespace bs {

class ECompressionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EDecompressionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TCompressionLevel { clNone = 0, clFastest = 1, clDefault = -1, clMax = 9 };

class TCustomZlibStream : public TStream {
 public:
  ~TCustomZlibStream() override;
  TCustomZlibStream(const TCustomZlibStream&) = delete;
  TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;
  // Called after each buffer exchanged with the underlying stream.
  std::function<void(TCustomZlibStream&)> OnProgress;

 protected:
  explicit TCustomZlibStream(TStream& strm);
  void Progress();

  static constexpr std::size_t BufferSize = 4096;
  struct ZState;
  TStream& Strm_;
  std::int64_t StrmPos_;
  std::unique_ptr<ZState> Z_;
  std::uint8_t Buffer_[BufferSize];
};

class TCompressionStream final : public TCustomZlibStream {
 public:
  TCompressionStream(TCompressionLevel level, TStream& dest);
  // Finishes the zlib stream into the destination. A failure there cannot be reported from a
  // destructor, so callers that must know call Finish() first.
  ~TCompressionStream() override;
  std::size_t Read(void*, std::size_t) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  // Only a seek by 0 from the current position: the number of bytes taken in so far.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return Seek(0, TSeekOrigin::soCurrent); }
  void Finish();

 private:
  bool Finished_ = false;
};

class TDecompressionStream final : public TCustomZlibStream {
 public:
  explicit TDecompressionStream(TStream& source);
  ~TDecompressionStream() override;
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void*, std::size_t) override;
  // Rewinding restarts from the source's start; forward seeks read and discard.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;

 private:
  std::int64_t StartPos_;
};

// Rewinds `source` and writes all of it to `dest` as a zlib stream at level 9.
void CompressStream(TStream& source, TStream& dest);
// Rewinds `source` and appends everything it inflates to to `dest`.
void DecompressStream(TStream& dest, TStream& source);

}  // namespace bs
