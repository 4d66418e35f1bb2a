#include "control/layout.h"

#include "platform/clock.h"
#include "platform/drive.h"
#include "platform/shell.h"

namespace stack {

long long Issue(const ShellRequest& r, platform::WindowHandle mainWindow) {
  return platform::ShellOpen(r.owner == Owner::MainWindow ? mainWindow : nullptr, r.verb, r.target,
                             r.parameters, r.directory, r.show);
}

void IssueDriveRequest(const ShellRequest& r) {
  if (Issue(r, nullptr) > kShellFailureLimit) return;
  ShellRequest viaCmd = r;
  viaCmd.target = FallbackInterpreter;
  Issue(viaCmd, nullptr);
}

// The drive wait is paced so that it never spins a core, and bounded so that a missing stack
// folder cannot hang start-up. A pass ends the wait when its first probe answers something other
// than "unknown" and a second probe something other than "no root directory".
bool WaitForStackDrive() {
  const unsigned long long start = platform::Milliseconds();
  for (;;) {
    if (platform::DriveType(DriveProbeRoot) != 0 && platform::DriveType(DriveProbeRoot) != 1) return true;
    if (platform::Milliseconds() - start >= kDriveWaitBoundMs) return false;
    platform::Pause(kDriveWaitPauseMs);
  }
}

}  // namespace stack
