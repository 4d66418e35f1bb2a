// The main window's settings, components and bindings as data, their loading, and the browser
// shortcuts.
#include "app/Unit1.h"

#include "control/layout.h"

TForm1* Form1 = nullptr;

namespace unit1 {

const platform::WindowSettings kFormSettings{"Form1", 479, 106, 139, 28, false};

const TreeNode kMenuTree[12] = {
    {&TForm1::Raccourcis1, "Raccourcis", 0},
    {&TForm1::Accueil, "Accueil", 1},
    {&TForm1::Admin1, "phpinfo()", 1},
    {&TForm1::phpMyAdmin1, "phpMyAdmin", 1},
    {&TForm1::Etatdesserveurs1, "Etat des serveurs", 0},
    {&TForm1::Apache1, "Apache : Arr\xEAt\xE9", 1},
    {&TForm1::MySQL1, "MySQL : Arr\xEAt\xE9", 1},
    {&TForm1::N3, "-", 1},
    {&TForm1::Apache2, "D\xE9marrer Apache", 1},
    {&TForm1::MySQL2, "D\xE9marrer MySQL", 1},
    {&TForm1::N1, "-", 0},
    {&TForm1::Quitter2, "Quitter", 0},
};

const CaptionRow kCaptions[4] = {
    {&TForm1::Apache1, "Apache : D\xE9marr\xE9", "Apache : Arr\xEAt\xE9"},
    {&TForm1::Apache2, "Arr\xEAter Apache", "D\xE9marrer Apache"},
    {&TForm1::MySQL1, "MySQL : D\xE9marr\xE9", "MySQL : Arr\xEAt\xE9"},
    {&TForm1::MySQL2, "Arr\xEAter MySQL", "D\xE9marrer MySQL"},
};

const Binding kBindings[9] = {
    {"Form1", Event::Creation, nullptr, &TForm1::FormCreate},
    {"Accueil", Event::Click, &TForm1::Accueil, &TForm1::AccueilClick},
    {"Admin1", Event::Click, &TForm1::Admin1, &TForm1::Admin1Click},
    {"phpMyAdmin1", Event::Click, &TForm1::phpMyAdmin1, &TForm1::phpMyAdmin1Click},
    {"Apache2", Event::Click, &TForm1::Apache2, &TForm1::Apache2Click},
    {"MySQL2", Event::Click, &TForm1::MySQL2, &TForm1::MySQL2Click},
    {"Quitter2", Event::Click, &TForm1::Quitter2, &TForm1::Quitter1Click},
    {"Timer1", Event::Tick, nullptr, &TForm1::Timer1Timer},
    {"RxTrayIcon1", Event::DoubleClick, nullptr, &TForm1::RxTrayIcon1DblClick},
};

using platform::SysColor;
const platform::MenuLook kXPMenu1{
    /*Active*/ true,
    /*AutoDetect*/ true,
    /*DimLevel*/ 30,
    /*GrayLevel*/ 10,
    /*FontName*/ "Tahoma",
    /*FontHeight*/ -11,
    /*FontColor*/ SysColor::MenuText,
    /*Color*/ SysColor::ButtonFace,
    /*IconBackColor*/ SysColor::ButtonFace,
    /*MenuBarColor*/ SysColor::ButtonFace,
    /*SelectColor*/ SysColor::Highlight,
    /*SelectBorderColor*/ SysColor::Highlight,
    /*SelectFontColor*/ SysColor::MenuText,
    /*DisabledColor*/ SysColor::InactiveCaption,
    /*SeparatorColor*/ SysColor::ButtonFace,
    /*CheckedColor*/ SysColor::Highlight,
    /*IconWidth*/ 24,
    /*DrawSelect*/ true,
    /*UseSystemColors*/ true,
    /*UseDimColor*/ false,
    /*OverrideOwnerDraw*/ false,
    /*Gradient*/ false,
    /*FlatMenu*/ false,
    /*DrawMenuBar*/ false,
    /*AnimateBottomToTop*/ true,
};

// The four pages of the local web server.
constexpr stack::ShellRequest OpenHome{
    stack::Owner::MainWindow, "OPEN", "http://127.0.0.1", nullptr, nullptr, 1};
constexpr stack::ShellRequest OpenHomeRoot{
    stack::Owner::MainWindow, "OPEN", "http://127.0.0.1/", nullptr, nullptr, 1};
constexpr stack::ShellRequest OpenPhpInfo{
    stack::Owner::MainWindow, "OPEN", "http://127.0.0.1/phpinfo", nullptr, nullptr, 1};
constexpr stack::ShellRequest OpenPhpMyAdmin{
    stack::Owner::MainWindow, "OPEN", "http://127.0.0.1/mysql/", nullptr, nullptr, 1};

namespace {
const Binding* FindBinding(Event event, ItemField item) {
  for (const Binding& b : kBindings)
    if (b.event == event && b.item == item) return &b;
  return nullptr;
}
}  // namespace

}  // namespace unit1

