// Leak soak: the program's own form, its status poll and its menu, driven thousands of times in
// one process under Wine; what the process holds stays flat.
#include <gtest/gtest.h>

#include "soak_support.h"

namespace {

TEST(Soak, TicksAndMenuOpeningsHoldNoMoreHandlesOrGdiObjects) {
  platform::Application app;
  app.HideOwnWindow();
  app.Initialize();
  TForm1 form(app);
  soak::LoadMenu(app, form);
  soak::OpenMenu(form, 1);
  const unsigned long handles = soak::NextHandleSlot(), gdi = soak::NextGdiSlot();
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < 600; ++i) form.Timer1Timer(&form);
    soak::OpenMenu(form, 250);
  }
  EXPECT_EQ(soak::NextHandleSlot(), handles);
  // Wine may free objects of its own meanwhile, so the slot can move a little either way; a leak of
  // even one object per opening would move it on by a thousand.
  EXPECT_LE(soak::NextGdiSlot(), gdi + 8);
  // Every opening that stayed open long enough draws the four items of the popup; on a loaded
  // machine a few close before they are drawn.
  EXPECT_GE(form.XPMenu1.ItemsDrawn(), 500u * 4);
  EXPECT_EQ(form.XPMenu1.FontsHeld(), 1u);
}

}  // namespace
