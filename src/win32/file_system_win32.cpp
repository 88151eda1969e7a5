// Implements the core's FileSystem with the wide file calls; paths of any length.
#include "win32/file_system_win32.h"

#include <windows.h>

#include "win32/handles.h"
#include "win32/path_win32.h"

namespace senvola {

namespace {

// Hidden and system entries are not for browsing, nor devices.
constexpr DWORD kSkipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
// Entries whose data is not on this machine: reading one would fetch it over the network (a
// file of a cloud-synced folder kept online only) or fail. Not every SDK names the two recall
// attributes.
constexpr DWORD kRecallOnOpen = 0x00040000;
constexpr DWORD kRecallOnDataAccess = 0x00400000;
constexpr DWORD kNotHere = FILE_ATTRIBUTE_OFFLINE | kRecallOnOpen | kRecallOnDataAccess;

// A reparse point that names another place (a symbolic link, a junction, a mount point) may lead
// anywhere, even back up the tree. Other reparse points keep their data in place (the files and
// folders of a cloud-synced folder, deduplicated files) and are read like any other; a tag the
// search does not give counts as a link.
bool Redirects(const WIN32_FIND_DATAW& d) {
    if ((d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
    return d.dwReserved0 == 0 || IsReparseTagNameSurrogate(d.dwReserved0);
}

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

class Win32FolderListing final : public FolderListing {
public:
    explicit Win32FolderListing(const std::wstring& pattern)
        : search_(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH)),
          pending_(static_cast<bool>(search_)) {}

    bool Next(std::vector<FolderEntry>& out, std::size_t budget) override {
        for (; budget > 0 && search_; --budget) {
            // The first entry comes with FindFirstFileExW, the others with FindNextFileW.
            if (!pending_ && !FindNextFileW(search_.get(), &data_)) {
                search_.reset();
                break;
            }
            pending_ = false;
            if ((data_.dwFileAttributes & (kSkipped | kNotHere)) != 0 || Redirects(data_) ||
                IsDotOrDotDot(data_.cFileName)) {
                continue;
            }
            const bool folder = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            out.push_back({Utf8FromWide(data_.cFileName), folder ? FolderEntry::Kind::Folder : FolderEntry::Kind::File});
        }
        return static_cast<bool>(search_);
    }

private:
    WIN32_FIND_DATAW data_{};
    UniqueFileSearch search_;
    bool pending_;  // data_ holds an entry not handed out yet
};

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) const {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(LongPathForm(WideFromUtf8(path)).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<FolderListing> Win32FileSystem::ListFolder(const std::string& directory) const {
    std::wstring pattern = WideFromUtf8(directory);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    return std::make_unique<Win32FolderListing>(LongPathForm(std::move(pattern)));
}

}  // namespace senvola
