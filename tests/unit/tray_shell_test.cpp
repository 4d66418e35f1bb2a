// The main window's data (menu tree, bindings), the tray icon's events and the browser shortcuts.
#include <cstring>

#include "harness.h"

using ::testing::ElementsAre;

namespace {

class TrayShell : public FormTest {};

TEST_F(TrayShell, MenuTreeHasItsCaptionsDepthsAndStoppedTexts) {
  Started();
  std::vector<std::string> tree;
  for (const platform::MenuEntry& e : fake::world().menu)
    tree.push_back(std::string(e.depth, '>') + e.item->Caption);
  // The status lines already read "Démarré": start-up wrote them before the menu can be opened.
  EXPECT_THAT(tree, ElementsAre("Raccourcis", ">Accueil", ">phpinfo()", ">phpMyAdmin", "Etat des serveurs",
                                ">Apache : D\xE9marr\xE9", ">MySQL : D\xE9marr\xE9", ">-",
                                ">D\xE9marrer Apache", ">D\xE9marrer MySQL", "-", "Quitter"));
  EXPECT_TRUE(fake::world().menu[7].item->IsSeparator());
  EXPECT_FALSE(fake::world().menu[0].item->IsSeparator());
}

// Every menu command reaches exactly the handler its binding names, seen through what it asks of
// the shell; status lines, submenus and separators do nothing.
TEST_F(TrayShell, MenuCommandsFollowTheBindings) {
  struct Case {
    const char* caption;
    std::vector<std::string> shell;
  };

  const std::vector<Case> cases = {
      {"Accueil", {Shell("main", "OPEN", "http://127.0.0.1", nullptr, nullptr, 1)}},
      {"phpinfo()", {Shell("main", "OPEN", "http://127.0.0.1/phpinfo", nullptr, nullptr, 1)}},
      {"phpMyAdmin", {Shell("main", "OPEN", "http://127.0.0.1/mysql/", nullptr, nullptr, 1)}},
      {"Raccourcis", {}},
      {"Etat des serveurs", {}},
      {"Apache : D\xE9marr\xE9", {}},
      {"MySQL : D\xE9marr\xE9", {}},
      {"D\xE9marrer Apache",
       {Shell("main", "Open", kApacheExe, "-f w:/usr/local/apache2/conf/httpd.conf -d w:/usr/local/apache2/",
              "w:/usr/local/php", 0)}},
      {"D\xE9marrer MySQL", {Shell("main", "Open", kMysqldExe, "--defaults-file=my-small.cnf", "", 0)}},
  };
  TForm1& f = Started();
  for (const Case& c : cases) {
    unsigned command = 0;
    for (const platform::MenuEntry& e : fake::world().menu)
      if (std::strcmp(e.item->Caption, c.caption) == 0) command = e.item->Command;
    ASSERT_NE(command, 0u) << c.caption;
    fake::world().log.clear();
    f.Window().Sink()->OnCommand(command);
    EXPECT_EQ(fake::world().Only("shell"), c.shell) << c.caption;
    EXPECT_FALSE(app.Terminated());
  }
  f.Window().Sink()->OnCommand(999);  // an unknown command is ignored
  f.Window().Sink()->OnCommand(f.Quitter2.Command);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(TrayShell, RightButtonOpensThePopupAtTheMouseAndDoubleClickOpensTheRootPage) {
  TForm1& f = Started();
  fake::world().cursor = {1001, 755};
  f.Window().Sink()->OnTrayMouse(platform::TrayMouse::RightButtonUp);
  EXPECT_THAT(fake::world().log, ElementsAre("popup 1001 755"));
  fake::world().log.clear();
  f.Window().Sink()->OnTrayMouse(platform::TrayMouse::LeftDoubleClick);
  EXPECT_THAT(fake::world().log,
              ElementsAre(Shell("main", "OPEN", "http://127.0.0.1/", nullptr, nullptr, 1)));
}

TEST_F(TrayShell, BindingsTableNamesEachHandlerOnce) {
  std::vector<std::string> names;
  for (const unit1::Binding& b : unit1::kBindings) names.push_back(b.component);
  EXPECT_THAT(names, ElementsAre("Form1", "Accueil", "Admin1", "phpMyAdmin1", "Apache2", "MySQL2", "Quitter2",
                                 "Timer1", "RxTrayIcon1"));
  EXPECT_EQ(unit1::kBindings[6].handler, &TForm1::Quitter1Click);
}

TEST_F(TrayShell, TrayIconComesBackAfterTheTaskbarRestartsAndRetriesUntilTaken) {
  fake::world().trayAddFailures = 2;  // the taskbar is not up yet at start
  TForm1& f = Started();
  EXPECT_FALSE(f.RxTrayIcon1.Shown());
  EXPECT_THAT(fake::world().armedTimers,
              ::testing::UnorderedElementsAre(unit1::kTimer1Id, unit1::kTrayRetryId));
  f.Window().Sink()->OnTimer(unit1::kTrayRetryId);
  EXPECT_FALSE(f.RxTrayIcon1.Shown());
  f.Window().Sink()->OnTimer(unit1::kTrayRetryId);
  EXPECT_TRUE(f.RxTrayIcon1.Shown());
  EXPECT_THAT(fake::world().armedTimers, ElementsAre(unit1::kTimer1Id));

  fake::world().log.clear();
  f.Window().Sink()->OnTaskbarCreated();
  EXPECT_THAT(fake::world().log, ElementsAre("tray add Vantrel MAINICON ok"));
  form.reset();
  EXPECT_FALSE(fake::world().trayShown) << "destroying the main window removes the icon";
  EXPECT_TRUE(fake::world().armedTimers.empty());
}

}  // namespace
