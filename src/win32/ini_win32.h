// The language file through the profile calls, with a 1024-character buffer as the program has
// always read it: values are cut at 1023 bytes. The file is named by its wide path, so it is
// found in a folder whose name the system code page cannot spell; sections, keys and values are
// text in the system code page, as the ANSI calls hand them out.
// The program reads its language file with the portable IniFileReader, which hands out UTF-8;
// this stays as the reference the tests hold that reader's rules against.
#pragma once

#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace senvola {

class Win32IniFile final : public IniFile {
public:
    // `path` is UTF-8. It is made absolute here: a bare name would otherwise be looked up in the
    // Windows directory.
    explicit Win32IniFile(const std::string& path);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const override;

    // The absolute path, UTF-8.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::wstring profilePath_;  // what the profile calls are given
};

}  // namespace senvola
