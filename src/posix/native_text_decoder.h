// The text decoder of the platform this build runs on, for portable tests and tools.
#pragma once

#include "text_decoder_posix.h"

namespace senvola {
using NativeTextDecoder = PosixTextDecoder;
}  // namespace senvola
