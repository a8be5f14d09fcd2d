#pragma once
// What the tool needs of the system it runs on.

#include "db/DateTime.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace spv::tools {

// The arguments in UTF-8, whatever the system's narrow code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// Makes the console show UTF-8 and colour escapes.
void PrepareConsole();
bool IsTerminal(std::FILE* stream);
std::filesystem::path ExecutablePath();
// Today's date in the machine's time zone.
db::TDateTime Today();

}  // namespace spv::tools
