#pragma once
// Helpers for tests of the Win32 layer: stand-in programs copied under the names a test needs.
#include <windows.h>

#include <string>

namespace wintest {

// The stand-in program, as a Windows path.
inline std::string StandIn() {
  std::string path = "Z:" STANDIN_UNIX_PATH;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// A fresh folder of the test's own under the temporary folder.
inline std::string TempFolder(const char* name) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string dir = std::string(base) + "vantrel-" + name + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// Copies the stand-in to folder\name and starts it with the arguments given.
inline HANDLE StartAs(const std::string& folder, const char* name, const char* arguments) {
  const std::string exe = folder + "\\" + name;
  CopyFileA(StandIn().c_str(), exe.c_str(), FALSE);
  std::string line = "\"" + exe + "\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

inline std::string ReadFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "";
  std::string text;
  char buf[4096];
  DWORD n = 0;
  while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n) text.append(buf, n);
  CloseHandle(h);
  return text;
}

template <typename Predicate>
bool WaitFor(Predicate p, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!p()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace wintest
