#pragma once
// The program's only view of the servers: the system's process list, matched by image name.

// True when the executable text (read up to its first zero, never past 260 characters) names the
// image: its file-name part, after the last "\" or ":", or else the whole text, equals the name,
// with the ASCII letters a to z taken as A to Z and every other byte compared as it is.
bool ImageMatches(const char* exeFile, const char* name);

// True when at least one process in a fresh snapshot matches the name.
bool ProcessRunning(const char* name);

// Asks every process that matches the name to terminate with exit code 0, in list order.
void KillProcesses(const char* name);
