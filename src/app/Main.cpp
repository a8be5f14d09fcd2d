#include "app/Main.h"

#include "resources/ProgramSkin.h"

namespace spv::app {

TFRM_SPV::TFRM_SPV(platform::TComponent* owner) : TForm(owner) {
  SetName("FRM_SPV");
  SetCaption(L"Quorvane Spinvolt");
  SetPosition(platform::TPosition::poScreenCenter);

  bsCompressedStoredSkin1 = new bs::TbsCompressedStoredSkin(this);
  bsCompressedStoredSkin1->SetName("bsCompressedStoredSkin1");
  bsCompressedStoredSkin1->FileName = "skin.ini";
  const auto block = ProgramSkinBlock();
  bsCompressedStoredSkin1->CompressedData.WriteBuffer(block.data(), block.size());

  bsSkinData1 = new bs::TbsSkinData(this);
  bsSkinData1->SetName("bsSkinData1");

  bsSkinForm1 = new bs::TbsSkinForm(this);
  bsSkinForm1->SetName("bsSkinForm1");
  bsSkinForm1->SetBorderIcons(bs::biSystemMenu | bs::biMinimize | bs::biMaximize | bs::biRollUp);
  bsSkinForm1->SetMenusSkinData(bsSkinData1);

  // The skin loads as the holder takes it, and the frame applies it as it takes the holder.
  bsSkinData1->SetCompressedStoredSkin(bsCompressedStoredSkin1);
  bsSkinForm1->SetSkinData(bsSkinData1);
  // The client size is measured inside the skinned frame, so the window is made first.
  HandleNeeded();
  SetClientSize(kClientWidth, kClientHeight);
}

}  // namespace spv::app
