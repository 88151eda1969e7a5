// The text decoder of the platform this build runs on, for portable tests and tools.
#pragma once

#include "win32/text_decoder_win32.h"

namespace senvola {
using NativeTextDecoder = Win32TextDecoder;
}  // namespace senvola
