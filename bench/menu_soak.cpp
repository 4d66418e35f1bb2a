// Handles and GDI objects of the process before and after a thousand openings of the program's own
// popup menu and five thousand status-poll ticks. Usage: menu_soak [openings] [ticks]
#include <cstdio>
#include <cstdlib>

#include "soak_support.h"

namespace {

void Print(const char* when) {
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  std::printf("%s handles=%lu next_handle_slot=%lu gdi_objects=%lu user_objects=%lu next_gdi_slot=%lu\n",
              when, handles, soak::NextHandleSlot(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
              GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), soak::NextGdiSlot());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int openings = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int ticks = argc > 2 ? std::atoi(argv[2]) : 5000;
  platform::Application app;
  app.HideOwnWindow();
  app.Initialize();
  TForm1 form(app);
  soak::LoadMenu(app, form);
  soak::OpenMenu(form, 1);  // the first opening makes the painter's font
  Print("menu-before");
  soak::OpenMenu(form, openings);
  Print("menu-after");
  std::printf("menu openings=%d items_drawn=%u fonts_held=%u\n", openings + 1, form.XPMenu1.ItemsDrawn(),
              form.XPMenu1.FontsHeld());
  Print("ticks-before");
  for (int i = 0; i < ticks; ++i) form.Timer1Timer(&form);
  Print("ticks-after");
  std::printf("ticks=%d\n", ticks);
  return 0;
}
