// skinpack: packs a skin folder into a compressed skin file, or lists what such a file holds.
//
//   skinpack SKIN.INI OUTPUT   pack the folder of SKIN.INI (level 9) into OUTPUT
//   skinpack --list FILE       print the pictures and descriptions of a compressed skin file

#include <cstdio>
#include <exception>
#include <string>

#include "skin/resources/bsSkinData.h"

namespace {

int Usage() {
  std::fputs("usage: skinpack SKIN.INI OUTPUT\n       skinpack --list FILE\n", stderr);
  return 2;
}

void PrintPicture(const char* role, const bs::TbsSkinBitmap& b) {
  if (b.Empty()) std::printf("%-24s empty\n", role);
  else std::printf("%-24s %d x %d, %d bit\n", role, b.Width(), b.Height(), b.BitCount);
}

int List(const std::string& path) {
  bs::TbsCompressedStoredSkinCore stored;
  stored.LoadFromCompressedFile(path);
  if (stored.IsEmpty()) {
    std::fprintf(stderr, "skinpack: %s holds no skin of a version this program reads\n", path.c_str());
    return 1;
  }
  bs::TMemoryStream plain;
  stored.DecompressTo(plain);
  plain.SetPosition(0);
  const std::int32_t version = plain.ReadInt32();
  plain.SetPosition(0);
  bs::TbsSkinDataCore skin;
  skin.LoadFromStoredSkinStream(plain);
  if (skin.IsEmpty) {
    std::fprintf(stderr, "skinpack: %s is of stored-skin version %d, which this program does not read\n",
                 path.c_str(), int(version));
    return 1;
  }
  std::printf("version                  %d\n", int(version));
  std::printf("compressed               %zu bytes, decompressed %lld bytes\n", stored.CompressedData.Bytes().size(),
              static_cast<long long>(plain.Size()));
  if (!skin.SkinName.empty()) std::printf("name                     %s\n", skin.SkinName.c_str());
  PrintPicture("Picture", skin.Picture);
  PrintPicture("InactivePicture", skin.InactivePicture);
  PrintPicture("MaskPicture", skin.MaskPicture);
  std::printf("active pictures          %zu\n", skin.ActivePictures.size());
  for (std::size_t i = 0; i < skin.ActivePictures.size(); ++i) {
    const std::string name = i < skin.ActivePictureNames.size() ? skin.ActivePictureNames[i] : std::string();
    const std::string role = "  " + std::to_string(i) + " " + name;
    PrintPicture(role.c_str(), skin.ActivePictures[i]);
  }
  std::printf("frame objects            %zu\n", skin.SkinObjects.size());
  for (std::size_t i = 0; i < skin.SkinObjects.size(); ++i)
    std::printf("  %zu %s:%s\n", i, skin.SkinObjects[i]->IDName.c_str(), skin.SkinObjects[i]->KindWord.c_str());
  std::printf("controls                 %zu\n", skin.SkinControls.size());
  for (std::size_t i = 0; i < skin.SkinControls.size(); ++i)
    std::printf("  %zu %s:%s\n", i, skin.SkinControls[i]->IDName.c_str(), skin.SkinControls[i]->KindWord.c_str());
  return 0;
}

int Pack(const std::string& ini, const std::string& output) {
  bs::TbsCompressedStoredSkinCore stored;
  stored.LoadFromSkinFile(ini);
  if (stored.IsEmpty()) {
    std::fprintf(stderr,
                 "skinpack: %s is no skin description: it needs [VERSION], [PICTURES], [FORMINFO], "
                 "[SKINOBJECTS] and [SKINCONTROLS]\n",
                 ini.c_str());
    return 1;
  }
  stored.SaveToCompressedFile(output);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string(argv[1]) == "--list") return List(argv[2]);
    if (argc == 3 && argv[1][0] != '-') return Pack(argv[1], argv[2]);
    return Usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinpack: %s\n", e.what());
    return 1;
  }
}
