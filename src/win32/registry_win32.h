// The current user's registry hive through advapi32: keys are opened for reading and writing
// and closed when their object goes. Names and strings are UTF-8 and go through the wide calls,
// so a path outside the system code page is stored as it is.
#pragma once

#include <windows.h>

#include "platform/registry_key.h"
#include "win32/handles.h"

namespace senvola {

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueKey key) : key_(std::move(key)) {}

    bool ValueExists(const std::string& name) const override;
    // REG_DWORD only; any other type reads as empty.
    std::optional<int32_t> ReadInteger(const std::string& name) const override;
    // REG_SZ or REG_EXPAND_SZ (unexpanded); any other type reads as empty.
    std::optional<std::string> ReadString(const std::string& name) const override;
    bool WriteInteger(const std::string& name, int32_t value) override;
    bool WriteString(const std::string& name, const std::string& value) override;

    HKEY Handle() const { return key_.get(); }

private:
    UniqueKey key_;
};

// Keys below one root, HKEY_CURRENT_USER unless told otherwise.
class Win32Registry final : public Registry {
public:
    explicit Win32Registry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
    bool KeyExists(const std::string& path) const override;
    // Opened for reading and writing, or for reading alone where writing is refused.
    std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool create) override;

private:
    HKEY root_;
};

}  // namespace senvola
