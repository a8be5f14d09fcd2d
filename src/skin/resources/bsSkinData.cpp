#include "skin/resources/bsSkinData.h"

#include <algorithm>

namespace bs {
namespace {

constexpr const char* RequiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"};

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A list entry "name:kind"; without a colon both are empty.
std::pair<std::string, std::string> SplitEntry(const std::string& entry) {
  const auto colon = entry.find(':');
  if (colon == std::string::npos) return {};
  return {entry.substr(0, colon), entry.substr(colon + 1)};
}

template <class List, class Create>
void LoadList(List& list, const TbsMemIniFile& ini, const char* section, Create create) {
  const int count = ini.ReadInteger(section, "count", 0);
  for (int k = 0; k < count; ++k) {
    const auto entry = ini.Value(section, std::to_string(k));
    // Entries past every key of the section can only be absent ones, which are skipped;
    // a huge count must not spin through them.
    if (!entry) {
      if (k >= 1 << 16) break;
      continue;
    }
    auto [name, kind] = SplitEntry(*entry);
    auto description = create(kind, std::move(name));
    if (!description) continue;
    description->LoadFromIni(ini);
    list.push_back(std::move(description));
  }
}

template <class List>
void SaveList(const List& list, TbsMemIniFile& ini, const char* section) {
  ini.EraseSection(section);
  ini.WriteInteger(section, "count", int(list.size()));
  for (std::size_t k = 0; k < list.size(); ++k)
    ini.WriteString(section, std::to_string(k), list[k]->IDName + ":" + list[k]->KindWord);
}

template <class List>
int FindByName(const List& list, std::string_view name) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i]->IDName == name) return int(i);
  return -1;
}

void ReadFlaggedBitmap(TStream& stream, TbsSkinBitmap& bitmap) {
  if (stream.ReadByte() != 0) bitmap.Clear();
  else ReadBitmapFile(stream, bitmap);
}

}  // namespace

// ---- [FORMINFO] -----------------------------------------------------------------------

void TbsFormInfo::ExchangeKeys(TbsKeyIO& io) {
  Corners.Exchange(io);
  io.Int("bgpictureindex", BGPictureIndex);
  io.Int("mdibgpictureindex", MDIBGPictureIndex);
  Stretch.Exchange(io);
  io.Rect("maskrectarea", MaskRectArea);
  io.CornerPoints("hittest", HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint,
                  HitTestRightBottomPoint);
  io.Rect("buttonsrect", ButtonsRect);
  io.Rect("captionrect", CaptionRect);
  io.Geometry("buttonsoffset", ButtonsOffset);
  io.Flag("buttonsinleft", ButtonsInLeft);
  io.Flag("mainmenupopupup", MainMenuPopupUp);
  io.Geometry("borderwidth", BorderWidth);
  io.Geometry("formminwidth", FormMinWidth);
  io.Flag("autorenderinginactiveimage", AutoRenderingInActiveImage);
  io.Effect("inactiveeffect", InActiveEffect);
}

void TbsSkinDataCore::LoadFormInfo(const TbsMemIniFile& ini) {
  LoadSectionKeys(FormInfo, ini, "FORMINFO");
  TbsFormInfo& f = FormInfo;
  TbsCornerKeys& k = f.Corners;
  const TRect& c = k.ClientRect;
  if (!MaskPictureName.empty()) {
    if (RectIsEmpty(f.MaskRectArea)) {
      f.MaskRectArea = c;
    } else {
      f.MaskRectArea = {std::min(f.MaskRectArea.Left, c.Left), std::min(f.MaskRectArea.Top, c.Top),
                        std::max(f.MaskRectArea.Right, c.Right), std::max(f.MaskRectArea.Bottom, c.Bottom)};
    }
    if (PointIsUnset(f.HitTestLeftTopPoint)) f.HitTestLeftTopPoint = k.LeftTopPoint;
    if (PointIsUnset(f.HitTestRightTopPoint)) f.HitTestRightTopPoint = k.RightTopPoint;
    if (PointIsUnset(f.HitTestLeftBottomPoint)) f.HitTestLeftBottomPoint = k.LeftBottomPoint;
    if (PointIsUnset(f.HitTestRightBottomPoint)) f.HitTestRightBottomPoint = k.RightBottomPoint;
  }
  if (k.RightBottomPoint.X != k.LeftTopPoint.X && k.RightBottomPoint.Y != k.LeftTopPoint.Y) {
    k.LeftTopPoint = {std::max(k.LeftTopPoint.X, c.Left), std::max(k.LeftTopPoint.Y, c.Top)};
    k.RightTopPoint = {std::min(k.RightTopPoint.X, c.Right), std::max(k.RightTopPoint.Y, c.Top)};
    k.LeftBottomPoint = {std::max(k.LeftBottomPoint.X, c.Left), std::min(k.LeftBottomPoint.Y, c.Bottom)};
    k.RightBottomPoint = {std::min(k.RightBottomPoint.X, c.Right), std::min(k.RightBottomPoint.Y, c.Bottom)};
  }
}

