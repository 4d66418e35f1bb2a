#pragma once
// Shared between the Win32 implementations of the platform layer; nothing outside platform/win32
// includes it.
#include <windows.h>

#include "platform/handle.h"

namespace platform::win32 {

// The message by which the notification area reports mouse events on the icon to its window.
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

inline HWND AsWindow(WindowHandle h) {
  return static_cast<HWND>(h);
}

inline void DeleteGdiObject(HGDIOBJ h) {
  DeleteObject(h);
}
using OwnedGdi = Owned<HGDIOBJ, DeleteGdiObject>;

}  // namespace platform::win32
