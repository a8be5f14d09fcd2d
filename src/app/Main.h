#pragma once
// The main window of the program. So far it carries its skin and the skinned frame; the
// settings, the run command and the result view come with their own pieces of work.

#include <windows.h>

#include "platform/Forms.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/resources/bsSkinDataWin.h"

namespace spv::app {

inline constexpr int kClientWidth = 604;
inline constexpr int kClientHeight = 529;

class TFRM_SPV : public platform::TForm {
 public:
  // Loads the program's skin and takes the frame over; the window is not shown yet.
  explicit TFRM_SPV(platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TFRM_SPV"; }

  bs::TbsCompressedStoredSkin* bsCompressedStoredSkin1;
  bs::TbsSkinData* bsSkinData1;
  bs::TbsSkinForm* bsSkinForm1;
};

}  // namespace spv::app
