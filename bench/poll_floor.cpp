// The floor of the status poll's cost: four bare walks of the process list every 2.5 seconds, as
// the poll makes, and nothing else. Runs for the number of seconds given (default 60).
#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  for (int tick = 0; tick * 2500 < seconds * 1000; ++tick) {
    for (int walk = 0; walk < 4; ++walk) {
      HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
      PROCESSENTRY32 entry;
      entry.dwSize = sizeof entry;
      for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
      }
      CloseHandle(snapshot);
    }
    Sleep(2500);
  }
  return 0;
}
