// The application, window and timer layer, and the owner-drawn popup menu, under Wine.
#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "platform/app.h"
#include "platform/menu.h"
#include "soak_support.h"
#include "win_test_support.h"

namespace {

class Recorder : public platform::EventSink {
 public:
  explicit Recorder(platform::Application& app) : app_(app) {}
  void OnTimer(unsigned id) override {
    ticks.push_back(id);
    if (ticks.size() == 3) app_.Terminate();
  }
  void OnCommand(unsigned id) override { commands.push_back(id); }
  void OnTrayMouse(platform::TrayMouse) override {}
  void OnTaskbarCreated() override { ++taskbarCreated; }
  std::vector<unsigned> ticks, commands;
  int taskbarCreated = 0;

 private:
  platform::Application& app_;
};

const platform::WindowSettings kSettings{"Form1", 479, 106, 139, 28, false};

TEST(WindowLayer, HiddenDisabledWindowRunsTheLoopUntilTerminatedAndDeliversEvents) {
  platform::Application app;
  app.HideOwnWindow();
  app.SetShowMainForm(false);
  app.Initialize();
  app.SetTitle("Vantrel");
  Recorder sink(app);
  platform::Window window;
  window.Create(app, kSettings, &sink);
  HWND hwnd = static_cast<HWND>(window.Handle());
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  EXPECT_FALSE(IsWindowVisible(static_cast<HWND>(app.OwnWindow())));
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), static_cast<HWND>(app.OwnWindow())) << "owned: no taskbar button";
  char caption[32];
  GetWindowTextA(static_cast<HWND>(app.OwnWindow()), caption, sizeof caption);
  EXPECT_STREQ(caption, "Vantrel");

  PostMessageA(hwnd, WM_COMMAND, 7, 0);
  PostMessageA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  PostMessageA(hwnd, WM_CLOSE, 0, 0);  // ignored: quitting goes through the menu
  platform::Timer timer;
  timer.Arm(window, 5, 20);
  app.Run(window);
  EXPECT_EQ(sink.ticks, (std::vector<unsigned>{5, 5, 5}));
  EXPECT_EQ(sink.commands, (std::vector<unsigned>{7}));
  EXPECT_EQ(sink.taskbarCreated, 1);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
}

// Opens the program's own menu many times, each closed by a timer once it is drawn, and checks
// that every item was measured and drawn and that no GDI object is left behind. Wine offers no
// count of a process's GDI objects; the slot the next new object takes is the closest measure:
// a leak moves it on.
TEST(MenuLayer, OpeningTheMenuManyTimesDrawsEveryItemAndLeaksNothing) {
  platform::Application app;
  app.HideOwnWindow();
  app.Initialize();
  Recorder sink(app);
  platform::Window window;
  window.Create(app, kSettings, &sink);
  platform::MenuPainter painter;
  painter.Attach(window, unit1::kXPMenu1);
  platform::MenuItem items[4] = {
      {"Etat des serveurs", 1}, {"Apache : D\xE9marr\xE9", 2}, {"-", 3}, {"Quitter", 4}};
  const platform::MenuEntry tree[4] = {{&items[0], 0}, {&items[1], 1}, {&items[2], 0}, {&items[3], 0}};
  platform::PopupMenu menu;
  menu.Build(tree, 4);
  HWND hwnd = static_cast<HWND>(window.Handle());

  SetTimer(hwnd, 9, 30, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  menu.Popup(window, 100, 100);  // the first opening makes the painter's font
  const auto before = soak::NextGdiSlot();
  for (int i = 0; i < 200; ++i) menu.Popup(window, 100 + i % 50, 100);
  const auto after = soak::NextGdiSlot();
  KillTimer(hwnd, 9);
  // Wine may free objects of its own meanwhile, so the slot can move back; a leak of even one object
  // per opening would move it on by hundreds.
  EXPECT_LE(after, before + 8);
  EXPECT_EQ(painter.FontsHeld(), 1u);
  EXPECT_GE(painter.ItemsDrawn(), 201u * 3) << "the three items of the popup are drawn at each opening";
  EXPECT_TRUE(sink.commands.empty());
}

}  // namespace
