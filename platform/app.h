#pragma once
#include "platform/handle.h"

// The small application, window and timer layer: one hidden window per program receives every
// event (timer ticks, menu commands, tray-icon mouse messages) and hands it to an EventSink.

namespace platform {

class MenuPainter;

enum class TrayMouse { RightButtonUp, LeftDoubleClick };

class EventSink {
 public:
  virtual void OnTimer(unsigned id) = 0;
  virtual void OnCommand(unsigned id) = 0;
  virtual void OnTrayMouse(TrayMouse event) = 0;
  // The taskbar was (re)created: every notification-area icon has to be added again.
  virtual void OnTaskbarCreated() = 0;

 protected:
  ~EventSink() = default;
};

struct WindowSettings {
  const char* caption;
  int left, top, clientWidth, clientHeight;
  bool enabled;
};

class Window;

class Application {
 public:
  Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();

  // The application's own window is the invisible owner of the main window; hiding it keeps the
  // program off the taskbar.
  void HideOwnWindow();
  void SetShowMainForm(bool show) { showMainForm_ = show; }
  void Initialize();
  void SetTitle(const char* title);
  // Runs the message loop until Terminate; shows the main window first only when asked to.
  void Run(Window& mainWindow);
  void Terminate();
  WindowHandle OwnWindow() const { return own_; }
  bool Terminated() const { return terminated_; }

 private:
  WindowHandle own_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  void Create(Application& app, const WindowSettings& settings, EventSink* sink);
  // The window's handle; taking it creates the window when it does not exist yet. It stays hidden.
  WindowHandle Handle();
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  void AttachPainter(MenuPainter* painter) { painter_ = painter; }
  MenuPainter* Painter() const { return painter_; }
  EventSink* Sink() const { return sink_; }

 private:
  Application* app_ = nullptr;
  const WindowSettings* settings_ = nullptr;
  EventSink* sink_ = nullptr;
  MenuPainter* painter_ = nullptr;
  WindowHandle handle_ = nullptr;
  bool visible_ = false;
};

class Timer {
 public:
  Timer() = default;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer() { Disarm(); }
  void Arm(Window& window, unsigned id, unsigned intervalMs);
  void Disarm();
  bool Armed() const { return window_ != nullptr; }

 private:
  WindowHandle window_ = nullptr;
  unsigned id_ = 0;
};

}  // namespace platform
