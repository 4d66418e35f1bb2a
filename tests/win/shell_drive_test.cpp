// Shell requests and the drive probe under Wine.
#include <gtest/gtest.h>

#include "platform/drive.h"
#include "platform/shell.h"
#include <fstream>

#include "win_test_support.h"

namespace {

TEST(ShellRequest, StartsTheTargetWithItsParametersInItsFolderAndReportsFailure) {
  const std::string folder = wintest::TempFolder("shell");
  const std::string logs = wintest::TempFolder("shell-logs");
  SetEnvironmentVariableA("VANTREL_STANDIN_LOG", logs.c_str());
  const std::string exe = folder + "\\Other.exe";
  ASSERT_TRUE(CopyFileA(wintest::StandIn().c_str(), exe.c_str(), FALSE));
  EXPECT_GT(platform::ShellOpen(nullptr, "Open", exe.c_str(), " -u root shutdown", folder.c_str(), 0), 32);
  ASSERT_TRUE(wintest::WaitFor([&] { return !wintest::ReadFile(logs + "\\other.log").empty(); }, 10000));
  const std::string record = wintest::ReadFile(logs + "\\other.log");
  EXPECT_NE(record.find("  -u root shutdown"), std::string::npos) << record;
  EXPECT_NE(record.find("cwd=" + folder), std::string::npos) << record;
  std::ofstream(logs + "\\other.crash");

  EXPECT_LE(platform::ShellOpen(nullptr, "Open", "q:/no/such/program.exe", nullptr, nullptr, 0), 32);
}

TEST(DriveProbe, AnswersFixedForTheSystemDriveAndNoDriveForAFreeLetter) {
  EXPECT_EQ(platform::DriveType("c:\\"), 3u);
  EXPECT_LE(platform::DriveType("q:\\"), 1u);
}

}  // namespace
