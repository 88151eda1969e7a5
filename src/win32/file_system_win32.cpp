#include "win32/file_system_win32.h"

#include <windows.h>

#include "win32/handles.h"

namespace senvola {

bool Win32FileSystem::FileExists(const std::string& path) const {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Win32FileSystem::ListPlainFiles(const std::string& directory,
                                                         std::size_t limit) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    const UniqueFileSearch search(FindFirstFileA((directory + "*.*").c_str(), &fd));
    if (!search) return names;
    // Only normal and read-only files: directories, hidden and system files are left out.
    constexpr DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((fd.dwFileAttributes & excluded) == 0) names.emplace_back(fd.cFileName);
    } while (names.size() < limit && FindNextFileA(search.get(), &fd));
    return names;
}

}  // namespace senvola
