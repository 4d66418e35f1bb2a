// Acts out a restart of the taskbar for the controller running in the same Wine desktop: takes its
// icon out of the notification area, as a dying taskbar does, then broadcasts "TaskbarCreated", as
// a new taskbar does. Prints "removed=<0|1>" for the test to read.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

int main() {
  HWND controller = FindWindowA("TForm1", "Form1");
  if (!controller) {
    std::printf("removed=0 no-controller\n");
    return 1;
  }
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = controller;
  data.uID = 1;
  const BOOL removed = Shell_NotifyIconA(NIM_DELETE, &data);
  Sleep(500);
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  std::printf("removed=%d\n", removed ? 1 : 0);
  std::fflush(stdout);
  return 0;
}