using namespace unit1;

TForm1::TForm1(platform::Application& application) : application_(application) {}

void TForm1::Create() {
  window_.Create(application_, kFormSettings, this);
  LoadMenus();
  ShowTrayIcon();
  Timer1.Arm(window_, kTimer1Id, kTimer1IntervalMs);
  if (const Binding* b = FindBinding(Event::Creation, nullptr)) (this->*b->handler)(this);
}

void TForm1::LoadMenus() {
  platform::MenuEntry entries[sizeof kMenuTree / sizeof kMenuTree[0]];
  unsigned command = 0;
  for (const TreeNode& node : kMenuTree) {
    TMenuItem& item = this->*node.item;
    item.Caption = node.caption;
    item.Command = ++command;
    entries[command - 1] = {&item, node.depth};
  }
  PopupMenu1.Build(entries, command);
  XPMenu1.Attach(window_, kXPMenu1);
}

// While the taskbar is not up yet the icon cannot be added; it is tried again every second, so the
// program never runs its servers without a way to reach it.
void TForm1::ShowTrayIcon() {
  if (RxTrayIcon1.Add(window_, kTrayHint, kIconResource))
    trayRetry_.Disarm();
  else if (!trayRetry_.Armed())
    trayRetry_.Arm(window_, kTrayRetryId, kTrayRetryMs);
}

void TForm1::OnTimer(unsigned id) {
  if (id == kTrayRetryId) {
    ShowTrayIcon();
  } else if (id == kTimer1Id) {
    if (const Binding* b = FindBinding(Event::Tick, nullptr)) (this->*b->handler)(this);
  }
}

void TForm1::OnCommand(unsigned id) {
  if (id == 0 || id > sizeof kMenuTree / sizeof kMenuTree[0]) return;
  // A status line, a submenu or a separator has no binding: the click only closed the menu.
  if (const Binding* b = FindBinding(Event::Click, kMenuTree[id - 1].item)) (this->*b->handler)(this);
}

void TForm1::OnTrayMouse(platform::TrayMouse event) {
  switch (event) {
    case platform::TrayMouse::RightButtonUp: {
      const platform::Point at = platform::CursorPosition();
      PopupMenu1.Popup(window_, at.x, at.y);
      break;
    }
    case platform::TrayMouse::LeftDoubleClick:
      if (const Binding* b = FindBinding(Event::DoubleClick, nullptr)) (this->*b->handler)(this);
      break;
  }
}

void TForm1::OnTaskbarCreated() {
  ShowTrayIcon();
}

void TForm1::AccueilClick(TObject*) {
  stack::Issue(OpenHome, Handle());
}
void TForm1::RxTrayIcon1DblClick(TObject*) {
  stack::Issue(OpenHomeRoot, Handle());
}
void TForm1::Admin1Click(TObject*) {
  stack::Issue(OpenPhpInfo, Handle());
}
void TForm1::phpMyAdmin1Click(TObject*) {
  stack::Issue(OpenPhpMyAdmin, Handle());
}
