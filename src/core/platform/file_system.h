// File-system queries the game library needs. Win32 and POSIX implementations live outside the core.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace senvola {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True for an existing plain file; false for directories and anything missing.
    virtual bool FileExists(const std::string& path) const = 0;
    // Names (without directory) of the plain files in `directory` (which ends in a separator):
    // normal or read-only files only, no directories, hidden or system files; at most `limit`
    // entries, in the platform's enumeration order.
    virtual std::vector<std::string> ListPlainFiles(const std::string& directory,
                                                    std::size_t limit) const = 0;
    // The path as the platform's file functions take it. Game paths are built the Windows way
    // ("dir\name"); a host that does not read "\" as a separator translates them here.
    virtual std::string NativePath(const std::string& path) const { return path; }
};

}  // namespace senvola
