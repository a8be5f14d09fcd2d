#include "skin/resources/bsSkinDataStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace bs {

std::int64_t TStream::Size() {
  const std::int64_t pos = Position();
  const std::int64_t end = Seek(0, TSeekOrigin::soEnd);
  SetPosition(pos);
  return end;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (Write(buffer, count) != count) throw EStreamError("Stream write error");
}

std::int32_t TStream::ReadInt32() {
  std::uint8_t b[4];
  ReadBuffer(b, 4);
  return std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                      std::uint32_t(b[3]) << 24);
}

std::uint8_t TStream::ReadByte() {
  std::uint8_t b;
  ReadBuffer(&b, 1);
  return b;
}

void TStream::WriteInt32(std::int32_t v) {
  const std::uint32_t u = std::uint32_t(v);
  const std::uint8_t b[4] = {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
  WriteBuffer(b, 4);
}

void TStream::WriteByte(std::uint8_t v) { WriteBuffer(&v, 1); }

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  std::uint8_t buffer[65536];
  std::int64_t done = 0;
  for (;;) {
    std::size_t want = sizeof buffer;
    if (count > 0) {
      if (done == count) break;
      want = std::size_t(std::min<std::int64_t>(want, count - done));
    }
    const std::size_t got = source.Read(buffer, want);
    if (got == 0) {
      if (count > 0) throw EStreamError("Stream read error");
      break;
    }
    WriteBuffer(buffer, got);
    done += std::int64_t(got);
  }
  return done;
}

namespace {

std::int64_t SeekTarget(std::int64_t offset, TSeekOrigin origin, std::size_t pos, std::size_t size) {
  std::int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent) base = std::int64_t(pos);
  if (origin == TSeekOrigin::soEnd) base = std::int64_t(size);
  const std::int64_t target = base + offset;
  if (target < 0) throw EStreamError("Invalid stream position");
  return target;
}

}  // namespace

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (Pos_ >= Bytes_.size()) return 0;
  const std::size_t n = std::min(count, Bytes_.size() - Pos_);
  std::memcpy(buffer, Bytes_.data() + Pos_, n);
  Pos_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (Pos_ + count > Bytes_.size()) Bytes_.resize(Pos_ + count);
  std::memcpy(Bytes_.data() + Pos_, buffer, count);
  Pos_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  Pos_ = std::size_t(SeekTarget(offset, origin, Pos_, Bytes_.size()));
  return std::int64_t(Pos_);
}

std::size_t TReadOnlyMemoryStream::Read(void* buffer, std::size_t count) {
  if (Pos_ >= Size_) return 0;
  const std::size_t n = std::min(count, Size_ - Pos_);
  std::memcpy(buffer, Data_ + Pos_, n);
  Pos_ += n;
  return n;
}

std::size_t TReadOnlyMemoryStream::Write(const void*, std::size_t) {
  throw EStreamError("Stream write error");
}

std::int64_t TReadOnlyMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  Pos_ = std::size_t(SeekTarget(offset, origin, Pos_, Size_));
  return std::int64_t(Pos_);
}

TFileStream::TFileStream(const std::string& path, TMode mode) : Path_(path) {
  File_ = std::fopen(path.c_str(), mode == TMode::fmCreate ? "wb" : "rb");
  if (!File_)
    throw EStreamError("Cannot open file \"" + path + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
  if (File_) std::fclose(File_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) { return std::fread(buffer, 1, count, File_); }

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  const std::size_t n = std::fwrite(buffer, 1, count, File_);
  if (n != count) throw EStreamError("Cannot write file \"" + Path_ + "\"");
  return n;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
  if (std::fseek(File_, long(offset), whence) != 0) throw EStreamError("Invalid stream position");
  return std::int64_t(std::ftell(File_));
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  TFileStream file(path, TFileStream::TMode::fmOpenRead);
  TMemoryStream bytes;
  bytes.CopyFrom(file, 0);
  return std::move(bytes.Bytes());
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  TFileStream file(path, TFileStream::TMode::fmCreate);
  if (!bytes.empty()) file.WriteBuffer(bytes.data(), bytes.size());
}

}  // namespace bs
