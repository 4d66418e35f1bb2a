#include "platform/process.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>

namespace platform {

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(PROCESSENTRY32) == 296, "the ANSI process record of 32-bit Windows is 296 bytes");
#endif
static_assert(sizeof(PROCESSENTRY32::szExeFile) == kExeFileChars, "executable text is MAX_PATH characters");

namespace {
// The record of the walk in progress; only the UI thread walks the process list.
PROCESSENTRY32 record;

bool Copy(BOOL read, ProcessEntry& entry) {
  if (!read) return false;
  entry.processId = record.th32ProcessID;
  std::memcpy(entry.exeFile, record.szExeFile, kExeFileChars);
  return true;
}
}  // namespace

SnapshotHandle TakeProcessSnapshot() {
  HANDLE h = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool FirstProcess(SnapshotHandle snapshot, ProcessEntry& entry) {
  record.dwSize = sizeof(PROCESSENTRY32);
  return Copy(Process32First(snapshot, &record), entry);
}

bool NextProcess(SnapshotHandle snapshot, ProcessEntry& entry) {
  return Copy(Process32Next(snapshot, &record), entry);
}

void CloseSnapshot(SnapshotHandle snapshot) {
  CloseHandle(snapshot);
}

ProcessHandle OpenForTermination(unsigned long processId) {
  return OpenProcess(PROCESS_TERMINATE, FALSE, processId);
}

bool TerminateWithCode(ProcessHandle process, unsigned exitCode) {
  return TerminateProcess(process, exitCode) != FALSE;
}

void CloseProcess(ProcessHandle process) {
  CloseHandle(process);
}

}  // namespace platform
