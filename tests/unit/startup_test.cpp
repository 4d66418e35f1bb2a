// Program entry and start-up: the exact order of operations and requests, the drive wait, and the
// captions the menu shows once the loop runs.
#include <cstring>

#include "app/vantrel.h"
#include "control/layout.h"
#include "harness.h"

using ::testing::ElementsAre;

namespace {

const std::string kMap = FormTest::Shell("none", "Open", "Command", "/C Subst W: \"mnt\"", nullptr, 0);
const std::string kStartApache = FormTest::Shell(
    "main", "Open", "w:/usr/local/apache2/bin/Apache.exe",
    "-f w:/usr/local/apache2/conf/httpd.conf -d w:/usr/local/apache2/", "w:/usr/local/php", 0);
const std::string kStartMySql = FormTest::Shell("main", "Open", "w:/usr/local/mysql/bin/mysqld-opt.exe",
                                                "--defaults-file=my.cnf", "w:/usr/local/mysql/bin/", 0);

TEST_F(FormTest, ProgramEntrySetsUpHiddenAndRunsTheWholeStartUpBeforeTheLoop) {
  fake::world().driveAnswers = {3, 3};
  EXPECT_EQ(vantrel(app), 0);
  EXPECT_THAT(
      fake::world().log,
      ElementsAre("app hide-own-window", "app initialize", "app title Vantrel", "window create Form1",
                  "menu build 12", "painter attach Tahoma", "window handle", "tray add Vantrel MAINICON ok",
                  "timer arm 1 2500", "window visible 0", kMap, "probe w:\\ 3", "probe w:\\ 3", kStartApache,
                  kStartMySql, "app run", "tray remove", "timer disarm 1"));
  EXPECT_EQ(Form1, nullptr);
}

TEST_F(FormTest, RequestFieldsAreByteExact) {
  EXPECT_EQ(std::strlen(stack::MapStackDrive.parameters), 17u);
  EXPECT_EQ(stack::StopMySql.parameters[0], ' ');
  EXPECT_STREQ(stack::StartMySqlFromMenu.directory, "");
  EXPECT_EQ(stack::StopMySql.directory, nullptr);
  EXPECT_EQ(stack::UnmapStackDrive.owner, stack::Owner::None);
}

TEST_F(FormTest, CaptionsAfterStartUpShowBothServersStartedAndActionsUntouched) {
  TForm1& f = Started();
  EXPECT_STREQ(f.Apache1.Caption, "Apache : D\xE9marr\xE9");
  EXPECT_STREQ(f.MySQL1.Caption, "MySQL : D\xE9marr\xE9");
  EXPECT_STREQ(f.Apache2.Caption, "D\xE9marrer Apache");
  EXPECT_STREQ(f.MySQL2.Caption, "D\xE9marrer MySQL");
}

struct WaitCase;
void PrintTo(const WaitCase& c, std::ostream* os);
struct WaitCase {
  const char* name;
  std::deque<unsigned> answers;
  unsigned fallback;  // after the scripted answers
  size_t probes;
  size_t pauses;
  bool answered;
};

void PrintTo(const WaitCase& c, std::ostream* os) {
  *os << c.name;
}

class DriveWait : public FormTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(DriveWait, ProbesPacesAndBounds) {
  const WaitCase& c = GetParam();
  fake::world().driveAnswers = c.answers;
  fake::world().driveDefault = c.fallback;
  EXPECT_EQ(stack::WaitForStackDrive(), c.answered);
  EXPECT_EQ(fake::world().Only("probe").size(), c.probes);
  EXPECT_EQ(fake::world().Only("pause").size(), c.pauses);
  for (const std::string& p : fake::world().Only("pause")) EXPECT_EQ(p, "pause 50");
}

INSTANTIATE_TEST_SUITE_P(
    Table, DriveWait,
    ::testing::Values(WaitCase{"DriveAlreadyThere", {3, 3}, 3, 2, 0, true},
                      WaitCase{"UnknownThenFixed", {0, 0, 3, 3}, 3, 4, 2, true},
                      WaitCase{"SecondProbeNoRootStartsOver", {3, 1, 4, 4}, 3, 4, 1, true},
                      WaitCase{"FirstProbeNoRootIsEnoughWhenSecondAnswers", {1, 2}, 3, 2, 0, true},
                      // 10 s of 50 ms passes: 200 pauses, then one last pass sees the bound.
                      WaitCase{"NeverAnswersEndsAtTheBound", {}, 1, 402, 200, false},
                      WaitCase{"UnknownForeverEndsAtTheBound", {}, 0, 201, 200, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, MissingStackFolderStillLaunchesAfterTheBound) {
  fake::world().driveDefault = 1;
  Started();
  // Started() cleared the log; the clock tells how long the wait took.
  EXPECT_GE(fake::world().now, 10000u);
  EXPECT_LT(fake::world().now, 10100u);
}

TEST_F(FormTest, LaunchesFollowTheMapAtOnceWhenTheDriveIsAlreadyThere) {
  fake::world().driveDefault = 3;
  form = std::make_unique<TForm1>(app);
  form->Create();
  EXPECT_THAT(fake::world().Only("shell"), ElementsAre(kMap, kStartApache, kStartMySql));
  EXPECT_EQ(fake::world().now, 0u);
}

TEST_F(FormTest, DriveRequestsFallBackToCmdOnlyWhenCommandCannotStart) {
  for (long long commandAnswer : {2LL, 33LL}) {
    fake::Reset();
    fake::world().onShell = [commandAnswer](const fake::ShellCall& c) {
      return c.target == "Command" ? commandAnswer : 42;
    };
    stack::IssueDriveRequest(stack::MapStackDrive);
    stack::IssueDriveRequest(stack::UnmapStackDrive);
    if (commandAnswer <= 32) {
      EXPECT_THAT(fake::world().Only("shell"),
                  ElementsAre(kMap, Shell("none", "Open", "cmd", "/C Subst W: \"mnt\"", nullptr, 0),
                              Shell("none", "Open", "Command", "/C subst w: /d", nullptr, 0),
                              Shell("none", "Open", "cmd", "/C subst w: /d", nullptr, 0)));
    } else {
      EXPECT_THAT(fake::world().Only("shell"),
                  ElementsAre(kMap, Shell("none", "Open", "Command", "/C subst w: /d", nullptr, 0)));
    }
  }
}

}  // namespace
