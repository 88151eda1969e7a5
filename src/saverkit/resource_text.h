// Texts of the program's string table, each with the same text built in for a program that
// carries none.
#pragma once

#include <windows.h>

#include <string>

namespace saverkit {

// The string `id` of the program's own string table, or `builtIn` where there is none.
std::string ResourceText(UINT id, const char* builtIn);

}  // namespace saverkit
