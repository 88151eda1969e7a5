// The command line with which the host starts a screensaver: "/s" the saver, "/p HANDLE" the
// preview inside the host's window, "/c" (or nothing at all) the options dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "saverkit/saver_hooks.h"

namespace saverkit {

// The parameters of the process's command line, without the program name, in UTF-8.
std::vector<std::string> CommandLineParameters();
// The mode the parameters ask for: a first parameter holding "s" the saver, else "p" the
// preview, else "c" or no parameter at all the options dialog (letters in either case, anywhere
// in it: "/c:4711" is "c"); empty for anything else.
std::optional<Mode> ModeOfParameters(const std::vector<std::string>& params);
// A decimal number (optional sign, digits only); empty for anything else.
std::optional<long long> ParseDecimal(const std::string& text);
// A decimal window handle as the host passes it (a 32-bit number, signed or not); empty when the
// text is not one.
std::optional<HWND> ParseWindowHandle(const std::string& text);

}  // namespace saverkit
