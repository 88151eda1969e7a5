// Implements the core's FileSystem with the wide file calls; paths of any length.
#include "win32/file_system_win32.h"

#include <windows.h>

#include "win32/handles.h"
#include "win32/path_win32.h"

namespace senvola {

namespace {

// Hidden and system entries are not for browsing; a reparse point (a symbolic link, a junction,
// a mount point, a cloud placeholder) may lead anywhere, even back up the tree.
constexpr DWORD kSkipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT |
                           FILE_ATTRIBUTE_DEVICE;

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
            if ((data_.dwFileAttributes & kSkipped) != 0 || IsDotOrDotDot(data_.cFileName)) continue;
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
