// The in-memory registry: keys and value names compared without regard to case.
#include "portable/memory_registry.h"

#include <cctype>

namespace senvola {

std::string MemoryRegistry::Normalise(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (unsigned char c : s) out += static_cast<char>(std::tolower(c));
    while (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

class MemoryRegistryKey final : public RegistryKey {
public:
    MemoryRegistryKey(MemoryRegistry& owner, MemoryRegistry::KeyData& data) : owner_(owner), data_(data) {}

    bool ValueExists(const std::string& name) const override {
        return data_.values.count(MemoryRegistry::Normalise(name)) != 0;
    }
    std::optional<int32_t> ReadInteger(const std::string& name) const override {
        auto it = data_.values.find(MemoryRegistry::Normalise(name));
        if (it == data_.values.end() || !std::holds_alternative<int32_t>(it->second)) return std::nullopt;
        return std::get<int32_t>(it->second);
    }
    std::optional<std::string> ReadString(const std::string& name) const override {
        auto it = data_.values.find(MemoryRegistry::Normalise(name));
        if (it == data_.values.end() || !std::holds_alternative<std::string>(it->second)) return std::nullopt;
        return std::get<std::string>(it->second);
    }
    bool WriteInteger(const std::string& name, int32_t value) override {
        data_.values[MemoryRegistry::Normalise(name)] = value;
        ++owner_.writes_;
        return true;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        data_.values[MemoryRegistry::Normalise(name)] = value;
        ++owner_.writes_;
        return true;
    }

private:
    MemoryRegistry& owner_;
    MemoryRegistry::KeyData& data_;
};

bool MemoryRegistry::KeyExists(const std::string& path) const { return keys_.count(Normalise(path)) != 0; }

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(const std::string& path, bool create) {
    const std::string p = Normalise(path);
    auto it = keys_.find(p);
    if (it == keys_.end()) {
        if (!create) return nullptr;
        // Creating a key creates its parents, as the registry does.
        for (std::size_t pos = p.find('\\'); pos != std::string::npos; pos = p.find('\\', pos + 1))
            keys_.try_emplace(p.substr(0, pos));
        it = keys_.try_emplace(p).first;
    }
    return std::make_unique<MemoryRegistryKey>(*this, it->second);
}

MemoryRegistry::KeyData& MemoryRegistry::Key(const std::string& path) { return keys_[Normalise(path)]; }

}  // namespace senvola
