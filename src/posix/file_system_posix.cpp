// Plain files and folder listings on POSIX hosts, with "\" read as "/".
#include "posix/file_system_posix.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace senvola {

std::string ToPosixPath(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

bool PosixFileSystem::FileExists(const std::string& path) const {
    struct stat st {};
    return !path.empty() && ::stat(ToPosixPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::vector<std::string> PosixFileSystem::ListPlainFiles(const std::string& directory,
                                                         std::size_t limit) const {
    std::vector<std::string> names;
    std::string dir = ToPosixPath(directory);
    if (dir.empty()) dir = "./";
    DIR* d = ::opendir(dir.c_str());
    if (!d) return names;
    while (names.size() < limit) {
        const dirent* e = ::readdir(d);
        if (!e) break;
        const std::string name = e->d_name;
        if (name.empty() || name[0] == '.') continue;  // ".", ".." and hidden files
        struct stat st {};
        const std::string full = dir + (dir.back() == '/' ? "" : "/") + name;
        if (::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
    }
    ::closedir(d);
    return names;
}

}  // namespace senvola
