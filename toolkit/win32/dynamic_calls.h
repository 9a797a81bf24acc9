// The Windows functions this toolkit looks up at run time, each with its
// fallback beside it.
//
// Those that came after Windows 7 SP1, the oldest Windows Vantrel runs on:
// the toolkit builds against the Windows 7 API (_WIN32_WINNT 0x0601), so
// calling one of them directly does not compile. Each is looked up in its DLL
// when first used, and where the running Windows lacks it, the fallback does
// the work the way Windows 7 does.
//
// Those of DLLs the program does not import (comctl32, uxtheme, advapi32): the
// program imports only known DLLs, which Windows always loads from System32,
// and loads the others itself once it has kept DLL search out of its own
// folder. A portable Vantrel.exe runs from wherever it was unpacked, such as
// the Downloads folder, where a DLL planted under a common name would
// otherwise be loaded first.
//
// Density: Windows 10 1703 and later run the program per-monitor DPI aware
// (version 2, from the manifest), and a window follows the density of the
// screen it is on. Earlier Windows run it system DPI aware: every window has
// the system's density, laid out once for it, and Windows stretches it on a
// screen of another density.
#pragma once

#include <windows.h>
// After windows.h.
#include <commctrl.h>

namespace vantrel {

// The first thing the program does: DLLs are looked for in System32 alone
// (SetDefaultDllDirectories, Windows 8, and Windows 7 with KB2533623). Where
// Windows lacks it, every System32 DLL the program and the DLLs it uses load
// at run time is loaded at once by its full path, and later loads of these
// names find them loaded; the current folder is left out of the search.
// Built with VANTREL_WITHOUT_DEFAULT_DLL_DIRECTORIES, it takes that way on
// any Windows (the DLL search test's copy of the program).
void RestrictDllSearch();

// Loads common controls 6 and registers `classes` (ICC_*); false where the
// DLL or one of its functions cannot be had.
bool InitializeCommonControls(DWORD classes);
// SetWindowSubclass, DefSubclassProc and RemoveWindowSubclass of the common
// controls InitializeCommonControls loaded.
bool SubclassWindow(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);

// The icon resource `id` of `instance`, `size` pixels square, scaled down
// from a larger image where it has none of that size (LoadIconWithScaleDown
// of common controls 6; LoadImage where it cannot be had). Not shared: the
// caller destroys it.
HICON LoadIconAtSize(HINSTANCE instance, int id, int size);

// Visual styles (uxtheme).
// A brush of `size` holding the tab body of the visual style `window` is
// drawn with, or nullptr where there is none (the classic look, or themes
// off). The caller deletes it. `text` gets the colour text is drawn in on
// it: the style's own for the body, where that reads on the body's colour.
HBRUSH CreateTabBodyBrush(HWND window, SIZE size, COLORREF& text);

// A security descriptor made from its SDDL text
// (ConvertStringSecurityDescriptorToSecurityDescriptorW, of advapi32, which
// the program does not import); nullptr where it cannot be made. The caller
// frees it with LocalFree.
PSECURITY_DESCRIPTOR SecurityDescriptorFromText(const wchar_t* sddl);

// The density of `window`'s screen; the system's density where Windows has
// no per-window density (GetDpiForWindow, Windows 10 1607).
UINT WindowDpi(HWND window);

// The outer rectangle of a window whose client area is `rect`, with its frame
// at `dpi` (AdjustWindowRectExForDpi, Windows 10 1607); at the system's
// density where Windows has nothing else.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

// A system metric at `dpi` (GetSystemMetricsForDpi, Windows 10 1607); at the
// system's density where Windows has nothing else.
int SystemMetricForDpi(int index, UINT dpi);

// From now on (`use`), behaves as on Windows 7: the newer functions count as
// absent, and the system's density is `systemDpi`, or where that is 0 the
// screen's as Windows 7 reads it; `use` false goes back to what the running
// Windows has. The window tests lay the window out this way, since Wine, like
// Windows 10, has the newer functions.
void UseWindows7Fallbacks(bool use, UINT systemDpi = 0);
// From now on GetDpiForWindow answers `dpi` for every window, as for a window
// on a screen of that density; 0 goes back to Windows' answer. The window
// tests open the window this way on a screen of another density than the
// system's, which Wine, with one density for all screens, cannot.
void AnswerWindowDpi(UINT dpi);

}  // namespace vantrel
