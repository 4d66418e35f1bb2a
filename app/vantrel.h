#pragma once
#include "platform/app.h"

// The program entry: sets the application up so that nothing but the tray icon is ever shown,
// creates the main window and runs the message loop until quit.
int vantrel(platform::Application& Application);
