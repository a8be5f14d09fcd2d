#include "SkinSheet.h"

#include <stdexcept>

namespace skingen {

void RenderSheet(const std::string&, const std::string&) { throw std::runtime_error("not yet"); }

}  // namespace skingen
