// The Windows entry point; everything else happens in the program entry of the tray shell.
#include <windows.h>

#include "app/vantrel.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::Application application;
  return vantrel(application);
}
