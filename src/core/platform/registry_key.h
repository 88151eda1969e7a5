// The registry as the settings see it: keys of the current user's hive and their values.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace senvola {

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    virtual bool ValueExists(const std::string& name) const = 0;
    // Empty when the value is missing or stored with another type.
    virtual std::optional<int32_t> ReadInteger(const std::string& name) const = 0;
    virtual std::optional<std::string> ReadString(const std::string& name) const = 0;
    virtual bool WriteInteger(const std::string& name, int32_t value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
};

// HKEY_CURRENT_USER, or an in-memory stand-in for tests.
class Registry {
public:
    virtual ~Registry() = default;
    virtual bool KeyExists(const std::string& path) const = 0;
    // Null when the key cannot be opened (or, with create, cannot be created).
    virtual std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool create) = 0;
};

}  // namespace senvola
