// The file system of the platform this build runs on, for portable tests and tools.
#pragma once

#include "posix/file_system_posix.h"

namespace senvola {
using NativeFileSystem = PosixFileSystem;
}  // namespace senvola
