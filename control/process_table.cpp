#include "control/process_table.h"

#include "platform/process.h"

namespace {

unsigned BoundedLength(const char* s, unsigned cap) {
  unsigned n = 0;
  while (n < cap && s[n] != 0) ++n;
  return n;
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

bool EqualIgnoringAsciiCase(const char* a, unsigned lengthA, const char* b, unsigned lengthB) {
  if (lengthA != lengthB) return false;
  for (unsigned i = 0; i < lengthA; ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

// Walks a fresh snapshot and calls onMatch for every matching entry; the snapshot is closed on
// every path by its owner.
template <typename OnMatch>
void ForEachMatch(const char* name, OnMatch onMatch) {
  platform::OwnedSnapshot snapshot(platform::TakeProcessSnapshot());
  if (!snapshot) return;
  platform::ProcessEntry entry;
  for (bool read = platform::FirstProcess(snapshot.get(), entry); read;
       read = platform::NextProcess(snapshot.get(), entry)) {
    if (ImageMatches(entry.exeFile, name)) onMatch(entry);
  }
}

}  // namespace

bool ImageMatches(const char* exeFile, const char* name) {
  const unsigned exeLength = BoundedLength(exeFile, platform::kExeFileChars);
  const unsigned nameLength = BoundedLength(name, ~0u);
  unsigned fileStart = 0;
  for (unsigned i = 0; i < exeLength; ++i)
    if (exeFile[i] == '\\' || exeFile[i] == ':') fileStart = i + 1;
  return EqualIgnoringAsciiCase(exeFile + fileStart, exeLength - fileStart, name, nameLength) ||
         EqualIgnoringAsciiCase(exeFile, exeLength, name, nameLength);
}

bool ProcessRunning(const char* name) {
  bool running = false;
  ForEachMatch(name, [&running](const platform::ProcessEntry&) { running = true; });
  return running;
}

void KillProcesses(const char* name) {
  ForEachMatch(name, [](const platform::ProcessEntry& entry) {
    platform::OwnedProcess process(platform::OpenForTermination(entry.processId));
    if (process) platform::TerminateWithCode(process.get(), 0);
  });
}
