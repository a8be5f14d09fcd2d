#include "skin/dialogs/bsSkinShellRules.h"

#include <algorithm>
#include <array>
#include <utility>

namespace bs {

namespace {

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; }

bool SameAscii(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return LowerAscii(x) == LowerAscii(y); });
}

constexpr std::array<std::pair<std::wstring_view, int>, 23> kRoots{{
    {L"rfDesktop", 0x00},           {L"rfInternet", 0x01},        {L"rfPrograms", 0x02},
    {L"rfControlPanel", 0x03},      {L"rfPrinters", 0x04},        {L"rfPersonal", 0x05},
    {L"rfFavorites", 0x06},         {L"rfStartup", 0x07},         {L"rfRecent", 0x08},
    {L"rfSendTo", 0x09},            {L"rfRecycleBin", 0x0A},      {L"rfStartMenu", 0x0B},
    {L"rfDesktopDirectory", 0x10},  {L"rfMyComputer", 0x11},      {L"rfNetwork", 0x12},
    {L"rfNetworkNeighborhood", 0x13}, {L"rfFonts", 0x14},         {L"rfTemplates", 0x15},
    {L"rfCommonStartMenu", 0x16},   {L"rfCommonPrograms", 0x17},  {L"rfCommonStartup", 0x18},
    {L"rfCommonDesktopDirectory", 0x19}, {L"rfAppData", 0x1A},
}};

}  // namespace

int ChooserClientExtent(int remembered, int frameMinimum) {
  const int extent = remembered > 0 ? remembered : 280;
  return std::max(extent, frameMinimum);
}

std::optional<int> SpecialFolderOfRoot(std::wstring_view root) {
  for (const auto& [name, csidl] : kRoots)
    if (SameAscii(name, root)) return csidl;
  return std::nullopt;
}

std::wstring CompleteRootPath(std::wstring_view path) {
  std::wstring p(path);
  if (!p.empty() && p.back() == L':') p += L'\\';
  return p;
}

std::wstring CleanShellName(std::wstring_view name) {
  std::wstring n(name);
  if (n.size() > 1 && n[0] == L'?' && n[1] >= L'0' && n[1] <= L'9') std::erase(n, L'?');
  return n;
}

bool IsFolderItem(bool shellFolder, bool fileSystem, std::wstring_view path, bool directoryOnDisk) {
  if (!shellFolder) return false;
  const bool zipName = path.size() >= 4 && SameAscii(path.substr(path.size() - 4), L".zip");
  return !(fileSystem && zipName && !directoryOnDisk);
}

TbsTreeScrollBars TreeScrollBarsShown(const TbsTreeScrollState& s) {
  TbsTreeScrollBars bars;
  bars.Vertical = s.TreeVisible && s.VertMax > 0 && s.VertMax >= s.VisibleCount && s.VertMax < s.ItemCount;
  bars.Horizontal = s.TreeVisible && s.HorzMax > s.TreeWidth;
  bars.HorizontalBoth = bars.Vertical;
  return bars;
}

std::wstring NewFolderPath(std::wstring_view selected, std::wstring_view name) {
  if (selected.empty() || selected.find(L":\\") == std::wstring_view::npos) return {};
  std::wstring path(selected);
  if (path.back() != L'\\') path += L'\\';
  return path + std::wstring(name);
}

}  // namespace bs
