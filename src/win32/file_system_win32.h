// File-system queries on Windows: GetFileAttributes and FindFirstFile with an attribute filter.
#pragma once

#include "platform/file_system.h"

namespace senvola {

class Win32FileSystem final : public FileSystem {
public:
    bool FileExists(const std::string& path) const override;
    std::vector<std::string> ListPlainFiles(const std::string& directory, std::size_t limit) const override;
};

}  // namespace senvola
