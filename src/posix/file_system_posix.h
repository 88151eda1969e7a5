// File-system queries on POSIX hosts. Paths may use "\" as the program does on Windows; it is
// read as "/". Names beginning with "." count as hidden.
#pragma once

#include "platform/file_system.h"

namespace senvola {

std::string ToPosixPath(const std::string& path);

class PosixFileSystem final : public FileSystem {
public:
    bool FileExists(const std::string& path) const override;
    std::vector<std::string> ListPlainFiles(const std::string& directory, std::size_t limit) const override;
    std::string NativePath(const std::string& path) const override { return ToPosixPath(path); }
};

}  // namespace senvola
