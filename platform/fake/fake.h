#pragma once
// A scripted stand-in for the operating system, for unit tests of the logic. Every operation is
// recorded in one log, in call order; answers come from the script that a test sets up.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/menu.h"
#include "platform/tray.h"

namespace fake {

inline void* const kMainWindow = reinterpret_cast<void*>(0x1000);

struct ShellCall {
  void* owner;
  std::string verb, target;
  bool hasParameters, hasDirectory;
  std::string parameters, directory;
  int show;
};

struct Process {
  unsigned long id;
  std::string exe;  // up to 260 bytes; exactly 260 leaves no zero in the record
  bool openable = true;
  unsigned long long goneAt = ~0ull;   // virtual time from which the process is no longer listed
  unsigned long long exitDelayMs = 0;  // how long a termination takes to take effect
};

struct World {
  std::vector<std::string> log;
  std::vector<ShellCall> shell;
  std::function<long long(const ShellCall&)> onShell;  // default: 42, started

  std::deque<unsigned> driveAnswers;  // answers in turn, then driveDefault
  unsigned driveDefault = 3;
  unsigned long long now = 0;          // virtual milliseconds
  unsigned long long probeCostMs = 0;  // virtual time a drive probe takes

  std::vector<Process> processes;
  bool snapshotFails = false;
  int openHandles = 0;  // snapshots and process handles not yet closed
  unsigned snapshots = 0;

  unsigned trayAddFailures = 0;  // the next this many adds fail
  unsigned trayAdds = 0;
  bool trayShown = false;
  std::vector<unsigned> armedTimers;
  platform::Point cursor{700, 740};
  std::vector<platform::MenuEntry> menu;

  void Spawn(unsigned long id, const std::string& exe) { processes.push_back({id, exe}); }
  bool Listed(unsigned long id) const;
  std::vector<std::string> Only(const std::string& prefix) const;  // log lines that start with prefix
};

World& world();
void Reset();

}  // namespace fake
