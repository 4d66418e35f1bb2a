#pragma once

namespace platform {

// Drive-type code of a root path: 0 unknown, 1 no root directory, 2 and up a drive that answers.
unsigned DriveType(const char* root);

}  // namespace platform
