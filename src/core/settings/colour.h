// A colour as the options store it and the canvas paints it.
#pragma once

#include <cstdint>

namespace senvola {

using Colour = uint32_t;  // 0x00BBGGRR

}  // namespace senvola
