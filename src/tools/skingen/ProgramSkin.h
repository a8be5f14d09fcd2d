#pragma once
// The program's own skin, drawn and described in code: one calm light style, every piece
// placed once below and both painted from and written into the description from there.

#include <string>
#include <vector>

#include "skin/resources/bsSkinData.h"

namespace skingen {

struct TSkinFile {
  std::string Name;
  bs::TbsSkinBitmap Bitmap;
};

struct TProgramSkin {
  // The description; its picture fields stay empty, the pictures are in Files.
  bs::TbsSkinDataCore Description;
  // The frame picture, the frame mask and the eight active pictures, by file name.
  std::vector<TSkinFile> Files;
};

void BuildProgramSkin(TProgramSkin& skin);
// Writes skin.ini and the bitmaps into `folder`.
void WriteSkinFolder(const TProgramSkin& skin, const std::string& folder);

}  // namespace skingen
