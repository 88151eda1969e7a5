// Paths for the wide file calls, which take names outside the system code page and paths of any
// length. Every path the program carries (its own file and directory, the language file beside
// it, the stored settings, what the dialogs return) is UTF-8 and is widened only at the Windows
// call. The system code page is left to what still speaks it: WinHelp's file name, and texts
// that arrive in it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace senvola {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromAnsi(std::string_view text);
// In the system code page, with the look-alikes Windows picks for characters it lacks (what an
// ANSI call would have handed out).
std::string AnsiFromWide(std::wstring_view text);
// In the system code page only when every character has its own there: a path that must still
// name the same file afterwards.
std::optional<std::string> ExactAnsiFromWide(std::wstring_view text);

// An absolute path as the wide file calls take it at any length: "\\?\" (or "\\?\UNC\" for a
// share) before a path of MAX_PATH characters or more. Shorter, relative and already prefixed
// paths come back unchanged.
std::wstring LongPathForm(std::wstring path);

// The process's command line split as the C runtime splits it, program name first, in UTF-8: the
// ANSI argv of main cannot name a file outside the system code page.
std::vector<std::string> Utf8Arguments();

// The program's own file, however long its path; empty only when Windows cannot tell.
std::wstring ProgramFile();
// The directory of the program's file with a trailing backslash; empty when unknown.
std::wstring ProgramDirectory();

}  // namespace senvola
