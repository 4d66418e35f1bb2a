// Cost of one status-poll tick beside one bare walk of the process list, at several list sizes.
// Usage: tick_bench <stand-in exe> <total processes>...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "platform/process.h"

namespace {

unsigned CountProcesses() {
  platform::OwnedSnapshot snapshot(platform::TakeProcessSnapshot());
  platform::ProcessEntry entry;
  unsigned n = 0;
  for (bool ok = platform::FirstProcess(snapshot.get(), entry); ok;
       ok = platform::NextProcess(snapshot.get(), entry))
    ++n;
  return n;
}

double Microseconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  static LARGE_INTEGER f = [] {
    LARGE_INTEGER v;
    QueryPerformanceFrequency(&v);
    return v;
  }();
  return (b.QuadPart - a.QuadPart) * 1e6 / f.QuadPart;
}

template <typename F>
double Median(F f, int reps) {
  std::vector<double> t;
  for (int i = 0; i < reps; ++i) {
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    t.push_back(Microseconds(a, b));
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string standin = argv[1];
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string idle = std::string(temp) + "vantrel-bench-idle.exe";
  CopyFileA(standin.c_str(), idle.c_str(), FALSE);
  std::vector<HANDLE> spawned;
  platform::Application app;
  TForm1 form(app);
  for (int i = 2; i < argc; ++i) {
    const unsigned total = static_cast<unsigned>(std::atoi(argv[i]));
    while (CountProcesses() < total) {
      std::string line = "\"" + idle + "\"";
      STARTUPINFOA si{};
      si.cb = sizeof si;
      PROCESS_INFORMATION pi{};
      if (!CreateProcessA(idle.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, temp, &si, &pi)) break;
      CloseHandle(pi.hThread);
      spawned.push_back(pi.hProcess);
    }
    Sleep(500);
    const double walk = Median([] { CountProcesses(); }, 101);
    const double tick = Median([&form] { form.Timer1Timer(&form); }, 101);
    std::printf("processes=%u walk_us=%.1f tick_us=%.1f ratio=%.2f\n", CountProcesses(), walk, tick,
                tick / walk);
    std::fflush(stdout);
  }
  for (HANDLE h : spawned) {
    TerminateProcess(h, 0);
    CloseHandle(h);
  }
  return 0;
}
