#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

long long ShellOpen(WindowHandle owner, const char* verb, const char* target, const char* parameters,
                    const char* directory, int show) {
  return reinterpret_cast<INT_PTR>(
      ShellExecuteA(static_cast<HWND>(owner), verb, target, parameters, directory, show));
}

}  // namespace platform
