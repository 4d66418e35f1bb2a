#pragma once
#include "platform/handle.h"

namespace platform {

// One call of the shell's open/execute service. Null texts are passed as "none".
// Returns the service's raw answer: above 32 when the target was started.
long long ShellOpen(WindowHandle owner, const char* verb, const char* target, const char* parameters,
                    const char* directory, int show);

}  // namespace platform
