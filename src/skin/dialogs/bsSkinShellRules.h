#pragma once
// The folder chooser's rules that need no window: the size it opens at, the names of the
// special roots, how a shell name and a root path are tidied, which items are folders, and
// when the tree's outside scroll bars show.

#include <optional>
#include <string>
#include <string_view>

namespace bs {

// The chooser's client width or height: the remembered value, 280 when none (0 or less),
// raised to the frame's minimum (0 when the frame has no loaded skin).
int ChooserClientExtent(int remembered, int frameMinimum);

// The special folder a root name stands for (its CSIDL number: rfDesktop 0, rfMyComputer 0x11,
// ...), or nothing for a text that is a path. Names compare without ASCII case.
std::optional<int> SpecialFolderOfRoot(std::wstring_view root);
// A root path as the shell parses it: a drive given as "C:" becomes "C:\".
std::wstring CompleteRootPath(std::wstring_view path);

// A name as the shell gave it: a name of more than one character that begins with "?" and a
// digit (an unreadable name the shell numbered) loses every "?".
std::wstring CleanShellName(std::wstring_view name);

// Whether a shell item opens as a folder of the tree: the shell must call it a folder, and a
// file-system item with the extension ".zip" (any case) that is a file on disk, not a
// directory, is an archive the shell opens instead. A real directory named "*.zip" is a folder.
bool IsFolderItem(bool shellFolder, bool fileSystem, std::wstring_view path, bool directoryOnDisk);

// The tree's scroll state and which of its outside bars show.
struct TbsTreeScrollState {
  int VertMax = 0;       // the vertical range's maximum
  int VertPos = 0;
  int VisibleCount = 0;  // items that fit in the window
  int ItemCount = 0;     // nodes of the tree
  int HorzMax = 0;       // the horizontal range's maximum, in pixels
  int HorzPos = 0;
  int TreeWidth = 0;
  bool TreeVisible = true;
};
struct TbsTreeScrollBars {
  bool Vertical = false, Horizontal = false;
  // The horizontal bar leaves the corner under the vertical one.
  bool HorizontalBoth = false;
};
TbsTreeScrollBars TreeScrollBarsShown(const TbsTreeScrollState& s);

// The folder the new-folder button makes under `selected`, or empty when none may be made:
// nothing is selected, or the path is not on a drive (it has no ":\").
std::wstring NewFolderPath(std::wstring_view selected, std::wstring_view name);

}  // namespace bs
