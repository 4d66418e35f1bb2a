#include "platform/menu.h"

#include "platform/win32/internal.h"

namespace platform {

using win32::OwnedGdi;

PopupMenu::~PopupMenu() {
  // Destroying the popup destroys its submenus with it.
  if (menu_) DestroyMenu(static_cast<HMENU>(menu_));
}

void PopupMenu::Build(const MenuEntry* entries, unsigned count) {
  if (menu_) DestroyMenu(static_cast<HMENU>(menu_));
  HMENU root = CreatePopupMenu();
  menu_ = root;
  for (unsigned i = 0; i < count; ++i) {
    if (entries[i].depth != 0) continue;
    MenuItem* item = entries[i].item;
    const auto data = reinterpret_cast<LPCSTR>(item);
    if (i + 1 < count && entries[i + 1].depth == 1) {
      HMENU sub = CreatePopupMenu();
      for (unsigned j = i + 1; j < count && entries[j].depth == 1; ++j) {
        MenuItem* child = entries[j].item;
        AppendMenuA(sub, MF_OWNERDRAW | (child->IsSeparator() ? MF_SEPARATOR : 0), child->Command,
                    reinterpret_cast<LPCSTR>(child));
      }
      // Once appended, the submenu is destroyed with the popup; if it cannot be appended, now.
      if (!AppendMenuA(root, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), data))
        DestroyMenu(sub);
    } else {
      AppendMenuA(root, MF_OWNERDRAW | (item->IsSeparator() ? MF_SEPARATOR : 0), item->Command, data);
    }
  }
}

void PopupMenu::Popup(Window& owner, int x, int y) {
  HWND hwnd = win32::AsWindow(owner.Handle());
  const MenuLook* look = owner.Painter() ? owner.Painter()->Look() : nullptr;
  // The hidden window is brought to the foreground around the popup so that the menu closes when
  // the user clicks elsewhere, and a harmless message after it lets the next popup open cleanly.
  SetForegroundWindow(hwnd);
  TrackPopupMenuEx(
      static_cast<HMENU>(menu_),
      TPM_LEFTALIGN | TPM_RIGHTBUTTON | (look && look->AnimateBottomToTop ? TPM_VERNEGANIMATION : 0u), x, y,
      hwnd, nullptr);
  PostMessageA(hwnd, WM_NULL, 0, 0);
}

namespace {

Rgb SystemColor(SysColor c) {
  const COLORREF v = GetSysColor(static_cast<int>(c));
  return {GetRValue(v), GetGValue(v), GetBValue(v)};
}

void Fill(HDC dc, const Rect& r, Rgb color) {
  OwnedGdi brush(CreateSolidBrush(RGB(color.r, color.g, color.b)));
  RECT rc{r.left, r.top, r.right, r.bottom};
  FillRect(dc, &rc, static_cast<HBRUSH>(brush.get()));
}

void Frame(HDC dc, const Rect& r, Rgb color) {
  OwnedGdi brush(CreateSolidBrush(RGB(color.r, color.g, color.b)));
  RECT rc{r.left, r.top, r.right, r.bottom};
  FrameRect(dc, &rc, static_cast<HBRUSH>(brush.get()));
}

// Captions are code-page-1252 bytes; they are drawn after an explicit conversion, so "Démarré"
// reads right whatever the system's ANSI code page.
int Caption1252(const char* caption, wchar_t* out, int capacity) {
  const int n = MultiByteToWideChar(1252, 0, caption, -1, out, capacity);
  if (n <= 0) {
    out[0] = 0;
    return 0;
  }
  return n - 1;
}

int DpiOf(HDC dc) {
  return GetDeviceCaps(dc, LOGPIXELSY);
}

// Selects a font for the life of the object and puts the previous one back.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HGDIOBJ font) : dc_(dc), old_(SelectObject(dc, font)) {}
  ~SelectedFont() { SelectObject(dc_, old_); }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace

MenuPainter::~MenuPainter() {
  if (font_) DeleteObject(static_cast<HGDIOBJ>(font_));
}

void MenuPainter::Attach(Window& window, const MenuLook& look) {
  look_ = &look;
  if (look.Active && look.AutoDetect) window.AttachPainter(this);
}

// One font per program run, made again only if the DPI changes.
void* MenuPainter::FontFor(void* dcHandle) {
  HDC dc = static_cast<HDC>(dcHandle);
  const int dpi = DpiOf(dc);
  if (font_ && fontDpi_ == dpi) return font_;
  if (font_) DeleteObject(static_cast<HGDIOBJ>(font_));
  font_ = CreateFontA(FontHeightForDpi(*look_, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                      look_->FontName);
  fontDpi_ = dpi;
  return font_;
}

void MenuPainter::Measure(void* message) {
  auto* m = static_cast<MEASUREITEMSTRUCT*>(message);
  const auto* item = reinterpret_cast<const MenuItem*>(m->itemData);
  if (!item || !look_) return;
  HDC dc = GetDC(nullptr);
  SIZE text{0, 0};
  {
    SelectedFont font(dc, FontFor(dc));
    wchar_t caption[128];
    const int n = Caption1252(item->Caption, caption, 128);
    GetTextExtentPoint32W(dc, caption, n, &text);
  }
  const ItemSize size = MeasureMenuItem(*look_, DpiOf(dc), item->IsSeparator(), text.cx, text.cy);
  ReleaseDC(nullptr, dc);
  m->itemWidth = size.width;
  m->itemHeight = size.height;
}

void MenuPainter::Draw(void* message) {
  auto* d = static_cast<DRAWITEMSTRUCT*>(message);
  const auto* item = reinterpret_cast<const MenuItem*>(d->itemData);
  if (!item || !look_) return;
  ++drawn_;
  HDC dc = d->hDC;
  const Rect r{d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom};
  const ItemPaint p =
      PlanMenuItem(*look_, DpiOf(dc), r, item->IsSeparator(), (d->itemState & ODS_SELECTED) != 0,
                   (d->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0, SystemColor);
  Fill(dc, p.background, p.backgroundColor);
  Fill(dc, p.iconColumn, p.iconColumnColor);
  if (p.separator) {
    Fill(dc, p.separatorLine, p.separatorColor);
    return;
  }
  if (p.selected) {
    Fill(dc, p.selection, p.selectionFill);
    Frame(dc, p.selection, p.selectionFrame);
  }
  wchar_t caption[128];
  const int n = Caption1252(item->Caption, caption, 128);
  SelectedFont font(dc, FontFor(dc));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, RGB(p.textColor.r, p.textColor.g, p.textColor.b));
  RECT tr{p.text.left, p.text.top, p.text.right, p.text.bottom};
  DrawTextW(dc, caption, n, &tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

}  // namespace platform
