#pragma once
// The main window's form description as the build finished it: resources/Main.form with the
// packed skin block written into the stored-skin component.

#include <string_view>

namespace spv {

std::string_view ProgramFormDescription();

}  // namespace spv
