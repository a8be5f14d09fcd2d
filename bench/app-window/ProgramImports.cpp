// Linked into a second build of the plain window: one function of each library that
// spinvolt.exe imports beyond the plain window's, so that this program loads the same libraries
// at its start (and runs their start-up) without calling any of them.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

extern "C" {
extern const void* const SpvProgramImports[];
const void* const SpvProgramImports[] = {
    reinterpret_cast<const void*>(&InitCommonControlsEx),  // comctl32
    reinterpret_cast<const void*>(&SetWindowTheme),        // uxtheme
    reinterpret_cast<const void*>(&TransparentBlt),        // msimg32
};
}
