#include "saverkit/resource_text.h"

namespace saverkit {

std::string ResourceText(UINT id, const char* builtIn) {
    char buffer[512];
    const int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string(builtIn);
}

}  // namespace saverkit
