#include "db/ParadoxFile.h"

#include "db/DatabaseError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace spv::db {

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

#ifdef _WIN32

namespace {
std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD len = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0,
      nullptr);
  std::string message = len ? std::string(text, len) : "system error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return message;
}
}  // namespace

TSharedReadFile::TSharedReadFile(const std::filesystem::path& path) : Name(PathText(path)) {
  Handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (Handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
      throw TDatabaseError(Name + ": the table is locked by another program");
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
      throw TDatabaseError(Name + ": no such table");
    throw TDatabaseError(Name + ": cannot open: " + SystemMessage(code));
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(Handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(Handle);
    throw TDatabaseError(Name + ": is a folder, not a table");
  }
}

TSharedReadFile::~TSharedReadFile() { CloseHandle(Handle); }

std::uint64_t TSharedReadFile::Size() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Handle, &size))
    throw TDatabaseError(Name + ": cannot read: " + SystemMessage(GetLastError()));
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t TSharedReadFile::ReadAt(std::uint64_t offset, void* data, std::size_t size) const {
  std::size_t done = 0;
  while (done < size) {
    OVERLAPPED at{};
    const std::uint64_t where = offset + done;
    at.Offset = static_cast<DWORD>(where);
    at.OffsetHigh = static_cast<DWORD>(where >> 32);
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(Handle, static_cast<char*>(data) + done, want, &got, &at)) {
      const DWORD code = GetLastError();
      if (code == ERROR_HANDLE_EOF) break;
      if (code == ERROR_LOCK_VIOLATION)
        throw TDatabaseError(Name + ": the table is locked by another program");
      throw TDatabaseError(Name + ": cannot read: " + SystemMessage(code));
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

#else

TSharedReadFile::TSharedReadFile(const std::filesystem::path& path) : Name(PathText(path)) {
  Fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    const int code = errno;
    if (code == ENOENT || code == ENOTDIR) throw TDatabaseError(Name + ": no such table");
    throw TDatabaseError(Name + ": cannot open: " + std::strerror(code));
  }
  struct stat info;
  if (::fstat(Fd, &info) == 0 && !S_ISREG(info.st_mode)) {
    ::close(Fd);
    throw TDatabaseError(Name + (S_ISDIR(info.st_mode) ? ": is a folder, not a table" : ": is not a file"));
  }
}

TSharedReadFile::~TSharedReadFile() { ::close(Fd); }

std::uint64_t TSharedReadFile::Size() const {
  struct stat info;
  if (::fstat(Fd, &info) != 0) throw TDatabaseError(Name + ": cannot read: " + std::strerror(errno));
  return static_cast<std::uint64_t>(info.st_size);
}

std::size_t TSharedReadFile::ReadAt(std::uint64_t offset, void* data, std::size_t size) const {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(Fd, static_cast<char*>(data) + done, size - done,
                                static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw TDatabaseError(Name + ": cannot read: " + std::strerror(errno));
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

#endif

}  // namespace spv::db
