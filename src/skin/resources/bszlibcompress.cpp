#include "skin/resources/bszlibcompress.h"

#include <zlib.h>

#include <algorithm>

namespace bs {

struct TCustomZlibStream::ZState {
  z_stream S{};
};

TCustomZlibStream::TCustomZlibStream(TStream& strm)
    : Strm_(strm), StrmPos_(strm.Position()), Z_(std::make_unique<ZState>()) {}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::Progress() {
  if (OnProgress) OnProgress(*this);
}

namespace {

int CCheck(int code) {
  if (code < 0) throw ECompressionError("error");
  return code;
}

int DCheck(int code) {
  if (code < 0) throw EDecompressionError("compression error");
  return code;
}

}  // namespace

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& dest) : TCustomZlibStream(dest) {
  Z_->S.next_out = Buffer_;
  Z_->S.avail_out = BufferSize;
  CCheck(deflateInit(&Z_->S, int(level)));
}

void TCompressionStream::Finish() {
  if (Finished_) return;
  Finished_ = true;
  z_stream& z = Z_->S;
  z.next_in = nullptr;
  z.avail_in = 0;
  try {
    Strm_.SetPosition(StrmPos_);
    while (CCheck(deflate(&z, Z_FINISH)) != Z_STREAM_END && z.avail_out == 0) {
      Strm_.WriteBuffer(Buffer_, BufferSize);
      z.next_out = Buffer_;
      z.avail_out = BufferSize;
    }
    if (z.avail_out < BufferSize) Strm_.WriteBuffer(Buffer_, BufferSize - z.avail_out);
    StrmPos_ = Strm_.Position();
  } catch (...) {
    deflateEnd(&z);
    throw;
  }
  deflateEnd(&z);
}

TCompressionStream::~TCompressionStream() {
  try {
    Finish();
  } catch (...) {
    // Nothing can be reported from here; Finish() is the checked way.
  }
}

std::size_t TCompressionStream::Read(void*, std::size_t) { throw ECompressionError("Invalid stream operation"); }

std::size_t TCompressionStream::Write(const void* buffer, std::size_t count) {
  if (Finished_) throw ECompressionError("Invalid stream operation");
  z_stream& z = Z_->S;
  const auto* in = static_cast<const Bytef*>(buffer);
  std::size_t left = count;
  // zlib counts in 32-bit units; feed huge buffers in slices.
  while (left > 0) {
    const uInt slice = uInt(std::min<std::size_t>(left, 1u << 30));
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = slice;
    Strm_.SetPosition(StrmPos_);
    while (z.avail_in > 0) {
      CCheck(deflate(&z, Z_NO_FLUSH));
      if (z.avail_out == 0) {
        Strm_.WriteBuffer(Buffer_, BufferSize);
        z.next_out = Buffer_;
        z.avail_out = BufferSize;
        StrmPos_ = Strm_.Position();
        Progress();
      }
    }
    in += slice;
    left -= slice;
  }
  return count;
}

std::int64_t TCompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  if (offset == 0 && origin == TSeekOrigin::soCurrent) return std::int64_t(Z_->S.total_in);
  throw ECompressionError("Invalid stream operation");
}

TDecompressionStream::TDecompressionStream(TStream& source)
    : TCustomZlibStream(source), StartPos_(source.Position()) {
  Z_->S.next_in = Buffer_;
  Z_->S.avail_in = 0;
  DCheck(inflateInit(&Z_->S));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&Z_->S); }

std::size_t TDecompressionStream::Read(void* buffer, std::size_t count) {
  z_stream& z = Z_->S;
  auto* out = static_cast<Bytef*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const uInt room = uInt(std::min<std::size_t>(count - done, 1u << 30));
    z.next_out = out + done;
    z.avail_out = room;
    while (z.avail_out > 0) {
      if (z.avail_in == 0) {
        Strm_.SetPosition(StrmPos_);
        const std::size_t got = Strm_.Read(Buffer_, BufferSize);
        if (got == 0) return done + (room - z.avail_out);
        z.next_in = Buffer_;
        z.avail_in = uInt(got);
        StrmPos_ = Strm_.Position();
        Progress();
      }
      const uInt inBefore = z.avail_in, outBefore = z.avail_out;
      const int rc = DCheck(inflate(&z, Z_NO_FLUSH));
      // A stream that asks for a preset dictionary cannot be read here, and one that moves
      // neither input nor output would never end.
      if (rc == Z_NEED_DICT || (rc != Z_STREAM_END && z.avail_in == inBefore && z.avail_out == outBefore))
        throw EDecompressionError("compression error");
      // The end of the zlib data is the end of what this stream has to give, even when
      // the source carries more bytes behind it.
      if (rc == Z_STREAM_END) return done + (room - z.avail_out);
    }
    done += room;
  }
  return done;
}

std::size_t TDecompressionStream::Write(const void*, std::size_t) {
  throw EDecompressionError("Invalid stream operation");
}

std::int64_t TDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  z_stream& z = Z_->S;
  if (offset == 0 && origin == TSeekOrigin::soBeginning) {
    DCheck(inflateReset(&z));
    z.next_in = Buffer_;
    z.avail_in = 0;
    StrmPos_ = StartPos_;
    Strm_.SetPosition(StrmPos_);
    return 0;
  }
  std::int64_t skip = -1;
  if (origin == TSeekOrigin::soCurrent && offset >= 0) skip = offset;
  if (origin == TSeekOrigin::soBeginning && offset - std::int64_t(z.total_out) >= 0)
    skip = offset - std::int64_t(z.total_out);
  if (skip < 0) throw EDecompressionError("Invalid stream operation");
  std::uint8_t scratch[BufferSize];
  while (skip > 0) {
    const std::size_t want = std::size_t(std::min<std::int64_t>(skip, BufferSize));
    const std::size_t got = Read(scratch, want);
    if (got == 0) break;
    skip -= std::int64_t(got);
  }
  return std::int64_t(z.total_out);
}

std::int64_t TDecompressionStream::Size() { throw EDecompressionError("Invalid stream operation"); }

void CompressStream(TStream& source, TStream& dest) {
  source.SetPosition(0);
  TCompressionStream comp(TCompressionLevel::clMax, dest);
  comp.CopyFrom(source, 0);
  comp.Finish();
}

void DecompressStream(TStream& dest, TStream& source) {
  source.SetPosition(0);
  TDecompressionStream decomp(source);
  std::uint8_t buffer[4096];
  for (;;) {
    const std::size_t got = decomp.Read(buffer, sizeof buffer);
    if (got == 0) break;
    dest.WriteBuffer(buffer, got);
  }
}

}  // namespace bs