// ---- the stored skin ------------------------------------------------------------------

void TbsCompressedStoredSkinCore::DecompressTo(TStream& stream) const {
  TReadOnlyMemoryStream source(CompressedData.Bytes().data(), CompressedData.Bytes().size());
  DecompressStream(stream, source);
}

bool IsValidSkinText(const TbsMemIniFile& ini) {
  return std::all_of(std::begin(RequiredSections), std::end(RequiredSections),
                     [&ini](const char* s) { return ini.SectionExists(s); });
}

void WriteStoredSkinStream(TStream& stream, const std::string& iniPath) {
  const std::vector<std::uint8_t> raw = ReadFileBytes(iniPath);
  const std::string_view text(reinterpret_cast<const char*>(raw.data()), raw.size());
  const TbsMemIniFile ini(text);
  const std::string folder = DirectoryPart(iniPath);

  stream.WriteInt32(StoredSkinVersion);
  for (const char* key : {"picture", "inactivepicture", "mask"}) {
    const std::string name = ini.ReadString("PICTURES", key, "");
    TbsSkinBitmap bitmap;
    if (!name.empty()) bitmap = LoadBitmapFromFile(folder + name);
    stream.WriteByte(bitmap.Empty() ? 1 : 0);
    if (!bitmap.Empty()) WriteBitmapFile(stream, bitmap);
  }
  const std::vector<std::string> names = ReadNameListKey(ini, "PICTURES", "activepictures");
  stream.WriteInt32(std::int32_t(names.size()));
  for (const std::string& name : names) WriteBitmapFile(stream, LoadBitmapFromFile(folder + name));
  for (const std::string& line : SplitSkinLines(text)) {
    stream.WriteBuffer(line.data(), line.size());
    stream.WriteBuffer("\r\n", 2);
  }
}

void TbsCompressedStoredSkinCore::LoadFromSkinFile(const std::string& path) {
  const std::vector<std::uint8_t> raw = ReadFileBytes(path);
  if (!IsValidSkinText(TbsMemIniFile(std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()))))
    return;
  TMemoryStream plain;
  WriteStoredSkinStream(plain, path);
  TMemoryStream packed;
  CompressStream(plain, packed);
  CompressedData = std::move(packed);
  FileName = FileNamePart(path);
}

void TbsCompressedStoredSkinCore::LoadFromCompressedFile(const std::string& path) {
  CompressedData.Clear();
  TFileStream file(path, TFileStream::TMode::fmOpenRead);
  if (file.ReadInt32() > StoredSkinVersion) return;
  const std::int32_t count = file.ReadInt32();
  if (count < 0 || count > file.Remaining())
    throw EStreamError("\"" + path + "\" is not a complete compressed skin file");
  TMemoryStream data;
  data.CopyFrom(file, count);
  CompressedData = std::move(data);
  CompressedData.SetPosition(0);
  CompressedFileName = FileNamePart(path);
}

void TbsCompressedStoredSkinCore::SaveToCompressedFile(const std::string& path) const {
  TMemoryStream out;
  out.WriteInt32(StoredSkinVersion);
  out.WriteInt32(std::int32_t(CompressedData.Bytes().size()));
  out.WriteBuffer(CompressedData.Bytes().data(), CompressedData.Bytes().size());
  WriteFileBytes(path, out.Bytes());
}

// ---- the skin data --------------------------------------------------------------------

TbsSkinDataCore::TbsSkinDataCore() = default;

TbsSkinDataCore::~TbsSkinDataCore() {
  IsEmpty = true;
  ClearDescriptions();
}

void TbsSkinDataCore::BroadcastSkinMessage(unsigned) {}

void TbsSkinDataCore::ClearDescriptions() {
  SkinObjects.clear();
  SkinControls.clear();
  ActivePictures.clear();
  ActivePictureNames.clear();
  PopupWindow.WindowPictureIndex = -1;
  HintWindow.WindowPictureIndex = -1;
  SkinColors.SetColorsToDefault();
}

void TbsSkinDataCore::ClearSkin() {
  ClearDescriptions();
  Picture.Clear();
  InactivePicture.Clear();
  MaskPicture.Clear();
  PictureName.clear();
  MaskPictureName.clear();
  IsEmpty = true;
}

template <class Read>
void TbsSkinDataCore::RunLoad(Read&& read) {
  IsEmpty = true;
  IsChanging = true;
  bool complete = false;
  try {
    BroadcastSkinMessage(WM_SKIN_BEFORE_CHANGE);
    ClearSkin();
    complete = read();
  } catch (...) {
    // Nothing half-read stays behind, and the frames paint their own look again.
    ClearSkin();
    IsChanging = false;
    throw;
  }
  if (!complete) {
    ClearSkin();
    IsChanging = false;
    return;
  }
  IsEmpty = false;
  BroadcastSkinMessage(WM_SKIN_CHANGED);
  IsChanging = false;
  BroadcastSkinMessage(WM_SKIN_AFTER_CHANGE);
}

