#pragma once
#include <string>

namespace skingen {

// Renders the frame picture and every active picture of the skin described by `iniPath`
// at twice their size, each piece the description names outlined and labelled, into one PNG.
void RenderSheet(const std::string& iniPath, const std::string& pngPath);

}  // namespace skingen
