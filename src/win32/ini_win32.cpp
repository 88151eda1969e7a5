#include "win32/ini_win32.h"

#include <windows.h>

#include "win32/path_win32.h"

namespace senvola {
namespace {

// Handed to Windows as the default so that a missing key can be told from a present one:
// Windows strips trailing blanks and enclosing quotes from a default, which would otherwise
// change the caller's default text.
constexpr wchar_t kMissing[] = L"\x01senvola:missing\x02";
constexpr DWORD kBufferLength = 1024;

std::wstring FullPath(const std::wstring& path) {
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) return path;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
    return got > 0 && got < need ? full.substr(0, got) : path;
}

// The profile calls refuse a path of MAX_PATH characters or more; the file's short name, where
// the volume keeps one, is the same file under a shorter path.
std::wstring ProfilePath(const std::wstring& full) {
    if (full.size() < MAX_PATH) return full;
    for (const std::wstring& name : {full, LongPathForm(full)}) {
        const DWORD need = GetShortPathNameW(name.c_str(), nullptr, 0);
        if (need == 0) continue;
        std::wstring shortName(need, L'\0');
        const DWORD got = GetShortPathNameW(name.c_str(), shortName.data(), need);
        if (got > 0 && got < need && got < MAX_PATH) return shortName.substr(0, got);
    }
    return full;
}

// Cut to `limit` bytes without splitting a double-byte character.
void CutAt(std::string& text, std::size_t limit) {
    if (text.size() <= limit) return;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[end])) ? 2 : 1;
        if (end + step > limit) break;
        end += step;
    }
    text.resize(end);
}

}  // namespace

Win32IniFile::Win32IniFile(const std::string& path) {
    const std::wstring full = FullPath(WideFromUtf8(path));
    path_ = Utf8FromWide(full);
    profilePath_ = ProfilePath(full);
}

std::string Win32IniFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view def) const {
    wchar_t buffer[kBufferLength];
    const std::wstring s = WideFromAnsi(section), k = WideFromAnsi(key);
    const DWORD n = GetPrivateProfileStringW(s.c_str(), k.c_str(), kMissing, buffer, kBufferLength,
                                             profilePath_.c_str());
    const std::wstring value(buffer, n < kBufferLength ? n : kBufferLength - 1);
    if (value == kMissing) return std::string(def);
    std::string text = AnsiFromWide(value);
    CutAt(text, kBufferLength - 1);
    return text;
}

}  // namespace senvola
