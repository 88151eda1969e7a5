// The Windows file system under the game library: names outside the system code page listed
// and found in UTF-8, hidden, system and reparse-point entries left out, a folder tree indexed
// through the wide calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "records/game_library.h"
#include "win32/file_system_win32.h"
#include "win32/path_win32.h"

namespace senvola {
namespace {

const std::wstring kChinese = L"\u9759\u542c\u98ce\u96e8";     // 静听风雨
const std::wstring kKorean = L"\uD2B8\uC640\uC77C\uB77C\uC787";  // 트와일라잇
const std::wstring kDan = L"9\u6BB5";                             // 9段

bool WriteWide(const std::wstring& path, const char* text, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, text, DWORD(strlen(text)), &written, nullptr) != 0;
    CloseHandle(h);
    return ok;
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
                RemoveDirectoryW(path.c_str());
            else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\");
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        const DWORD n = GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp, n) + L"senvola_fs_" + std::to_wstring(GetCurrentProcessId()) + L"_\u68CB\u8C31\\";
        RemoveTree(root);
        ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((root + kKorean).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((root + L"hidden folder").c_str(), nullptr));
        ASSERT_TRUE(WriteWide(root + kChinese + L".sgf", kGame));
        ASSERT_TRUE(WriteWide(root + kKorean + L"\\" + kDan + L".SGF", kGame));
        ASSERT_TRUE(WriteWide(root + L"hidden folder\\inside.sgf", kGame));
        ASSERT_TRUE(SetFileAttributesW((root + L"hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(WriteWide(root + L"hidden.sgf", kGame, FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(WriteWide(root + L"system.sgf", kGame, FILE_ATTRIBUTE_SYSTEM));
        ASSERT_TRUE(WriteWide(root + L"README.md", "# games\n"));
    }
    void TearDown() override { RemoveTree(root); }

    std::string Utf8Root() const { return Utf8FromWide(root); }

    static constexpr const char* kGame = "(;GM[1]SZ[9];B[cc];W[gg])";
    std::wstring root;
    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, ListsVisibleEntriesInUtf8WithTheirKinds) {
    const std::unique_ptr<FolderListing> listing = files.ListFolder(Utf8Root());
    std::vector<FolderEntry> entries;
    int calls = 0;
    // One entry looked at per call: the listing goes on across calls.
    while (listing->Next(entries, 1)) ASSERT_LT(++calls, 100);
    EXPECT_GE(calls, 6) << "the seven entries and the dot entries came in fewer calls than budgeted";
    std::set<std::pair<std::string, bool>> seen;
    for (const FolderEntry& e : entries) seen.insert({e.Name, e.Type == FolderEntry::Kind::Folder});
    EXPECT_EQ(seen, (std::set<std::pair<std::string, bool>>{{Utf8FromWide(kChinese + L".sgf"), false},
                                                            {Utf8FromWide(kKorean), true},
                                                            {"README.md", false}}));
    // A folder that is not there lists nothing.
    std::vector<FolderEntry> none;
    EXPECT_FALSE(files.ListFolder(Utf8Root() + "missing\\")->Next(none, 100));
    EXPECT_TRUE(none.empty());
}

TEST_F(Win32FileSystemTest, FindsFilesByTheirUtf8Names) {
    EXPECT_TRUE(files.FileExists(Utf8FromWide(root + kChinese + L".sgf")));
    EXPECT_TRUE(files.FileExists(Utf8FromWide(root + kKorean + L"\\" + kDan + L".SGF")));
    EXPECT_FALSE(files.FileExists(Utf8FromWide(root + kKorean)));  // a folder
    EXPECT_FALSE(files.FileExists(Utf8FromWide(root + kDan + L".sgf")));
    // The name the ANSI calls would have been given instead.
    EXPECT_FALSE(files.FileExists(Utf8Root() + "????.sgf"));
}

TEST_F(Win32FileSystemTest, TheLibraryIndexesTheTreeWithoutLinksOrHiddenEntries) {
    // A junction or symbolic link back up the tree, where the system lets the test make one.
    const std::wstring link = root + kKorean + L"\\loop";
    // Wine 8 answers that it made the link and makes none.
    const bool linked = CreateSymbolicLinkW(link.c_str(), root.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != 0 &&
                        GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!linked) std::printf("no symbolic link could be made here: the loop is not tried\n");
    GameLibrary library(files, 3u);
    library.Select(GameSourceKind::Folder, Utf8FromWide(root.substr(0, root.size() - 1)));
    const std::string first = library.NextFolderFile();
    int slices = 0;
    while (library.IndexSome(2)) ASSERT_LT(++slices, 1000) << "the listing does not end";
    std::set<std::string> all(library.FolderFilesLeft().begin(), library.FolderFilesLeft().end());
    all.insert(first.substr(Utf8Root().size()));
    EXPECT_EQ(all, (std::set<std::string>{Utf8FromWide(kChinese + L".sgf"), Utf8FromWide(kKorean + L"\\" + kDan + L".SGF")}));
}

}  // namespace
}  // namespace senvola
