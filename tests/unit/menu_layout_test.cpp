// The owner-drawn menu's measurements and colours.
#include <gtest/gtest.h>

#include "app/Unit1.h"

namespace {

using platform::Rgb;
using platform::SysColor;

Rgb Colors(SysColor c) {
  switch (c) {
    case SysColor::ButtonFace:
      return {212, 208, 200};
    case SysColor::Window:
      return {255, 255, 255};
    case SysColor::Highlight:
      return {10, 36, 106};
    case SysColor::MenuText:
      return {0, 0, 0};
    case SysColor::InactiveCaption:
      return {128, 128, 128};
    case SysColor::ButtonShadow:
      return {128, 128, 128};
    default:
      return {1, 2, 3};
  }
}

const platform::MenuLook& Look() {
  return unit1::kXPMenu1;
}

TEST(MenuLayout, ScalesFontAndMetricsWithDpi) {
  EXPECT_EQ(platform::FontHeightForDpi(Look(), 96), -11);
  EXPECT_EQ(platform::FontHeightForDpi(Look(), 144), -17);
  EXPECT_EQ(platform::FontHeightForDpi(Look(), 192), -22);
  EXPECT_EQ(platform::ScaleForDpi(24, 96), 24);
  EXPECT_EQ(platform::ScaleForDpi(24, 120), 30);
  EXPECT_EQ(platform::ScaleForDpi(24, 0), 24);
}

TEST(MenuLayout, MeasuresItemsAndSeparators) {
  const platform::ItemSize item = platform::MeasureMenuItem(Look(), 96, false, 80, 13);
  EXPECT_EQ(item.width, 24 + 8 + 80 + 24);
  EXPECT_EQ(item.height, 21);
  EXPECT_EQ(platform::MeasureMenuItem(Look(), 96, false, 80, 8).height, 20);  // a floor for small fonts
  EXPECT_EQ(platform::MeasureMenuItem(Look(), 192, false, 160, 26).height, 42);
  EXPECT_EQ(platform::MeasureMenuItem(Look(), 96, true, 0, 13).height, 5);
}

TEST(MenuLayout, PlainItemHasTintedBodyIconColumnAndMenuText) {
  const platform::ItemPaint p =
      platform::PlanMenuItem(Look(), 96, {0, 10, 150, 31}, false, false, false, Colors);
  EXPECT_EQ(p.iconColumn, (platform::Rect{0, 10, 24, 31}));
  EXPECT_EQ(p.iconColumnColor, (Rgb{212, 208, 200}));
  EXPECT_EQ(p.backgroundColor, (Rgb{242, 241, 239}));
  EXPECT_FALSE(p.selected);
  EXPECT_EQ(p.text, (platform::Rect{32, 10, 126, 31}));
  EXPECT_EQ(p.textColor, (Rgb{0, 0, 0}));
}

TEST(MenuLayout, SelectedItemIsFilledAndFramedInHighlight) {
  const platform::ItemPaint p =
      platform::PlanMenuItem(Look(), 96, {0, 10, 150, 31}, false, true, false, Colors);
  EXPECT_TRUE(p.selected);
  EXPECT_EQ(p.selection, (platform::Rect{0, 10, 150, 31}));
  EXPECT_EQ(p.selectionFrame, (Rgb{10, 36, 106}));
  EXPECT_EQ(p.selectionFill, (Rgb{182, 189, 210}));  // highlight over window, dim level 30
  EXPECT_EQ(p.textColor, (Rgb{0, 0, 0}));
  const platform::ItemPaint d =
      platform::PlanMenuItem(Look(), 96, {0, 10, 150, 31}, false, true, true, Colors);
  EXPECT_FALSE(d.selected);
  EXPECT_EQ(d.textColor, (Rgb{128, 128, 128}));
}

TEST(MenuLayout, SeparatorIsOneLineRightOfTheIconColumn) {
  const platform::ItemPaint p =
      platform::PlanMenuItem(Look(), 96, {0, 40, 150, 45}, true, true, false, Colors);
  EXPECT_TRUE(p.separator);
  EXPECT_FALSE(p.selected);
  EXPECT_EQ(p.separatorLine, (platform::Rect{32, 42, 150, 43}));
  EXPECT_EQ(p.separatorColor, (Rgb{170, 168, 164}));
}

}  // namespace
