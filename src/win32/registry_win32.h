// The current user's registry hive through advapi32: keys are opened for reading and writing
// and closed when their object goes.
#pragma once

#include <windows.h>

#include "platform/registry_key.h"

namespace senvola {

// Owns an open HKEY and closes it once.
class UniqueHkey {
public:
    UniqueHkey() = default;
    explicit UniqueHkey(HKEY key) : key_(key) {}
    ~UniqueHkey() { reset(); }
    UniqueHkey(UniqueHkey&& other) noexcept : key_(other.release()) {}
    UniqueHkey& operator=(UniqueHkey&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHkey(const UniqueHkey&) = delete;
    UniqueHkey& operator=(const UniqueHkey&) = delete;

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY release() {
        HKEY k = key_;
        key_ = nullptr;
        return k;
    }
    void reset(HKEY key = nullptr) {
        if (key_) RegCloseKey(key_);
        key_ = key;
    }

private:
    HKEY key_ = nullptr;
};

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

    bool ValueExists(const std::string& name) const override;
    // REG_DWORD only; any other type reads as empty.
    std::optional<int32_t> ReadInteger(const std::string& name) const override;
    // REG_SZ or REG_EXPAND_SZ (unexpanded); any other type reads as empty.
    std::optional<std::string> ReadString(const std::string& name) const override;
    bool WriteInteger(const std::string& name, int32_t value) override;
    bool WriteString(const std::string& name, const std::string& value) override;

    HKEY Handle() const { return key_.get(); }

private:
    UniqueHkey key_;
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
