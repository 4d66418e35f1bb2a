// The main window's server handlers: start-up, the two toggles, quit and the status poll.
#include "app/Unit1.h"
#include "control/layout.h"
#include "platform/clock.h"

using namespace stack;

void TForm1::FormCreate(TObject*) {
  window_.SetVisible(false);
  IssueDriveRequest(MapStackDrive);
  // When the drive never answers, the launches below fail harmlessly and the first tick of the
  // status poll shows both servers stopped.
  WaitForStackDrive();
  Issue(StartApache, Handle());
  Apache1.Caption = unit1::kCaptions[unit1::kApacheRows].running;
  Issue(StartMySqlAtLaunch, Handle());
  MySQL1.Caption = unit1::kCaptions[unit1::kMySqlRows].running;
}

// Each toggle is one test with two branches: a running server is stopped and nothing more, so that
// a stop that has already taken effect never starts the server again.
void TForm1::Apache2Click(TObject*) {
  if (ProcessRunning(ApacheImage))
    KillProcesses(ApacheImage);
  else
    Issue(StartApache, Handle());
}

void TForm1::MySQL2Click(TObject*) {
  if (ProcessRunning(MySqlImage))
    Issue(StopMySql, Handle());
  else
    Issue(StartMySqlFromMenu, Handle());
}

// The database is asked to shut down and given time to do so, because a killed database server can
// lose committed work; the drive it writes through is removed only once both servers are gone.
void TForm1::Quitter1Click(TObject*) {
  KillProcesses(ApacheImage);
  if (ProcessRunning(MySqlImageAtQuit)) Issue(StopMySql, Handle());
  const unsigned long long start = platform::Milliseconds();
  for (;;) {
    const bool mySqlListed = ProcessRunning(MySqlImageAtQuit);
    if (!mySqlListed && !ProcessRunning(ApacheImage)) break;
    if (platform::Milliseconds() - start >= kQuitWaitBoundMs) {
      if (mySqlListed) KillProcesses(MySqlImageAtQuit);
      break;
    }
    platform::Pause(kQuitWaitPauseMs);
  }
  IssueDriveRequest(UnmapStackDrive);
  application_.Terminate();
}

// Writes the status line and the action item of one server from the table of captions.
void TForm1::ShowServerState(unsigned firstRow, bool running) {
  for (unsigned row = firstRow; row < firstRow + 2; ++row) {
    const unit1::CaptionRow& c = unit1::kCaptions[row];
    (this->*c.item).Caption = running ? c.running : c.stopped;
  }
}

// Four fresh queries per tick, each its own test; the captions are written on every tick.
void TForm1::Timer1Timer(TObject*) {
  if (ProcessRunning(ApacheImage)) ShowServerState(unit1::kApacheRows, true);
  if (!ProcessRunning(ApacheImage)) ShowServerState(unit1::kApacheRows, false);
  if (ProcessRunning(MySqlImage)) ShowServerState(unit1::kMySqlRows, true);
  if (!ProcessRunning(MySqlImage)) ShowServerState(unit1::kMySqlRows, false);
}
