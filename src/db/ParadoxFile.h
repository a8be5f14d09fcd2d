#pragma once
// A table file opened for reading only, shared with the program that writes it: reading never
// locks it and never keeps its writer (or anyone deleting or renaming it) out.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace spv::db {

class TSharedReadFile {
 public:
  // A TDatabaseError naming the file when it is missing, is a folder, is held exclusively by
  // another program or cannot be opened.
  explicit TSharedReadFile(const std::filesystem::path& path);
  ~TSharedReadFile();
  TSharedReadFile(const TSharedReadFile&) = delete;
  TSharedReadFile& operator=(const TSharedReadFile&) = delete;

  // The file's size now: its writer may be growing it.
  std::uint64_t Size() const;
  // Reads up to `size` bytes at `offset`; returns how many it read (fewer at the end).
  std::size_t ReadAt(std::uint64_t offset, void* data, std::size_t size) const;

 private:
  std::string Name;  // for messages
#ifdef _WIN32
  void* Handle;
#else
  int Fd;
#endif
};

// A path as text for messages: UTF-8.
std::string PathText(const std::filesystem::path& path);

}  // namespace spv::db
