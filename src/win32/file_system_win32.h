// File-system queries on Windows, through the wide calls only: UTF-8 paths are widened at the
// call, so names outside the system code page are found and opened like any other.
#pragma once

#include "platform/file_system.h"

namespace senvola {

class Win32FileSystem final : public FileSystem {
public:
    bool FileExists(const std::string& path) const override;
    // FindFirstFileExW with the basic information (no short names) and large fetches; what an
    // entry is comes from the attributes the search returns.
    std::unique_ptr<FolderListing> ListFolder(const std::string& directory) const override;
};

}  // namespace senvola
