// The file system of the platform this build runs on, for portable tests and tools.
#pragma once

#include "win32/file_system_win32.h"

namespace senvola {
using NativeFileSystem = Win32FileSystem;
}  // namespace senvola
