#pragma once

namespace platform {

// Monotonic milliseconds since some fixed point.
unsigned long long Milliseconds();
// Gives the processor away for about ms milliseconds; handles no message.
void Pause(unsigned ms);

}  // namespace platform
