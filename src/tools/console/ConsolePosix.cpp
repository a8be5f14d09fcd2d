#include "tools/console/Console.h"

#include <ctime>
#include <unistd.h>

namespace spv::tools {

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void PrepareConsole() {}

void UseBinaryStdio() {}

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

std::filesystem::path ExecutablePath() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec);
}

spv::base::TDateTime Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return *spv::base::EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace spv::tools
