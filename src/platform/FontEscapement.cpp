#include "platform/FontEscapement.h"

namespace spv::platform {

TGdiHandle<HFONT> CreateEscapedFont(const TFont& font, int escapement) {
  LOGFONTW lf{};
  GetObjectW(font.Handle(), sizeof(lf), &lf);
  lf.lfEscapement = lf.lfOrientation = escapement;
  // Only outline fonts turn.
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  return TGdiHandle<HFONT>(CreateFontIndirectW(&lf));
}

}  // namespace spv::platform
