#include "file_system_win32.h"

#include <windows.h>

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
    HANDLE h = FindFirstFileA((directory + "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    // Only normal and read-only files: directories, hidden and system files are left out.
    constexpr DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((fd.dwFileAttributes & excluded) == 0) names.emplace_back(fd.cFileName);
    } while (names.size() < limit && FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

}  // namespace senvola
