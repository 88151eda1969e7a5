// File-system queries the game library needs. Win32 and POSIX implementations live outside the core.
// Paths and names are UTF-8; paths may be spelt the Windows way ("dir\name") on every platform.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace senvola {

// One entry of a folder listing, typed from the listing itself (no further query per entry).
struct FolderEntry {
    enum class Kind : unsigned char { File, Folder };
    std::string Name;  // without the folder
    Kind Type = Kind::File;
};

// A folder read a few entries at a time, so that a caller can spread a large folder over
// several calls. Holds the platform's open listing until it is exhausted or destroyed.
class FolderListing {
public:
    virtual ~FolderListing() = default;
    // Looks at up to `budget` more entries, appending the ones kept to `out`. Returns false once
    // the listing is exhausted (what that call appended still counts).
    virtual bool Next(std::vector<FolderEntry>& out, std::size_t budget) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True for an existing plain file; false for directories and anything missing.
    virtual bool FileExists(const std::string& path) const = 0;
    // The entries of `directory` (which ends in a separator) that a person browsing it would
    // see as files and folders: "." and "..", hidden and system entries, whatever leads to
    // another place (symbolic links; on Windows junctions and mount points too), files whose data
    // is not on this machine, devices, pipes and sockets are left out. Entries come in the platform's
    // enumeration order. A folder that cannot be read lists nothing.
    virtual std::unique_ptr<FolderListing> ListFolder(const std::string& directory) const = 0;
    // The path as the platform's file functions take it. Game paths are built the Windows way
    // ("dir\name"); a host that does not read "\" as a separator translates them here.
    virtual std::string NativePath(const std::string& path) const { return path; }
};

}  // namespace senvola
