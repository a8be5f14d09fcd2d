// skingen: draws the program's own skin.
//
//   skingen FOLDER                 write skin.ini and its bitmaps into FOLDER
//   skingen --glyphs FOLDER        write the program's glyphs (calendar, new folder) into FOLDER
//   skingen --sheet SKIN.INI PNG   render a sheet of the skin's pictures at 2x with every
//                                  piece the description names outlined and labelled

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "ProgramSkin.h"
#include "SkinGlyphs.h"
#include "SkinSheet.h"

int main(int argc, char** argv) {
  try {
    if (argc == 2 && argv[1][0] != '-') {
      std::filesystem::create_directories(argv[1]);
      skingen::TProgramSkin skin;
      skingen::BuildProgramSkin(skin);
      skingen::WriteSkinFolder(skin, argv[1]);
      return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--glyphs") {
      skingen::WriteProgramGlyphs(argv[2]);
      return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--sheet") {
      skingen::RenderSheet(argv[2], argv[3]);
      return 0;
    }
    std::fputs("usage: skingen FOLDER\n       skingen --glyphs FOLDER\n       skingen --sheet SKIN.INI OUTPUT.png\n", stderr);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
}
