// Prints "<pid> <image name>" for every process in the system, from a Tool Help snapshot.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>

int main() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 1;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry))
    std::printf("%lu %s\n", entry.th32ProcessID, entry.szExeFile);
  CloseHandle(snapshot);
  return 0;
}
