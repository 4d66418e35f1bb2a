#include "platform/drive.h"

#include <windows.h>

namespace platform {

unsigned DriveType(const char* root) {
  return GetDriveTypeA(root);
}

}  // namespace platform
