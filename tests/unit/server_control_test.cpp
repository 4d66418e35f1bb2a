// Status poll, the two toggles and quit, against a scripted process list.
#include "harness.h"

using ::testing::ElementsAre;

namespace {

const std::string kStartApache = FormTest::Shell(
    "main", "Open", kApacheExe, "-f w:/usr/local/apache2/conf/httpd.conf -d w:/usr/local/apache2/",
    "w:/usr/local/php", 0);
const std::string kStartMySqlMenu =
    FormTest::Shell("main", "Open", kMysqldExe, "--defaults-file=my-small.cnf", "", 0);
const std::string kStopMySql =
    FormTest::Shell("main", "Open", kMysqladminExe, " -u root shutdown", nullptr, 0);
const std::string kUnmap = FormTest::Shell("none", "Open", "Command", "/C subst w: /d", nullptr, 0);

class Poll : public FormTest {};

TEST_F(Poll, EveryTickWritesAllFourCaptionsFromFourFreshQueries) {
  TForm1& f = Started();
  auto& w = fake::world();
  w.Spawn(10, "C:\\x\\APACHE.EXE");
  w.Spawn(11, "mysqld-opt.exe");
  f.Timer1Timer(&f);
  EXPECT_EQ(w.snapshots, 4u);
  EXPECT_STREQ(f.Apache1.Caption, "Apache : D\xE9marr\xE9");
  EXPECT_STREQ(f.Apache2.Caption, "Arr\xEAter Apache");
  EXPECT_STREQ(f.MySQL1.Caption, "MySQL : D\xE9marr\xE9");
  EXPECT_STREQ(f.MySQL2.Caption, "Arr\xEAter MySQL");

  w.processes.clear();  // both crashed
  f.Timer1Timer(&f);
  EXPECT_EQ(w.snapshots, 8u);
  EXPECT_STREQ(f.Apache1.Caption, "Apache : Arr\xEAt\xE9");
  EXPECT_STREQ(f.Apache2.Caption, "D\xE9marrer Apache");
  EXPECT_STREQ(f.MySQL1.Caption, "MySQL : Arr\xEAt\xE9");
  EXPECT_STREQ(f.MySQL2.Caption, "D\xE9marrer MySQL");
}

TEST_F(Poll, TimerEventReachesTheHandlerThroughItsBinding) {
  TForm1& f = Started();
  // No server runs: the first tick replaces the "Démarré" that start-up wrote.
  f.Window().Sink()->OnTimer(unit1::kTimer1Id);
  EXPECT_STREQ(f.Apache1.Caption, "Apache : Arr\xEAt\xE9");
  EXPECT_STREQ(f.MySQL1.Caption, "MySQL : Arr\xEAt\xE9");
}

struct ToggleCase {
  const char* name;
  bool running;
  unsigned long long exitDelayMs;  // how long the stop takes to show in the list
  std::vector<std::string> expected;
};

void PrintTo(const ToggleCase& c, std::ostream* os) {
  *os << c.name;
}

class Toggle : public FormTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(Toggle, ApacheOneTestTwoBranches) {
  const ToggleCase& c = GetParam();
  TForm1& f = Started();
  auto& w = fake::world();
  if (c.running) {
    w.Spawn(20, "Apache.exe");
    w.processes.back().exitDelayMs = c.exitDelayMs;
    w.Spawn(21, "Apache.exe");
    w.processes.back().exitDelayMs = c.exitDelayMs;
  }
  f.Apache2Click(&f);
  std::vector<std::string> actions = w.Only("shell");
  for (const std::string& t : w.Only("terminate")) actions.push_back(t);
  std::vector<std::string> expected;
  for (const std::string& e : c.expected) expected.push_back(e == "start" ? kStartApache : e);
  EXPECT_EQ(actions, expected);
  EXPECT_STREQ(f.Apache2.Caption, "D\xE9marrer Apache") << "a toggle writes no caption";
}

TEST_P(Toggle, MySqlOneTestTwoBranches) {
  const ToggleCase& c = GetParam();
  TForm1& f = Started();
  auto& w = fake::world();
  if (c.running) w.Spawn(30, "w:\\usr\\local\\mysql\\bin\\mysqld-opt.exe");
  const unsigned long long delay = c.exitDelayMs;
  w.onShell = [&w, delay](const fake::ShellCall& call) {
    if (call.target == kMysqladminExe)
      for (auto& p : w.processes) p.goneAt = w.now + delay;
    return 42LL;
  };
  f.MySQL2Click(&f);
  EXPECT_THAT(w.Only("shell"), ElementsAre(c.running ? kStopMySql : kStartMySqlMenu));
  EXPECT_TRUE(w.Only("terminate").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Toggle,
    ::testing::Values(
        ToggleCase{"NotRunningLaunchesOnce", false, 0, {"start"}},
        ToggleCase{"RunningAndStillListedOnlyStops", true, 500, {"terminate 20 0", "terminate 21 0"}},
        ToggleCase{"RunningAndGoneAtOnceDoesNotRestart", true, 0, {"terminate 20 0", "terminate 21 0"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct QuitCase {
  const char* name;
  bool apache, mysql;
  long long mysqlExitsAfterMs;  // after the shut-down request; -1: ignores it
  unsigned long long endsAtMs;
  std::vector<std::string> expected;
};

void PrintTo(const QuitCase& c, std::ostream* os) {
  *os << c.name;
}

class Quit : public FormTest, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(Quit, StopsApacheShutsTheDatabaseDownCleanlyAndUnmapsLast) {
  const QuitCase& c = GetParam();
  TForm1& f = Started();
  auto& w = fake::world();
  if (c.apache) w.Spawn(20, "Apache.exe"), w.processes.back().exitDelayMs = 150;
  if (c.mysql) w.Spawn(30, "mysqld-opt.exe");
  w.onShell = [&w, &c](const fake::ShellCall& call) {
    if (call.target == kMysqladminExe && c.mysqlExitsAfterMs >= 0)
      for (auto& p : w.processes)
        if (p.id == 30) p.goneAt = w.now + c.mysqlExitsAfterMs;
    return 42LL;
  };
  const unsigned long long t0 = w.now;
  f.Quitter1Click(&f);
  std::vector<std::string> actions;
  for (const std::string& line : w.log)
    if (line.rfind("shell", 0) == 0 || line.rfind("terminate", 0) == 0 || line.rfind("app", 0) == 0)
      actions.push_back(line == kStopMySql ? "stop-mysql" : line == kUnmap ? "unmap" : line);
  EXPECT_EQ(actions, c.expected);
  EXPECT_EQ(w.now - t0, c.endsAtMs);
  EXPECT_FALSE(w.Listed(20));
  EXPECT_FALSE(w.Listed(30));
  for (const std::string& p : w.Only("pause")) EXPECT_EQ(p, "pause 100");
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Quit,
    ::testing::Values(QuitCase{"NothingRunningUnmapsAtOnce", false, false, 0, 0, {"unmap", "app terminate"}},
                      QuitCase{"DatabaseShutsDownWhenAsked",
                               true,
                               true,
                               1000,
                               1000,
                               {"terminate 20 0", "stop-mysql", "unmap", "app terminate"}},
                      QuitCase{"DatabaseIgnoresTheRequestAndIsTerminatedAfterTheBound",
                               true,
                               true,
                               -1,
                               15000,
                               {"terminate 20 0", "stop-mysql", "terminate 30 0", "unmap", "app terminate"}},
                      QuitCase{"ApacheSlowToExitIsWaitedFor",
                               true,
                               false,
                               0,
                               200,
                               {"terminate 20 0", "unmap", "app terminate"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
