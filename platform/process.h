#pragma once
#include "platform/handle.h"

namespace platform {

constexpr unsigned kExeFileChars = 260;

// One entry of the system's process list. exeFile is not guaranteed to hold a zero.
struct ProcessEntry {
  unsigned long processId;
  char exeFile[kExeFileChars];
};

using SnapshotHandle = void*;
using ProcessHandle = void*;

// A snapshot of all processes, or null when none can be taken.
SnapshotHandle TakeProcessSnapshot();
bool FirstProcess(SnapshotHandle snapshot, ProcessEntry& entry);
bool NextProcess(SnapshotHandle snapshot, ProcessEntry& entry);
void CloseSnapshot(SnapshotHandle snapshot);

// A handle with the terminate right only, or null.
ProcessHandle OpenForTermination(unsigned long processId);
bool TerminateWithCode(ProcessHandle process, unsigned exitCode);
void CloseProcess(ProcessHandle process);

using OwnedSnapshot = Owned<SnapshotHandle, CloseSnapshot>;
using OwnedProcess = Owned<ProcessHandle, CloseProcess>;

}  // namespace platform
