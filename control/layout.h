#pragma once
// Where the portable stack lives, how its programs are started and stopped, and by which image
// names they are recognised. Everything here is fixed data.
#include "platform/handle.h"

namespace stack {

enum class Owner : unsigned char { None, MainWindow };

struct ShellRequest {
  Owner owner;
  const char* verb;
  const char* target;
  const char* parameters;  // null: none
  const char* directory;   // null: none; "" and none both mean the current directory
  int show;                // 0 hidden, 1 normal
};

inline constexpr char StackFolder[] = "mnt";
inline constexpr char DriveProbeRoot[] = "w:\\";

inline constexpr char ApacheExecutable[] = "w:/usr/local/apache2/bin/Apache.exe";
inline constexpr char ApacheParameters[] = "-f w:/usr/local/apache2/conf/httpd.conf -d w:/usr/local/apache2/";
inline constexpr char ApacheDirectory[] = "w:/usr/local/php";
inline constexpr char MySqlExecutable[] = "w:/usr/local/mysql/bin/mysqld-opt.exe";
inline constexpr char MySqlLaunchDirectory[] = "w:/usr/local/mysql/bin/";
inline constexpr char MySqlAdmin[] = "w:/usr/local/mysql/bin/mysqladmin.exe";

inline constexpr ShellRequest MapStackDrive{Owner::None,           "Open",  "Command",
                                            "/C Subst W: \"mnt\"", nullptr, 0};
inline constexpr ShellRequest UnmapStackDrive{Owner::None, "Open", "Command", "/C subst w: /d", nullptr, 0};
inline constexpr ShellRequest StartApache{Owner::MainWindow, "Open",          ApacheExecutable,
                                          ApacheParameters,  ApacheDirectory, 0};
inline constexpr ShellRequest StartMySqlAtLaunch{
    Owner::MainWindow, "Open", MySqlExecutable, "--defaults-file=my.cnf", MySqlLaunchDirectory, 0};
inline constexpr ShellRequest StartMySqlFromMenu{
    Owner::MainWindow, "Open", MySqlExecutable, "--defaults-file=my-small.cnf", "", 0};
inline constexpr ShellRequest StopMySql{Owner::MainWindow,   "Open",  MySqlAdmin,
                                        " -u root shutdown", nullptr, 0};

// 64-bit Windows has no program "Command"; the drive requests then go to "cmd" instead.
inline constexpr char FallbackInterpreter[] = "cmd";

inline constexpr char ApacheImage[] = "Apache.exe";
inline constexpr char MySqlImageAtQuit[] = "mysqld-opt.exe";
inline constexpr char MySqlImage[] = "Mysqld-opt.exe";

// The shell's answer when it started the target is above this.
inline constexpr long long kShellFailureLimit = 32;

// Issues one request; mainWindow is used where the request names the main window as owner.
long long Issue(const ShellRequest& request, platform::WindowHandle mainWindow);
// Issues a drive request, and once more with "cmd" as the target when "Command" cannot be started.
void IssueDriveRequest(const ShellRequest& request);

// Bounds and pacing of the waits.
inline constexpr unsigned kDriveWaitPauseMs = 50;
inline constexpr unsigned kDriveWaitBoundMs = 10000;
inline constexpr unsigned kQuitWaitPauseMs = 100;
inline constexpr unsigned kQuitWaitBoundMs = 15000;

// Waits until the stack drive answers, or the bound passes. True when the drive answered.
bool WaitForStackDrive();

}  // namespace stack