void TbsSkinDataCore::LoadFromStoredSkin(const TbsCompressedStoredSkinCore& stored) {
  if (stored.IsEmpty()) return;
  LoadFromCompressedData(stored.CompressedData.Bytes().data(), stored.CompressedData.Bytes().size());
}

void TbsSkinDataCore::LoadFromCompressedData(const void* data, std::size_t size) {
  if (size == 0) return;
  RunLoad([&] {
    TMemoryStream plain;
    TReadOnlyMemoryStream source(data, size);
    DecompressStream(plain, source);
    plain.SetPosition(0);
    return ReadStoredSkinStream(plain);
  });
}

void TbsSkinDataCore::LoadFromStoredSkinStream(TStream& stream) {
  RunLoad([&] {
    return ReadStoredSkinStream(stream);
  });
}

bool TbsSkinDataCore::ReadStoredSkinStream(TStream& stream) {
  const std::int32_t version = stream.ReadInt32();
  if (version >= StoredSkinVersionLimit) return false;
  ReadFlaggedBitmap(stream, Picture);
  ReadFlaggedBitmap(stream, InactivePicture);
  ReadFlaggedBitmap(stream, MaskPicture);
  if (version == 2) {
    TbsSkinBitmap scratch;
    ReadFlaggedBitmap(stream, scratch);
    ReadFlaggedBitmap(stream, scratch);
  }
  const std::int32_t count = stream.ReadInt32();
  for (std::int32_t i = 0; i < count; ++i) {
    // Every picture needs at least its two headers; a count the stream cannot hold fails
    // here rather than after reserving room for it.
    if (stream.Remaining() < 54) throw EInvalidGraphic("Bitmap image is not valid");
    ActivePictures.emplace_back();
    ReadBitmapFile(stream, ActivePictures.back());
  }
  std::string text(std::size_t(stream.Remaining()), '\0');
  if (!text.empty()) stream.ReadBuffer(text.data(), text.size());
  LoadFromIni(TbsMemIniFile(text));
  return true;
}

void TbsSkinDataCore::LoadFromIni(const TbsMemIniFile& ini) {
  SkinName = ini.ReadString("VERSION", "skinname", "");
  SkinAuthor = ini.ReadString("VERSION", "skinauthor", "");
  AuthorEmail = ini.ReadString("VERSION", "authoremail", "");
  AuthorURL = ini.ReadString("VERSION", "authorurl", "");
  SkinComments = ini.ReadString("VERSION", "skincomments", "");
  PictureName = ini.ReadString("PICTURES", "picture", "");
  InactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
  MaskPictureName = ini.ReadString("PICTURES", "mask", "");
  ActivePictureNames = ReadNameListKey(ini, "PICTURES", "activepictures");
  LoadFormInfo(ini);
  PopupWindow.LoadFromIni(ini);
  HintWindow.LoadFromIni(ini);
  SkinColors.LoadFromIni(ini);
  LoadList(SkinObjects, ini, "SKINOBJECTS", CreateSkinObject);
  LoadList(SkinControls, ini, "SKINCONTROLS", CreateSkinControl);
}

void TbsSkinDataCore::SaveToIni(TbsMemIniFile& ini) const {
  ini.EraseSection("VERSION");
  ini.WriteString("VERSION", "ver", std::to_string(StoredSkinVersion));
  ini.WriteString("VERSION", "skinname", SkinName);
  ini.WriteString("VERSION", "skinauthor", SkinAuthor);
  ini.WriteString("VERSION", "authoremail", AuthorEmail);
  ini.WriteString("VERSION", "authorurl", AuthorURL);
  ini.WriteString("VERSION", "skincomments", SkinComments);
  ini.EraseSection("PICTURES");
  ini.WriteString("PICTURES", "picture", PictureName);
  ini.WriteString("PICTURES", "inactivepicture", InactivePictureName);
  ini.WriteString("PICTURES", "mask", MaskPictureName);
  WriteNameListKey(ini, "PICTURES", "activepictures", ActivePictureNames);
  SaveSectionKeys(FormInfo, ini, "FORMINFO");
  PopupWindow.SaveToIni(ini);
  HintWindow.SaveToIni(ini);
  SkinColors.SaveToIni(ini);
  SaveList(SkinObjects, ini, "SKINOBJECTS");
  SaveList(SkinControls, ini, "SKINCONTROLS");
  for (const auto& o : SkinObjects) o->SaveToIni(ini);
  for (const auto& c : SkinControls) c->SaveToIni(ini);
}

int TbsSkinDataCore::FindSkinControl(std::string_view name) const { return FindByName(SkinControls, name); }

int TbsSkinDataCore::FindSkinObject(std::string_view name) const { return FindByName(SkinObjects, name); }

const TbsSkinBitmap* TbsSkinDataCore::ActivePicture(int index) const {
  if (index < 0 || std::size_t(index) >= ActivePictures.size()) return nullptr;
  return &ActivePictures[std::size_t(index)];
}

}  // namespace bs
