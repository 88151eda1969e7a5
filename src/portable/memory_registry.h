// An in-memory registry with the current user's hive semantics, for tests and host tools.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <variant>

#include "platform/registry_key.h"

namespace senvola {

class MemoryRegistry final : public Registry {
public:
    using Value = std::variant<int32_t, std::string>;
    struct KeyData {
        std::map<std::string, Value> values;  // value names compared without regard to case
    };

    bool KeyExists(const std::string& path) const override;
    std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool create) override;

    // Direct access for tests: the values stored under a key (created if missing).
    KeyData& Key(const std::string& path);
    // Number of writes made through opened keys, to check that a mode writes nothing.
    int WriteCount() const { return writes_; }

    static std::string Normalise(const std::string& s);

private:
    friend class MemoryRegistryKey;
    std::map<std::string, KeyData> keys_;  // by normalised path
    int writes_ = 0;
};

}  // namespace senvola
