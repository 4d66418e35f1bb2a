// Stands in for the stack's programs in tests. What it does depends on its own file name:
//   Apache.exe      a server that starts one child process of the same name, as the real one does;
//   mysqld-opt.exe  a database server that shuts down cleanly when mysqladmin asks it to;
//   mysqladmin.exe  asks the database stand-in to shut down and exits;
//   anything else   waits until it is terminated.
// Each start appends "start pid=... cmd=... cwd=..." to <role>.log in the folder named by the
// environment variable VANTREL_STANDIN_LOG. Files in that folder steer the stand-ins while they run:
//   apache.fail / mysql.fail   exit at once, as a server that cannot start;
//   apache.crash / mysql.crash exit with code 3, as a crash, whenever the file exists;
//   mysql.refuse               ignore shut-down requests;
//   mysql.delay                milliseconds between the request and the exit (default 300).
// Like the real servers, which cannot both listen on the same port, a second Apache or database
// stand-in that finds the first one running records "port in use" and exits.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kShutdownEvent[] = "VantrelStandInMysqlShutdown";

std::string LogDir() {
  char buf[MAX_PATH] = "";
  GetEnvironmentVariableA("VANTREL_STANDIN_LOG", buf, MAX_PATH);
  return buf;
}

std::string PathOf(const char* file) {
  return LogDir() + "\\" + file;
}

bool Exists(const char* file) {
  return GetFileAttributesA(PathOf(file).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Append(const char* file, const std::string& line) {
  HANDLE h = CreateFileA(PathOf(file).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
}

// Wall-clock milliseconds since 1970, the clock the tests and benchmarks read on the Unix side.
long long UnixMs(FILETIME t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return static_cast<long long>(v.QuadPart / 10000) - 11644473600000LL;
}

long long NowMs() {
  FILETIME t;
  GetSystemTimeAsFileTime(&t);
  return UnixMs(t);
}

long long CreatedMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  return GetProcessTimes(process, &created, &exited, &kernel, &user) ? UnixMs(created) : 0;
}

// When the process that started this one was itself created: for a server that the controller
// launched, the controller's start.
long long ParentCreatedMs() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  DWORD parent = 0;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
  CloseHandle(snapshot);
  HANDLE h = parent ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parent) : nullptr;
  if (!h) return 0;
  const long long created = CreatedMs(h);
  CloseHandle(h);
  return created;
}

void RecordStart(const char* log) {
  const long long now = NowMs();
  char cwd[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, cwd);
  Append(log,
         "start pid=" + std::to_string(GetCurrentProcessId()) + " cmd=" + GetCommandLineA() + " cwd=" + cwd);
  Append("times.log", std::string(log) + " pid=" + std::to_string(GetCurrentProcessId()) + " now=" +
                          std::to_string(now) + " created=" + std::to_string(CreatedMs(GetCurrentProcess())) +
                          " parent_created=" + std::to_string(ParentCreatedMs()));
}

int ReadNumber(const char* file, int fallback) {
  FILE* f = std::fopen(PathOf(file).c_str(), "r");
  if (!f) return fallback;
  int v = fallback;
  if (std::fscanf(f, "%d", &v) != 1) v = fallback;
  std::fclose(f);
  return v;
}

// Holds the server's port for the life of the process; false when another server holds it.
bool TakePort(const char* port, const char* log) {
  CreateMutexA(nullptr, FALSE, port);
  if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
  Append(log, "port in use pid=" + std::to_string(GetCurrentProcessId()));
  return false;
}

[[noreturn]] void RunUntilCrashed(const char* crashFile) {
  for (;;) {
    if (Exists(crashFile)) ExitProcess(3);
    Sleep(50);
  }
}

int Apache(const char* commandLine) {
  const bool child = std::strstr(commandLine, "--child") != nullptr;
  RecordStart(child ? "apache-child.log" : "apache.log");
  if (Exists("apache.fail")) return 1;
  if (!child && !TakePort("VantrelStandInApachePort", "apache.log")) return 1;
  if (!child) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" --child";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(self, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  }
  RunUntilCrashed("apache.crash");
}

int MySql() {
  RecordStart("mysql.log");
  if (Exists("mysql.fail")) return 1;
  if (!TakePort("VantrelStandInMysqlPort", "mysql.log")) return 1;
  HANDLE shutdown = CreateEventA(nullptr, FALSE, FALSE, kShutdownEvent);
  for (;;) {
    if (Exists("mysql.crash")) ExitProcess(3);
    if (WaitForSingleObject(shutdown, 50) == WAIT_OBJECT_0) {
      if (Exists("mysql.refuse")) {
        Append("mysql.log", "shutdown refused pid=" + std::to_string(GetCurrentProcessId()));
        continue;
      }
      Sleep(ReadNumber("mysql.delay", 300));
      Append("mysql.log", "clean shutdown pid=" + std::to_string(GetCurrentProcessId()) +
                              " at=" + std::to_string(NowMs()));
      return 0;
    }
  }
}

int MySqlAdmin() {
  RecordStart("mysqladmin.log");
  HANDLE shutdown = OpenEventA(EVENT_MODIFY_STATE, FALSE, kShutdownEvent);
  if (!shutdown) return 1;
  SetEvent(shutdown);
  CloseHandle(shutdown);
  return 0;
}

}  // namespace

int main() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const char* name = self;
  for (const char* p = self; *p; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  if (lstrcmpiA(name, "Apache.exe") == 0) return Apache(GetCommandLineA());
  if (lstrcmpiA(name, "mysqld-opt.exe") == 0) return MySql();
  if (lstrcmpiA(name, "mysqladmin.exe") == 0) return MySqlAdmin();
  RecordStart("other.log");
  RunUntilCrashed("other.crash");
}
