// The language file through GetPrivateProfileStringA, with a 1024-byte buffer as the program
// has always read it: values are cut at 1023 characters.
#pragma once

#include <string>
#include <string_view>

#include "settings/ini_file.h"

namespace senvola {

class Win32IniFile final : public IniFile {
public:
    // The path is made absolute here: a bare name would otherwise be looked up in the Windows
    // directory.
    explicit Win32IniFile(const std::string& path);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const override;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace senvola
