// An empty Win32 GUI program, the baseline for start-up figures: it links the same system DLLs as
// the controller, creates one hidden window, as every windowed program does, and records how long
// that took from its process's creation. Writes "empty_gui now=... created=..." to times.log in
// the folder named by VANTREL_STANDIN_LOG.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {
long long UnixMs(FILETIME t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return static_cast<long long>(v.QuadPart / 10000) - 11644473600000LL;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "EmptyGui";
  RegisterClassA(&wc);
  HWND hwnd =
      CreateWindowExA(0, "EmptyGui", "", WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
  FILETIME now, created, exited, kernel, user;
  GetSystemTimeAsFileTime(&now);
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  char path[MAX_PATH] = "";
  GetEnvironmentVariableA("VANTREL_STANDIN_LOG", path, MAX_PATH);
  lstrcatA(path, "\\times.log");
  if (FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "empty_gui now=%lld created=%lld\n", UnixMs(now), UnixMs(created));
    std::fclose(f);
  }
  DestroyWindow(hwnd);
  // Referenced so that the shell's DLL is loaded as in the controller.
  return ShellExecuteA ? 0 : 1;
}
