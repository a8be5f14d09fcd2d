#pragma once
// What the console tools need of the system they run on.

#include "base/DateTime.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace spv::tools {

// The arguments after the program's name, in UTF-8 whatever the system's narrow code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// Makes the console read and show UTF-8 and colour escapes.
void PrepareConsole();
// No translation of line ends on standard input and output, so that CSV keeps its CRLF.
void UseBinaryStdio();
bool IsTerminal(std::FILE* stream);
std::filesystem::path ExecutablePath();
// Today's date in the machine's time zone.
spv::base::TDateTime Today();
// A UTF-8 path text as a path, whatever the system's narrow code page.
std::filesystem::path PathFromUtf8(const std::string& utf8);

}  // namespace spv::tools
