#pragma once
// Measures of what a process holds, and the program's own form with its menu but without the
// start-up sequence, shared by the soak test and the soak benchmark.
//
// Wine keeps no count of a process's handles or GDI objects (both counts read 0). The slots new
// objects take are the closest measure it offers: the lowest free slots are used first, so a leak
// moves them on. One probe alone would drop into a hole that some short-lived object of Wine's left
// below the objects in use; the highest of a batch of probes stands above such holes.
#include <windows.h>

#include <cstdint>

#include "app/Unit1.h"

namespace soak {

constexpr int kProbes = 64;

inline unsigned long NextHandleSlot() {
  HANDLE probes[kProbes];
  unsigned long top = 0;
  for (HANDLE& p : probes) {
    p = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    const auto slot = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(p));
    if (slot > top) top = slot;
  }
  for (HANDLE p : probes) CloseHandle(p);
  return top;
}

inline unsigned long NextGdiSlot() {
  HGDIOBJ probes[kProbes];
  unsigned long top = 0;
  for (HGDIOBJ& p : probes) {
    p = CreateSolidBrush(RGB(1, 2, 3));
    const auto slot = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(p) & 0xFFFF);
    if (slot > top) top = slot;
  }
  for (HGDIOBJ p : probes) DeleteObject(p);
  return top;
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
