#include "platform/fake/fake.h"

#include <algorithm>
#include <cstring>

#include "platform/clock.h"
#include "platform/drive.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/tray.h"

namespace fake {

World& world() {
  static World w;
  return w;
}

void Reset() {
  world() = World{};
}

bool World::Listed(unsigned long id) const {
  for (const Process& p : processes)
    if (p.id == id) return now < p.goneAt;
  return false;
}

std::vector<std::string> World::Only(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& line : log)
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  return out;
}

namespace {
struct Snapshot {
  std::vector<Process> entries;
  size_t next = 0;
};
struct ProcessRef {
  unsigned long id;
};
std::string Field(const char* s) {
  return s ? std::string("\"") + s + "\"" : "none";
}
void Log(std::string line) {
  world().log.push_back(std::move(line));
}
}  // namespace

}  // namespace fake

namespace platform {
using fake::Log;
using fake::world;

long long ShellOpen(WindowHandle owner, const char* verb, const char* target, const char* parameters,
                    const char* directory, int show) {
  fake::ShellCall c{owner,
                    verb,
                    target,
                    parameters != nullptr,
                    directory != nullptr,
                    parameters ? parameters : "",
                    directory ? directory : "",
                    show};
  Log(std::string("shell ") +
      (owner == fake::kMainWindow ? "main"
       : owner                    ? "other"
                                  : "none") +
      " " + fake::Field(verb) + " " + fake::Field(target) + " " + fake::Field(parameters) + " " +
      fake::Field(directory) + " " + std::to_string(show));
  world().shell.push_back(c);
  return world().onShell ? world().onShell(c) : 42;
}

unsigned DriveType(const char* root) {
  fake::World& w = world();
  w.now += w.probeCostMs;
  unsigned answer = w.driveDefault;
  if (!w.driveAnswers.empty()) {
    answer = w.driveAnswers.front();
    w.driveAnswers.pop_front();
  }
  Log(std::string("probe ") + root + " " + std::to_string(answer));
  return answer;
}

unsigned long long Milliseconds() {
  return world().now;
}
void Pause(unsigned ms) {
  world().now += ms;
  Log("pause " + std::to_string(ms));
}

SnapshotHandle TakeProcessSnapshot() {
  fake::World& w = world();
  if (w.snapshotFails) return nullptr;
  auto* s = new fake::Snapshot;
  for (const fake::Process& p : w.processes)
    if (w.now < p.goneAt) s->entries.push_back(p);
  ++w.openHandles;
  ++w.snapshots;
  return s;
}

static bool Fill(SnapshotHandle h, ProcessEntry& e) {
  auto* s = static_cast<fake::Snapshot*>(h);
  if (s->next >= s->entries.size()) return false;
  const fake::Process& p = s->entries[s->next++];
  e.processId = p.id;
  std::memset(e.exeFile, 0, sizeof e.exeFile);
  std::memcpy(e.exeFile, p.exe.data(), std::min<size_t>(p.exe.size(), sizeof e.exeFile));
  return true;
}

bool FirstProcess(SnapshotHandle h, ProcessEntry& e) {
  static_cast<fake::Snapshot*>(h)->next = 0;
  return Fill(h, e);
}
bool NextProcess(SnapshotHandle h, ProcessEntry& e) {
  return Fill(h, e);
}
void CloseSnapshot(SnapshotHandle h) {
  delete static_cast<fake::Snapshot*>(h);
  --world().openHandles;
}

ProcessHandle OpenForTermination(unsigned long id) {
  fake::World& w = world();
  for (const fake::Process& p : w.processes) {
    if (p.id == id && w.now < p.goneAt && p.openable) {
      ++w.openHandles;
      return new fake::ProcessRef{id};
    }
  }
  Log("open-failed " + std::to_string(id));
  return nullptr;
}

bool TerminateWithCode(ProcessHandle h, unsigned code) {
  fake::World& w = world();
  const unsigned long id = static_cast<fake::ProcessRef*>(h)->id;
  Log("terminate " + std::to_string(id) + " " + std::to_string(code));
  for (fake::Process& p : w.processes)
    if (p.id == id) p.goneAt = std::min(p.goneAt, w.now + p.exitDelayMs);
  return true;
}

void CloseProcess(ProcessHandle h) {
  delete static_cast<fake::ProcessRef*>(h);
  --world().openHandles;
}

Application::~Application() = default;
void Application::HideOwnWindow() {
  own_ = reinterpret_cast<void*>(0x2000);
  Log("app hide-own-window");
}
void Application::Initialize() {
  Log("app initialize");
}
void Application::SetTitle(const char* title) {
  Log(std::string("app title ") + title);
}
void Application::Run(Window& main) {
  if (showMainForm_) main.SetVisible(true);
  Log("app run");
}
void Application::Terminate() {
  terminated_ = true;
  Log("app terminate");
}

Window::~Window() = default;
void Window::Create(Application& app, const WindowSettings& settings, EventSink* sink) {
  app_ = &app;
  settings_ = &settings;
  sink_ = sink;
  Log(std::string("window create ") + settings.caption);
}
WindowHandle Window::Handle() {
  if (!handle_) {
    handle_ = fake::kMainWindow;
    Log("window handle");
  }
  return handle_;
}
void Window::SetVisible(bool visible) {
  visible_ = visible;
  Log(std::string("window visible ") + (visible ? "1" : "0"));
}

void Timer::Arm(Window& window, unsigned id, unsigned ms) {
  window_ = window.Handle();
  id_ = id;
  world().armedTimers.push_back(id);
  Log("timer arm " + std::to_string(id) + " " + std::to_string(ms));
}
void Timer::Disarm() {
  if (!window_) return;
  auto& t = world().armedTimers;
  t.erase(std::remove(t.begin(), t.end(), id_), t.end());
  Log("timer disarm " + std::to_string(id_));
  window_ = nullptr;
}

bool TrayIcon::Add(Window& owner, const char* hint, const char* icon) {
  fake::World& w = world();
  owner_ = owner.Handle();
  ++w.trayAdds;
  const bool ok = w.trayAddFailures == 0;
  if (!ok) --w.trayAddFailures;
  Log(std::string("tray add ") + hint + " " + icon + (ok ? " ok" : " failed"));
  shown_ = ok;
  w.trayShown = ok;
  return ok;
}
void TrayIcon::Remove() {
  if (!shown_) return;
  shown_ = false;
  world().trayShown = false;
  Log("tray remove");
}
Point CursorPosition() {
  return world().cursor;
}

PopupMenu::~PopupMenu() = default;
void PopupMenu::Build(const MenuEntry* entries, unsigned count) {
  world().menu.assign(entries, entries + count);
  menu_ = this;
  Log("menu build " + std::to_string(count));
}
void PopupMenu::Popup(Window&, int x, int y) {
  Log("popup " + std::to_string(x) + " " + std::to_string(y));
}

MenuPainter::~MenuPainter() = default;
void MenuPainter::Attach(Window& window, const MenuLook& look) {
  look_ = &look;
  window.AttachPainter(this);
  Log(std::string("painter attach ") + look.FontName);
}
void MenuPainter::Measure(void*) {}
void MenuPainter::Draw(void*) {}
void* MenuPainter::FontFor(void*) {
  return nullptr;
}

}  // namespace platform
