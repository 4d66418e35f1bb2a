#include "platform/clock.h"

#include <windows.h>

namespace platform {

// GetTickCount exists on every Windows this program runs on; its 49-day wrap is carried into the
// high half here, as only the UI thread reads the clock.
unsigned long long Milliseconds() {
  static DWORD last = 0;
  static unsigned long long high = 0;
  const DWORD now = GetTickCount();
  if (now < last) high += 1ull << 32;
  last = now;
  return high | now;
}

void Pause(unsigned ms) {
  Sleep(ms);
}

}  // namespace platform
