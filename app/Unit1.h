#pragma once
// The hidden main window: it owns every component and carries every event handler.
#include "control/process_table.h"
#include "platform/app.h"
#include "platform/menu.h"
#include "platform/tray.h"

struct TObject {};
using TMenuItem = platform::MenuItem;
using TPopupMenu = platform::PopupMenu;
using TTimer = platform::Timer;
using TRxTrayIcon = platform::TrayIcon;
using TXPMenu = platform::MenuPainter;

class TForm1 final : public TObject, private platform::EventSink {
 public:
  explicit TForm1(platform::Application& application);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;
  ~TForm1() = default;

  // Loads the settings and the components (the tray icon enters the notification area, the timer
  // is armed), then runs the creation handler.
  void Create();
  // Builds the popup menu from the menu tree and attaches the painter; part of Create.
  void LoadMenus();
  platform::WindowHandle Handle() { return window_.Handle(); }
  platform::Window& Window() { return window_; }

  // Server control.
  void FormCreate(TObject* Sender);
  void Apache2Click(TObject* Sender);
  void MySQL2Click(TObject* Sender);
  void Quitter1Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  // Browser shortcuts.
  void AccueilClick(TObject* Sender);
  void RxTrayIcon1DblClick(TObject* Sender);
  void Admin1Click(TObject* Sender);
  void phpMyAdmin1Click(TObject* Sender);

  // The window is declared first so that it outlives the components that need its handle.
 private:
  platform::Window window_;

 public:
  // Components, in declared order.
  TPopupMenu PopupMenu1;
  TMenuItem Quitter2, N1, Accueil, Admin1, Etatdesserveurs1, Apache1, MySQL1;
  TTimer Timer1;
  TMenuItem N3, Apache2, MySQL2;
  TRxTrayIcon RxTrayIcon1;
  TMenuItem Raccourcis1, phpMyAdmin1;
  TXPMenu XPMenu1;

 private:
  // Event delivery from the window.
  void OnTimer(unsigned id) override;
  void OnCommand(unsigned id) override;
  void OnTrayMouse(platform::TrayMouse event) override;
  void OnTaskbarCreated() override;
  void ShowTrayIcon();
  void ShowServerState(unsigned firstCaptionRow, bool running);

  platform::Application& application_;
  TTimer trayRetry_;
};

extern TForm1* Form1;

namespace unit1 {

using Handler = void (TForm1::*)(TObject*);
using ItemField = TMenuItem TForm1::*;

enum class Event : unsigned char { Creation, Click, Tick, DoubleClick };

struct Binding {
  const char* component;
  Event event;
  ItemField item;  // for clicks
  Handler handler;
};

struct TreeNode {
  ItemField item;
  const char* caption;
  unsigned char depth;
};

struct CaptionRow {
  ItemField item;
  const char* running;
  const char* stopped;
};

extern const platform::WindowSettings kFormSettings;
extern const TreeNode kMenuTree[12];
extern const CaptionRow kCaptions[4];       // Apache1, Apache2, MySQL1, MySQL2
inline constexpr unsigned kApacheRows = 0;  // status line, then action item
inline constexpr unsigned kMySqlRows = 2;
extern const Binding kBindings[9];
extern const platform::MenuLook kXPMenu1;

inline constexpr char kTrayHint[] = "Vantrel";
inline constexpr char kIconResource[] = "MAINICON";
inline constexpr char kTitle[] = "Vantrel";
inline constexpr unsigned kTimer1Id = 1;
inline constexpr unsigned kTimer1IntervalMs = 2500;
inline constexpr unsigned kTrayRetryId = 2;
inline constexpr unsigned kTrayRetryMs = 1000;

}  // namespace unit1
