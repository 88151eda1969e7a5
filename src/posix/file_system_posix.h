// File-system queries on POSIX hosts. Paths may use "\" as the program does on Windows; it is
// read as "/". Names beginning with "." count as hidden.
#pragma once

#include "platform/file_system.h"

namespace senvola {

std::string ToPosixPath(const std::string& path);

class PosixFileSystem final : public FileSystem {
public:
    bool FileExists(const std::string& path) const override;
    // readdir's d_type says what an entry is; lstat is asked only where the file system leaves
    // it unknown, so a listing costs no call per entry. Symbolic links are never followed.
    std::unique_ptr<FolderListing> ListFolder(const std::string& directory) const override;
    std::string NativePath(const std::string& path) const override { return ToPosixPath(path); }
};

}  // namespace senvola
