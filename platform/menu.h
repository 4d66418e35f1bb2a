#pragma once
#include "platform/app.h"

// Popup menus whose items the program draws itself, and the pure layout and colour rules of that
// drawing, so that the rules are the same on every platform and can be checked without a screen.

namespace platform {

// One item of a popup menu. A caption of "-" makes a separator. The caption is code-page-1252 text
// and is read each time the item is drawn, so rewriting it needs no rebuild of the menu.
struct MenuItem {
  const char* Caption = "";
  unsigned Command = 0;
  bool IsSeparator() const { return Caption[0] == '-' && Caption[1] == 0; }
};

// A menu tree as a flat list in display order; depth 0 is the popup itself, depth 1 a submenu of
// the nearest depth-0 item before it.
struct MenuEntry {
  MenuItem* item;
  unsigned char depth;
};

class PopupMenu {
 public:
  PopupMenu() = default;
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu();

  void Build(const MenuEntry* entries, unsigned count);
  // Opens the menu at a screen position and returns when it closes; a chosen item's command then
  // reaches the owner's EventSink as OnCommand.
  void Popup(Window& owner, int x, int y);

 private:
  void* menu_ = nullptr;
};

// System colours, by their system index.
enum class SysColor : unsigned char {
  InactiveCaption = 3,
  Window = 5,
  MenuText = 7,
  Highlight = 13,
  HighlightText = 14,
  ButtonFace = 15,
  ButtonShadow = 16,
  GrayText = 17,
};

struct MenuLook {
  bool Active, AutoDetect;
  unsigned char DimLevel, GrayLevel;
  const char* FontName;
  int FontHeight;  // negative: character height in pixels at 96 DPI
  SysColor FontColor, Color, IconBackColor, MenuBarColor, SelectColor, SelectBorderColor, SelectFontColor,
      DisabledColor, SeparatorColor, CheckedColor;
  int IconWidth;  // pixels at 96 DPI
  bool DrawSelect, UseSystemColors, UseDimColor, OverrideOwnerDraw, Gradient, FlatMenu, DrawMenuBar;
  bool AnimateBottomToTop;
};

struct Rgb {
  unsigned char r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
using SysColorLookup = Rgb (*)(SysColor);

struct Rect {
  int left, top, right, bottom;
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

int ScaleForDpi(int pixelsAt96, int dpi);
// Font height in pixels (negative: character height) for the look's point size at a given DPI.
int FontHeightForDpi(const MenuLook& look, int dpi);

struct ItemSize {
  int width, height;
};
ItemSize MeasureMenuItem(const MenuLook& look, int dpi, bool separator, int textWidth, int textHeight);

// What to paint for one item, in order: background, icon column, then either the separator line or
// the selection frame and the caption.
struct ItemPaint {
  Rect background;
  Rgb backgroundColor;
  Rect iconColumn;
  Rgb iconColumnColor;
  bool separator;
  Rect separatorLine;
  Rgb separatorColor;
  bool selected;
  Rect selection;
  Rgb selectionFill, selectionFrame;
  Rect text;
  Rgb textColor;
};
ItemPaint PlanMenuItem(const MenuLook& look, int dpi, const Rect& item, bool separator, bool selected,
                       bool disabled, SysColorLookup colors);

Rgb Blend(Rgb a, Rgb b, int percentOfA);

// Draws the popup menus of the window it is attached to in the look given.
class MenuPainter {
 public:
  MenuPainter() = default;
  MenuPainter(const MenuPainter&) = delete;
  MenuPainter& operator=(const MenuPainter&) = delete;
  ~MenuPainter();
  void Attach(Window& window, const MenuLook& look);
  const MenuLook* Look() const { return look_; }
  // Called from the window for its item measure and draw messages.
  void Measure(void* measureItem);
  void Draw(void* drawItem);
  // Open fonts, for leak checks.
  unsigned FontsHeld() const { return font_ ? 1u : 0u; }
  unsigned ItemsDrawn() const { return drawn_; }

 private:
  void* FontFor(void* dc);
  const MenuLook* look_ = nullptr;
  void* font_ = nullptr;
  int fontDpi_ = 0;
  unsigned drawn_ = 0;
};

}  // namespace platform
