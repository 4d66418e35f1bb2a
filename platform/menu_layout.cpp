// Layout and colour rules of the owner-drawn popup menu; no operating-system call here.
#include "platform/menu.h"

namespace platform {

int ScaleForDpi(int pixelsAt96, int dpi) {
  if (dpi <= 0) dpi = 96;
  return (pixelsAt96 * dpi + 48) / 96;
}

int FontHeightForDpi(const MenuLook& look, int dpi) {
  return -ScaleForDpi(-look.FontHeight, dpi);
}

namespace {
constexpr int kTextGap = 8;      // between icon column and caption
constexpr int kRightRoom = 24;   // submenu arrow and right margin
constexpr int kItemPadding = 8;  // above and below the caption together
constexpr int kMinItemHeight = 20;
constexpr int kSeparatorHeight = 5;
}  // namespace

ItemSize MeasureMenuItem(const MenuLook& look, int dpi, bool separator, int textWidth, int textHeight) {
  const int column = ScaleForDpi(look.IconWidth, dpi);
  if (separator) return {column, ScaleForDpi(kSeparatorHeight, dpi)};
  int height = textHeight + ScaleForDpi(kItemPadding, dpi);
  const int minimum = ScaleForDpi(kMinItemHeight, dpi);
  if (height < minimum) height = minimum;
  return {column + ScaleForDpi(kTextGap, dpi) + textWidth + ScaleForDpi(kRightRoom, dpi), height};
}

Rgb Blend(Rgb a, Rgb b, int percentOfA) {
  auto mix = [percentOfA](int x, int y) {
    return static_cast<unsigned char>((x * percentOfA + y * (100 - percentOfA) + 50) / 100);
  };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

ItemPaint PlanMenuItem(const MenuLook& look, int dpi, const Rect& item, bool separator, bool selected,
                       bool disabled, SysColorLookup colors) {
  ItemPaint p{};
  const int column = ScaleForDpi(look.IconWidth, dpi);
  // The menu body is a light tint of its colour, so that the icon column in the full colour stands
  // out as in the flat menus of the period.
  p.background = item;
  p.backgroundColor = Blend(colors(look.Color), colors(SysColor::Window), 30);
  p.iconColumn = {item.left, item.top, item.left + column, item.bottom};
  p.iconColumnColor = colors(look.IconBackColor);
  p.separator = separator;
  if (separator) {
    const int mid = (item.top + item.bottom) / 2;
    p.separatorLine = {item.left + column + ScaleForDpi(kTextGap, dpi), mid, item.right, mid + 1};
    p.separatorColor = Blend(colors(look.SeparatorColor), colors(SysColor::ButtonShadow), 50);
    return p;
  }
  p.selected = selected && look.DrawSelect && !disabled;
  if (p.selected) {
    p.selection = item;
    p.selectionFill = look.UseDimColor
                          ? colors(look.SelectColor)
                          : Blend(colors(look.SelectColor), colors(SysColor::Window), look.DimLevel);
    p.selectionFrame = colors(look.SelectBorderColor);
  }
  p.text = {item.left + column + ScaleForDpi(kTextGap, dpi), item.top,
            item.right - ScaleForDpi(kRightRoom, dpi), item.bottom};
  p.textColor =
      disabled ? colors(look.DisabledColor) : colors(p.selected ? look.SelectFontColor : look.FontColor);
  return p;
}

}  // namespace platform
