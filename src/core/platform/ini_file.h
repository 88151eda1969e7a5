// The INI source the language texts come from, read with the rules of private profile strings:
// section and key match without regard to case, blanks around a value are dropped, a value is
// cut at 1023 characters, and a missing file reads as empty.
#pragma once

#include <string>
#include <string_view>

namespace senvola {

class IniFile {
public:
    virtual ~IniFile() = default;
    // The value of key in section, or `def` when the file, section or key is missing.
    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view def) const = 0;
};

}  // namespace senvola
