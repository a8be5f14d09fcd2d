#pragma once
// What spinvolt-query needs of the system it runs on.

#include <string>
#include <vector>

namespace spv::tools {

// The arguments after the program's name, in UTF-8 whatever the system's narrow code page.
std::vector<std::string> QueryArguments(int argc, char** argv);
// UTF-8 on the console, and no translation of line ends, so that CSV keeps its CRLF.
void PrepareQueryConsole();
// The user's short date format as a Windows pattern ("dd.MM.yyyy", "M/d/yyyy").
std::string UserShortDateFormat();

}  // namespace spv::tools
