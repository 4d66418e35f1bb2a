#include "platform/tray.h"

#include "platform/win32/internal.h"

#include <shellapi.h>

#include <cstring>

namespace platform {

namespace {

// Makes the icon at the size the notification area asks for from the one 48 x 48 image, by an
// area average over premultiplied colour, so that the edges of the wheel stay smooth and its
// colours true at 16 pixels. The scaled loaders of the system are not used: some of them lose the
// alpha channel on the way down.
HICON LoadTrayIcon(const char* resource) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC dirRes = FindResourceA(module, resource, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
  HGLOBAL dirMem = dirRes ? LoadResource(module, dirRes) : nullptr;
  const int id = dirMem ? LookupIconIdFromDirectoryEx(static_cast<PBYTE>(LockResource(dirMem)), TRUE, 48, 48,
                                                      LR_DEFAULTCOLOR)
                        : 0;
  HRSRC imgRes =
      id ? FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3) /* RT_ICON */) : nullptr;
  HGLOBAL imgMem = imgRes ? LoadResource(module, imgRes) : nullptr;
  const auto* info = imgMem ? static_cast<const BITMAPINFOHEADER*>(LockResource(imgMem)) : nullptr;
  if (!info || info->biBitCount != 32 || info->biWidth <= 0 || size <= 0 || size > info->biWidth)
    return static_cast<HICON>(LoadImageA(module, resource, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  const int source = info->biWidth;
  const auto* bits = reinterpret_cast<const BYTE*>(info) + info->biSize;  // bottom-up BGRA rows

  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = size;
  header.bV5Height = -size;  // top-down
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* pixels = nullptr;
  HDC screen = GetDC(nullptr);
  win32::OwnedGdi color(
      CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &pixels, nullptr, 0));
  ReleaseDC(nullptr, screen);
  static const BYTE clearMask[512] = {};  // rows of whole words, 48 x 48 at most
  win32::OwnedGdi mask(CreateBitmap(size, size, 1, 1, clearMask));
  if (!color || !mask || !pixels) return nullptr;
  auto* out = static_cast<DWORD*>(pixels);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // The source area of this pixel, in 1/size steps of a source pixel.
      unsigned long long sum[4] = {0, 0, 0, 0};
      const int x0 = x * source, x1 = (x + 1) * source, y0 = y * source, y1 = (y + 1) * source;
      for (int sy = y0 / size; sy * size < y1; ++sy) {
        const int wy = (sy + 1) * size < y1 ? (sy + 1) * size - (sy * size > y0 ? sy * size : y0)
                                            : y1 - (sy * size > y0 ? sy * size : y0);
        const BYTE* row = bits + static_cast<size_t>(source - 1 - sy) * source * 4;
        for (int sx = x0 / size; sx * size < x1; ++sx) {
          const int wx = (sx + 1) * size < x1 ? (sx + 1) * size - (sx * size > x0 ? sx * size : x0)
                                              : x1 - (sx * size > x0 ? sx * size : x0);
          const BYTE* p = row + sx * 4;
          const unsigned w = static_cast<unsigned>(wx * wy), a = p[3];
          sum[0] += static_cast<unsigned long long>(p[0]) * a * w;
          sum[1] += static_cast<unsigned long long>(p[1]) * a * w;
          sum[2] += static_cast<unsigned long long>(p[2]) * a * w;
          sum[3] += static_cast<unsigned long long>(a) * w;
        }
      }
      const unsigned long long area = static_cast<unsigned long long>(source) * source;
      const unsigned alpha = static_cast<unsigned>((sum[3] + area / 2) / area);
      DWORD v = 0;
      if (sum[3]) {
        // Straight (not premultiplied) colour, as icons hold it.
        const unsigned b = static_cast<unsigned>(sum[0] / sum[3]), g = static_cast<unsigned>(sum[1] / sum[3]),
                       r = static_cast<unsigned>(sum[2] / sum[3]);
        v = (alpha << 24) | (r << 16) | (g << 8) | b;
      }
      out[y * size + x] = v;
    }
  }
  ICONINFO ii{};
  ii.fIcon = TRUE;
  ii.hbmColor = static_cast<HBITMAP>(color.get());
  ii.hbmMask = static_cast<HBITMAP>(mask.get());
  return CreateIconIndirect(&ii);
}

NOTIFYICONDATAA IconData(WindowHandle owner) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = win32::AsWindow(owner);
  data.uID = win32::kTrayIconId;
  return data;
}

}  // namespace

bool TrayIcon::Add(Window& owner, const char* hint, const char* iconResource) {
  owner_ = owner.Handle();
  if (!icon_) icon_ = LoadTrayIcon(iconResource);
  NOTIFYICONDATAA data = IconData(owner_);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = win32::kTrayMessage;
  data.hIcon = static_cast<HICON>(icon_);
  // The tooltip holds at most 63 characters, whatever the system would take.
  std::strncpy(data.szTip, hint, kTrayHintChars);
  data.szTip[kTrayHintChars] = 0;
  // After a taskbar restart the old icon is gone; if it is somehow still there, it is updated.
  shown_ = Shell_NotifyIconA(NIM_ADD, &data) || Shell_NotifyIconA(NIM_MODIFY, &data);
  return shown_;
}

void TrayIcon::Remove() {
  if (shown_) {
    NOTIFYICONDATAA data = IconData(owner_);
    Shell_NotifyIconA(NIM_DELETE, &data);
    shown_ = false;
  }
  if (icon_) {
    DestroyIcon(static_cast<HICON>(icon_));
    icon_ = nullptr;
  }
}

Point CursorPosition() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

}  // namespace platform
