#include "ini_win32.h"

#include <windows.h>

#include <vector>

namespace senvola {
namespace {

// Handed to Windows as the default so that a missing key can be told from a present one:
// Windows strips trailing blanks and enclosing quotes from a default, which would otherwise
// change the caller's default text.
constexpr char kMissing[] = "\x01senvola:missing\x02";

}  // namespace

Win32IniFile::Win32IniFile(const std::string& path) {
    DWORD need = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) {
        path_ = path;
        return;
    }
    std::vector<char> full(need + 1);
    DWORD got = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    path_ = (got > 0 && got < full.size()) ? std::string(full.data(), got) : path;
}

std::string Win32IniFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view def) const {
    char buffer[1024];
    const std::string s(section), k(key);
    const DWORD n = GetPrivateProfileStringA(s.c_str(), k.c_str(), kMissing, buffer,
                                             static_cast<DWORD>(sizeof buffer), path_.c_str());
    std::string value(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
    if (value == kMissing) return std::string(def);
    return value;
}

}  // namespace senvola
