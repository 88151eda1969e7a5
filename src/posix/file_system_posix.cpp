// Plain files and folder listings on POSIX hosts, with "\" read as "/".
#include "posix/file_system_posix.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>

namespace senvola {

namespace {

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

class PosixFolderListing final : public FolderListing {
public:
    PosixFolderListing(std::string directory, UniqueDir dir) : directory_(std::move(directory)), dir_(std::move(dir)) {}

    bool Next(std::vector<FolderEntry>& out, std::size_t budget) override {
        for (; budget > 0 && dir_; --budget) {
            const dirent* e = ::readdir(dir_.get());
            if (e == nullptr) {
                dir_.reset();  // the handle goes as soon as the listing ends, not with the object
                break;
            }
            // ".", ".." and the hidden files.
            if (e->d_name[0] == '.') continue;
            if (const auto kind = KindOf(*e)) out.push_back({e->d_name, *kind});
        }
        return dir_ != nullptr;
    }

private:
    // Only what is kept: plain files and real folders.
    std::optional<FolderEntry::Kind> KindOf(const dirent& e) const {
        switch (e.d_type) {
            case DT_REG: return FolderEntry::Kind::File;
            case DT_DIR: return FolderEntry::Kind::Folder;
            case DT_UNKNOWN: break;  // some file systems leave the type to a stat
            default: return std::nullopt;  // links, devices, pipes, sockets
        }
        struct stat st {};
        if (::lstat((directory_ + e.d_name).c_str(), &st) != 0) return std::nullopt;
        if (S_ISREG(st.st_mode)) return FolderEntry::Kind::File;
        if (S_ISDIR(st.st_mode)) return FolderEntry::Kind::Folder;
        return std::nullopt;
    }

    std::string directory_;  // with its closing "/"
    UniqueDir dir_;
};

}  // namespace

std::string ToPosixPath(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

bool PosixFileSystem::FileExists(const std::string& path) const {
    struct stat st {};
    return !path.empty() && ::stat(ToPosixPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::unique_ptr<FolderListing> PosixFileSystem::ListFolder(const std::string& directory) const {
    std::string dir = ToPosixPath(directory);
    if (dir.empty()) dir = "./";
    if (dir.back() != '/') dir += '/';
    UniqueDir d(::opendir(dir.c_str()));
    return std::make_unique<PosixFolderListing>(std::move(dir), std::move(d));
}

}  // namespace senvola
