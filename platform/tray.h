#pragma once
#include "platform/app.h"

namespace platform {

constexpr unsigned kTrayHintChars = 63;

struct Point {
  int x, y;
};

// The program's icon in the notification area. Mouse events arrive at the owner window's EventSink.
class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Remove(); }

  // Puts the icon into the notification area (again, after a taskbar restart); false while the
  // taskbar does not take it. The hint is cut to 63 characters.
  bool Add(Window& owner, const char* hint, const char* iconResource);
  void Remove();
  bool Shown() const { return shown_; }

 private:
  WindowHandle owner_ = nullptr;
  void* icon_ = nullptr;
  bool shown_ = false;
};

Point CursorPosition();

}  // namespace platform
