#include "win32/registry_win32.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "win32/path_win32.h"

namespace senvola {
namespace {

// A path with an empty part ("Software\\" + "" + "\\" + "") names a key above the one meant,
// and an empty path the root itself: neither is opened, so nothing lands there.
bool NamesAKeyBelowTheRoot(const std::string& path) {
    return !path.empty() && path.front() != '\\' && path.back() != '\\' &&
           path.find("\\\\") == std::string::npos;
}

}  // namespace

bool Win32RegistryKey::ValueExists(const std::string& name) const {
    return RegQueryValueExW(key_.get(), WideFromUtf8(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

std::optional<int32_t> Win32RegistryKey::ReadInteger(const std::string& name) const {
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExW(key_.get(), WideFromUtf8(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<std::string> Win32RegistryKey::ReadString(const std::string& name) const {
    // The registry keeps strings as UTF-16 whichever call wrote them, so a value an ANSI program
    // stored reads back as the text it meant.
    const std::wstring wideName = WideFromUtf8(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // The value may grow between the two calls; retry with the size the second call reports. The
    // size is in bytes and may be odd for a value written carelessly.
    std::vector<wchar_t> buffer;
    LONG rc;
    do {
        buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
        size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        rc = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                              &size);
    } while (rc == ERROR_MORE_DATA);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    std::wstring_view s(buffer.data(), std::min<std::size_t>(size / sizeof(wchar_t), buffer.size()));
    // A stored string may or may not carry its terminator; the text ends at the first zero.
    const auto zero = s.find(L'\0');
    if (zero != std::wstring_view::npos) s = s.substr(0, zero);
    return Utf8FromWide(s);
}

bool Win32RegistryKey::WriteInteger(const std::string& name, int32_t value) {
    const DWORD v = static_cast<DWORD>(value);
    return RegSetValueExW(key_.get(), WideFromUtf8(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                          sizeof v) == ERROR_SUCCESS;
}

bool Win32RegistryKey::WriteString(const std::string& name, const std::string& value) {
    const std::wstring wide = WideFromUtf8(value);
    return RegSetValueExW(key_.get(), WideFromUtf8(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Win32Registry::KeyExists(const std::string& path) const {
    if (!NamesAKeyBelowTheRoot(path)) return false;
    HKEY k = nullptr;
    if (RegOpenKeyExW(root_, WideFromUtf8(path).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    const UniqueKey opened(k);
    return true;
}

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(const std::string& path, bool create) {
    if (!NamesAKeyBelowTheRoot(path)) return nullptr;
    const std::wstring widePath = WideFromUtf8(path);
    HKEY k = nullptr;
    if (create) {
        if (RegCreateKeyExW(root_, widePath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                            nullptr, &k, nullptr) == ERROR_SUCCESS)
            return std::make_unique<Win32RegistryKey>(UniqueKey(k));
    }
    if (RegOpenKeyExW(root_, widePath.c_str(), 0, KEY_READ | KEY_WRITE, &k) == ERROR_SUCCESS ||
        RegOpenKeyExW(root_, widePath.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS)
        return std::make_unique<Win32RegistryKey>(UniqueKey(k));
    return nullptr;
}

}  // namespace senvola
