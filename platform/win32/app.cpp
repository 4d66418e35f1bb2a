#include "platform/app.h"

#include "platform/menu.h"
#include "platform/win32/internal.h"

namespace platform {

using win32::AsWindow;

namespace {

constexpr char kApplicationClass[] = "VantrelApplication";
constexpr char kFormClass[] = "TForm1";

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
  MenuPainter* painter = window->Painter();
  EventSink* sink = window->Sink();
  switch (message) {
    case WM_MEASUREITEM:
      if (painter && reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
        painter->Measure(reinterpret_cast<void*>(lParam));
        return TRUE;
      }
      break;
    case WM_DRAWITEM:
      if (painter && reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
        painter->Draw(reinterpret_cast<void*>(lParam));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // The hidden window is never closed from outside; quitting goes through the menu, which
      // stops the servers and removes the drive first.
      return 0;
    case WM_TIMER:
      if (sink) sink->OnTimer(static_cast<unsigned>(wParam));
      return 0;
    case WM_COMMAND:
      if (sink && HIWORD(wParam) == 0) sink->OnCommand(LOWORD(wParam));
      return 0;
    case win32::kTrayMessage:
      // Only the right-button release and the left double click mean something; a single left
      // click and every other mouse event over the icon are let go.
      if (sink && LOWORD(lParam) == WM_RBUTTONUP)
        sink->OnTrayMouse(TrayMouse::RightButtonUp);
      else if (sink && LOWORD(lParam) == WM_LBUTTONDBLCLK)
        sink->OnTrayMouse(TrayMouse::LeftDoubleClick);
      return 0;
    default:
      if (sink && message == TaskbarCreatedMessage()) {
        sink->OnTaskbarCreated();
        return 0;
      }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

Application::~Application() {
  if (own_) DestroyWindow(AsWindow(own_));
}

void Application::HideOwnWindow() {
  if (!own_) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = Instance();
    wc.lpszClassName = kApplicationClass;
    RegisterClassA(&wc);
    own_ = CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           Instance(), nullptr);
  }
  ShowWindow(AsWindow(own_), SW_HIDE);
}

void Application::Initialize() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassA(&wc);
  TaskbarCreatedMessage();
}

void Application::SetTitle(const char* title) {
  if (own_) SetWindowTextA(AsWindow(own_), title);
}

void Application::Run(Window& mainWindow) {
  if (showMainForm_) mainWindow.SetVisible(true);
  MSG msg;
  while (!terminated_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Application::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

Window::~Window() {
  if (handle_) DestroyWindow(AsWindow(handle_));
}

void Window::Create(Application& app, const WindowSettings& settings, EventSink* sink) {
  app_ = &app;
  settings_ = &settings;
  sink_ = sink;
}

WindowHandle Window::Handle() {
  if (!handle_ && settings_) {
    // Single border, system menu and minimize box; never shown, and disabled when so set.
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | (settings_->enabled ? 0 : WS_DISABLED);
    RECT r{0, 0, settings_->clientWidth, settings_->clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    HWND hwnd = CreateWindowExA(0, kFormClass, settings_->caption, style, settings_->left, settings_->top,
                                r.right - r.left, r.bottom - r.top,
                                AsWindow(app_ ? app_->OwnWindow() : nullptr), nullptr, Instance(), nullptr);
    if (hwnd) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      handle_ = hwnd;
    }
  }
  return handle_;
}

void Window::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_) ShowWindow(AsWindow(handle_), visible ? SW_SHOW : SW_HIDE);
}

void Timer::Arm(Window& window, unsigned id, unsigned intervalMs) {
  Disarm();
  window_ = window.Handle();
  id_ = id;
  SetTimer(AsWindow(window_), id, intervalMs, nullptr);
}

void Timer::Disarm() {
  if (!window_) return;
  KillTimer(AsWindow(window_), id_);
  window_ = nullptr;
}

}  // namespace platform
