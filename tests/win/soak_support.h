#pragma once
// Measures of what a process holds, and the program's own form with its menu but without the
// start-up sequence, shared by the soak test and the soak benchmark.
//
// Wine keeps no count of a process's handles or GDI objects (both counts read 0). The slot the next
// new object takes is the closest measure it offers: the lowest free slot is used first, so a leak
// moves it on.
#include <windows.h>

#include <cstdint>

#include "app/Unit1.h"

namespace soak {

inline unsigned long NextHandleSlot() {
  HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  const auto slot = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(probe));
  CloseHandle(probe);
  return slot;
}

inline unsigned long NextGdiSlot() {
  HGDIOBJ probe = CreateSolidBrush(RGB(1, 2, 3));
  const auto slot = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(probe) & 0xFFFF);
  DeleteObject(probe);
  return slot;
}

// The form's window, menu and painter, as its creation makes them, without the tray icon, the timer
// and the start-up sequence.
inline void LoadMenu(platform::Application& app, TForm1& form) {
  form.Window().Create(app, unit1::kFormSettings, nullptr);
  form.LoadMenus();
}

// Opens the popup menu the given number of times; each opening is closed once it is drawn.
inline void OpenMenu(TForm1& form, int times) {
  HWND hwnd = static_cast<HWND>(form.Handle());
  SetTimer(hwnd, 9, 15, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  for (int i = 0; i < times; ++i) form.PopupMenu1.Popup(form.Window(), 200 + i % 40, 200);
  KillTimer(hwnd, 9);
}

}  // namespace soak
