#pragma once
// One loaded skin in memory, and the compressed block that carries a skin inside the
// program. These are the portable cores; the window layer wraps them as components that
// have owners, take part in removal notification and send the skin messages to every form.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/resources/bsSkinDataBitmap.h"
#include "skin/resources/bsSkinDataControls.h"
#include "skin/resources/bsSkinDataObjects.h"
#include "skin/resources/bszlibcompress.h"

namespace bs {

// The skin messages, sent synchronously to every form with wParam = the skin data and
// lParam = SkinMessageLParam.
inline constexpr unsigned WM_SKIN_BEFORE_CHANGE = 0x0400 + 201;
inline constexpr unsigned WM_SKIN_CHANGED = 0x0400 + 202;
inline constexpr unsigned WM_SKIN_AFTER_CHANGE = 0x0400 + 203;
inline constexpr unsigned WM_SKIN_STRINGS_CHANGED = 0x0400 + 250;
inline constexpr long SkinMessageLParam = 1000;

// The version that the packer writes; a stored skin of StoredSkinVersionLimit or more is not read.
inline constexpr std::int32_t StoredSkinVersion = 3;
inline constexpr std::int32_t StoredSkinVersionLimit = 4;

// [FORMINFO]: the skin of a window frame.
struct TbsFormInfo {
  TbsCornerKeys Corners;
  int BGPictureIndex = -1, MDIBGPictureIndex = -1;
  TbsStretchKeys Stretch;
  TRect MaskRectArea;
  TPoint HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint, HitTestRightBottomPoint;
  TRect ButtonsRect, CaptionRect;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  bool MainMenuPopupUp = false;
  int BorderWidth = 0;
  int FormMinWidth = 0;
  bool AutoRenderingInActiveImage = false;
  TbsInactiveEffect InActiveEffect = TbsInactiveEffect::Brightness;

  void ExchangeKeys(TbsKeyIO& io);
};

// The data of a stored skin: the zlib block and the names it was packed from.
class TbsCompressedStoredSkinCore {
 public:
  TbsCompressedStoredSkinCore() = default;
  virtual ~TbsCompressedStoredSkinCore() = default;

  std::string FileName;            // file-name part only
  std::string CompressedFileName;  // file-name part only
  std::string Description;
  TMemoryStream CompressedData;

  bool IsEmpty() const { return CompressedData.Bytes().empty(); }
  // Inflates the whole block into `stream` at its position.
  void DecompressTo(TStream& stream) const;

  // Packs the skin folder of the description file at `path` at level 9. A description
  // without the five required sections leaves the data as it was; so does any failure while
  // packing (the old block is replaced only by a complete new one).
  void LoadFromSkinFile(const std::string& path);
  // Takes the block from a compressed skin file. A file of a later version leaves it empty.
  void LoadFromCompressedFile(const std::string& path);
  // Writes the compressed-file form: version, byte count, the block.
  void SaveToCompressedFile(const std::string& path) const;
};

// True when the description holds [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] and
// [SKINCONTROLS].
bool IsValidSkinText(const TbsMemIniFile& ini);
// The decompressed layout of a skin folder: what LoadFromSkinFile compresses.
void WriteStoredSkinStream(TStream& stream, const std::string& iniPath);

class TbsSkinDataCore {
 public:
  TbsSkinDataCore();
  virtual ~TbsSkinDataCore();
  TbsSkinDataCore(const TbsSkinDataCore&) = delete;
  TbsSkinDataCore& operator=(const TbsSkinDataCore&) = delete;

  bool EnableSkinEffects = true;
  bool IsEmpty = true;
  bool IsChanging = false;

  TbsSkinColors SkinColors;
  TbsFormInfo FormInfo;
  TbsDataSkinPopupWindow PopupWindow;
  TbsDataSkinHintWindow HintWindow;

  TbsSkinBitmap Picture, InactivePicture, MaskPicture;
  std::vector<TbsSkinBitmap> ActivePictures;
  std::string PictureName, InactivePictureName, MaskPictureName;
  std::vector<std::string> ActivePictureNames;

  std::vector<std::unique_ptr<TbsDataSkinObject>> SkinObjects;
  std::vector<std::unique_ptr<TbsDataSkinControl>> SkinControls;

  std::string SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

  // The whole load with its announcements. A stored skin without data changes nothing. On
  // any failure the skin is left cleared and empty, IsChanging is reset, and the error is
  // raised; a stream of a later version is dropped the same way without an error.
  void LoadFromStoredSkin(const TbsCompressedStoredSkinCore& stored);
  // The same from a zlib block in memory (the program's embedded skin).
  void LoadFromCompressedData(const void* data, std::size_t size);
  // The same from a decompressed stored-skin stream.
  void LoadFromStoredSkinStream(TStream& stream);

  void ClearSkin();
  void ClearDescriptions();

  // Index of the first description named exactly `name`, or -1.
  int FindSkinControl(std::string_view name) const;
  int FindSkinObject(std::string_view name) const;
  // The active picture of a description's index, or nullptr when the index names none.
  const TbsSkinBitmap* ActivePicture(int index) const;

  // Reads the description text (the last step of a load).
  void LoadFromIni(const TbsMemIniFile& ini);
  // Writes the whole description: the sections of the skin and of every description.
  void SaveToIni(TbsMemIniFile& ini) const;

 protected:
  // The window layer sends `msg` to every form; the portable core has none to tell.
  virtual void BroadcastSkinMessage(unsigned msg);

 private:
  // Steps 2 to 9 of a load around `read`, which fills the cleared skin.
  template <class Read>
  void RunLoad(Read&& read);
  // False when the stream is of a version this reader does not know.
  bool ReadStoredSkinStream(TStream& stream);
  void LoadFormInfo(const TbsMemIniFile& ini);
};

}  // namespace bs
