// The image-name match rule and the two walks over the process list.
#include <string>

#include "harness.h"

using ::testing::ElementsAre;

namespace {

struct MatchCase {
  std::string exe;
  std::string name;
  bool matches;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
  *os << c.exe.substr(0, 40) << " ~ " << c.name.substr(0, 40);
}

class ImageMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ImageMatch, FollowsTheRule) {
  const MatchCase& c = GetParam();
  char record[260];
  // The record is filled past the text with a non-zero byte, so a read past the zero would show.
  std::fill(std::begin(record), std::end(record), 'x');
  std::copy(c.exe.begin(), c.exe.end(), record);
  if (c.exe.size() < sizeof record) record[c.exe.size()] = 0;
  EXPECT_EQ(ImageMatches(record, c.name.c_str()), c.matches) << c.exe << " vs " << c.name;
}

const std::string k260(256, 'a');

INSTANTIATE_TEST_SUITE_P(
    Table, ImageMatch,
    ::testing::Values(
        MatchCase{"Apache.exe", "Apache.exe", true}, MatchCase{"apache.exe", "Apache.exe", true},
        MatchCase{"APACHE.EXE", "apache.exe", true}, MatchCase{"C:\\Other\\Apache.exe", "Apache.exe", true},
        MatchCase{"w:Apache.exe", "APACHE.exe", true},
        MatchCase{"C:\\Program Files\\x/Apache.exe", "Apache.exe", false},  // "/" is no separator
        MatchCase{"C:\\Other\\Apache.exe", "c:\\other\\apache.exe", true},  // whole path
        MatchCase{"C:\\Other\\Apache.exe", "D:\\Other\\Apache.exe", false},
        MatchCase{"C:\\Other\\Apache.exe", "Other\\Apache.exe", false},
        MatchCase{"Apache", "Apache.exe", false}, MatchCase{"Apache.exe.old", "Apache.exe", false},
        MatchCase{"XApache.exe", "Apache.exe", false}, MatchCase{"Mysqld-opt.exe", "mysqld-opt.exe", true},
        MatchCase{"\xC9t\xE9.exe", "\xE9t\xE9.exe", false},  // É and é differ
        MatchCase{"\xE9t\xE9.exe", "\xC9T\xC9.EXE", false}, MatchCase{"\xE9t\xE9.exe", "\xE9T\xE9.EXE", true},
        MatchCase{"", "", true}, MatchCase{"C:\\dir\\", "", true},  // an empty file part equals an empty name
        // 260 characters and no zero: the text ends at the record's end.
        MatchCase{k260 + ".exe", k260 + ".exe", true}, MatchCase{k260 + ".exe", k260 + ".exex", false}));

class Walks : public FormTest {};

TEST_F(Walks, RunningWalksTheWholeListAndClosesTheSnapshot) {
  auto& w = fake::world();
  w.Spawn(4, "C:\\Windows\\explorer.exe");
  w.Spawn(8, "w:\\usr\\local\\apache2\\bin\\Apache.exe");
  w.Spawn(9, "Apache.exe");
  EXPECT_TRUE(ProcessRunning("apache.exe"));
  EXPECT_FALSE(ProcessRunning("mysqld-opt.exe"));
  EXPECT_EQ(w.snapshots, 2u);
}

TEST_F(Walks, KillTerminatesEveryMatchInListOrderAndPassesOverWhatCannotBeOpened) {
  auto& w = fake::world();
  w.Spawn(12, "Apache.exe");
  w.Spawn(5, "C:\\Windows\\explorer.exe");
  w.Spawn(30, "APACHE.EXE");
  w.processes.back().openable = false;
  w.Spawn(7, "D:\\Other\\apache.exe");
  w.Spawn(40, "Apache.exe.old");
  KillProcesses("Apache.exe");
  EXPECT_THAT(w.Only("terminate"), ElementsAre("terminate 12 0", "terminate 7 0"));
  EXPECT_THAT(w.Only("open-failed"), ElementsAre("open-failed 30"));
  EXPECT_TRUE(w.Listed(5));
  EXPECT_TRUE(w.Listed(30));
  EXPECT_TRUE(w.Listed(40));
  EXPECT_FALSE(w.Listed(12));
}

TEST_F(Walks, NoSnapshotMeansNotRunningAndNothingTerminated) {
  auto& w = fake::world();
  w.Spawn(12, "Apache.exe");
  w.snapshotFails = true;
  EXPECT_FALSE(ProcessRunning("Apache.exe"));
  KillProcesses("Apache.exe");
  EXPECT_TRUE(w.Only("terminate").empty());
  EXPECT_TRUE(w.Listed(12));
}

}  // namespace
