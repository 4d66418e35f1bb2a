// The process table on real processes under Wine.
#include <gtest/gtest.h>

#include "control/process_table.h"
#include "platform/process.h"
#include "soak_support.h"
#include "win_test_support.h"

namespace {

TEST(ProcessTable, KillsEveryProcessOfTheImageNameInAnyFolderAndNoOther) {
  const std::string a = wintest::TempFolder("kill-a"), b = wintest::TempFolder("kill-b");
  // "--child" keeps each Apache stand-in to one process of its own.
  HANDLE first = wintest::StartAs(a, "Apache.exe", "--child");
  HANDLE second = wintest::StartAs(b, "APACHE.EXE", "--child");
  HANDLE other = wintest::StartAs(a, "Apache.exe.old", "");
  ASSERT_TRUE(first && second && other);
  ASSERT_TRUE(wintest::WaitFor([] { return ProcessRunning("apache.exe.old"); }, 10000));
  EXPECT_TRUE(ProcessRunning("apache.exe"));
  EXPECT_FALSE(ProcessRunning("Apache"));

  KillProcesses("Apache.exe");
  EXPECT_EQ(WaitForSingleObject(first, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(second, 5000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(first, &code);
  EXPECT_EQ(code, 0u) << "terminated with exit code 0";
  EXPECT_TRUE(wintest::WaitFor([] { return !ProcessRunning("Apache.exe"); }, 5000));
  EXPECT_EQ(WaitForSingleObject(other, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "another name is untouched";
  EXPECT_TRUE(ProcessRunning("Apache.exe.old"));

  TerminateProcess(other, 0);
  WaitForSingleObject(other, 5000);
  for (HANDLE h : {first, second, other}) CloseHandle(h);
}

TEST(ProcessTable, WalksCloseEverySnapshotAndProcessHandle) {
  // A process that matches and cannot be killed keeps its handle path busy on every walk.
  const std::string folder = wintest::TempFolder("handles");
  HANDLE other = wintest::StartAs(folder, "Other.exe", "");
  ASSERT_TRUE(wintest::WaitFor([] { return ProcessRunning("Other.exe"); }, 10000));
  const unsigned long before = soak::NextHandleSlot();
  for (int i = 0; i < 300; ++i) {
    ProcessRunning("Apache.exe");
    KillProcesses("no-such-image.exe");
  }
  KillProcesses("Other.exe");
  EXPECT_EQ(WaitForSingleObject(other, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(soak::NextHandleSlot(), before);
  CloseHandle(other);
}

TEST(ProcessTable, WalkReadsTheWholeListWithTheRecordSizeSet) {
  // Our own process is in every list; its name is the test program's file name.
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const char* name = self;
  for (const char* p = self; *p; ++p)
    if (*p == '\\') name = p + 1;
  EXPECT_TRUE(ProcessRunning(name));
  platform::OwnedSnapshot snapshot(platform::TakeProcessSnapshot());
  ASSERT_TRUE(snapshot);
  platform::ProcessEntry entry;
  unsigned count = 0;
  for (bool ok = platform::FirstProcess(snapshot.get(), entry); ok;
       ok = platform::NextProcess(snapshot.get(), entry))
    ++count;
  EXPECT_GT(count, 3u);
}

}  // namespace
