// Files beside a program that lives in a folder the system code page cannot spell, or whose path
// is longer than MAX_PATH: the language file, the version resource that names the settings key,
// and pictures, each read through the wide calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "win32/bmp_win32.h"
#include "win32/ini_win32.h"
#include "win32/path_win32.h"
#include "saverkit/version_info.h"

namespace senvola {
namespace {

std::wstring TempDirectory() {
    wchar_t dir[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir, n);
}

bool WriteWide(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(h);
    return ok;
}

// Removes a directory (ending in a backslash) with everything in it.
void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(LongPathForm(dir + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(dir + name + L"\\");
            else
                DeleteFileW(LongPathForm(dir + name).c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(LongPathForm(dir).c_str());
}

class WidePathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring base = TempDirectory() + L"senvola_paths_" + std::to_wstring(GetCurrentProcessId());
        korean = base + L"_\uBC14\uB451\\";  // "baduk"
        std::wstring dir = base + L"_long";
        roots = {korean, dir + L"\\"};
        TearDown();  // what a run under the same process number left
        ASSERT_TRUE(CreateDirectoryW(korean.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
        while (dir.size() < 300) {
            dir += L"\\a_folder_name_of_some_forty_characters_";
            ASSERT_TRUE(CreateDirectoryW(LongPathForm(dir).c_str(), nullptr));
        }
        longDir = dir + L"\\";
    }
    void TearDown() override {
        for (const auto& root : roots) RemoveTree(root);
    }
    std::wstring korean, longDir;
    std::vector<std::wstring> roots;
};

TEST_F(WidePathsTest, TheLanguageFileIsReadInAFolderOfAnyNameOrLength) {
    for (const std::wstring& dir : {korean, longDir}) {
        const std::wstring path = dir + L"Senvola.ini";
        ASSERT_TRUE(WriteWide(path, "[Languages]\r\n0=English\r\n1=Korean\r\n[Korean]\r\nWhite=Baek\r\n"));
        const Win32IniFile ini(Utf8FromWide(path));
        EXPECT_EQ(ini.Path(), Utf8FromWide(path));
        EXPECT_EQ(ini.ReadString("Languages", "1", "<missing>"), "Korean") << ini.Path().size();
        EXPECT_EQ(ini.ReadString("korean", "white", "<missing>"), "Baek");
        EXPECT_EQ(ini.ReadString("Korean", "Black", "<missing>"), "<missing>");
    }
}

TEST_F(WidePathsTest, TheProgramsVersionResourceNamesItsKeyInAFolderOfAnyNameOrLength) {
    const std::wstring scr = WideFromUtf8(std::string("Z:") + SENVOLA_SCR_PATH);
    if (GetFileAttributesW(scr.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "Senvola.scr is not built";
    for (const std::wstring& dir : {korean, longDir}) {
        const std::wstring copy = dir + L"Senvola.scr";
        ASSERT_TRUE(CopyFileW(scr.c_str(), LongPathForm(copy).c_str(), FALSE));
        const saverkit::VersionInfo info(Utf8FromWide(copy));
        EXPECT_TRUE(info.Active()) << copy.size();
        EXPECT_EQ(info.CompanyName(), "Tavrel");
        EXPECT_EQ(saverkit::ApplicationRegistryKey(info), "Software\\Tavrel\\Senvola");
    }
}

TEST_F(WidePathsTest, APictureIsReadAtAPathLongerThanMaxPathOrWithAUnicodeName) {
    // 1 x 1, 24 bits, one blue pixel.
    std::string bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    bmp.resize(54, '\0');
    bmp += std::string("\xFF\x00\x00\x00", 4);
    // The settings keep picture paths in UTF-8: a Chinese file name in a Korean folder.
    for (const std::wstring& path : {longDir + L"board.bmp", korean + L"\u68CB\u76D8.bmp"}) {
        ASSERT_TRUE(WriteWide(path, bmp));
        const std::optional<BmpPicture> picture = LoadBmpFile(Utf8FromWide(path));
        ASSERT_TRUE(picture.has_value()) << path.size();
        EXPECT_EQ(picture->bottomLeft, RGB(0, 0, 255));
    }
}

TEST(PathFormsTest, LongPathsTakeThePrefixInCanonicalForm) {
    EXPECT_EQ(LongPathForm(L"C:\\short\\a.ini"), L"C:\\short\\a.ini");
    const std::wstring name(300, L'x');
    EXPECT_EQ(LongPathForm(L"C:\\dir/sub\\..\\" + name), L"\\\\?\\C:\\dir\\" + name);
    EXPECT_EQ(LongPathForm(L"\\\\server\\share\\" + name), L"\\\\?\\UNC\\server\\share\\" + name);
    EXPECT_EQ(LongPathForm(L"\\\\?\\C:\\" + name), L"\\\\?\\C:\\" + name);
    EXPECT_EQ(LongPathForm(L"relative\\" + name), L"relative\\" + name);

    EXPECT_EQ(Utf8FromWide(WideFromUtf8("\xEB\xB0\x94\xEB\x91\x91")), "\xEB\xB0\x94\xEB\x91\x91");
    if (GetACP() != CP_UTF8 && GetACP() != 949) {
        EXPECT_EQ(ExactAnsiFromWide(L"C:\\\uBC14\uB451"), std::nullopt) << "no look-alike stands in for a path";
    }
    EXPECT_EQ(ExactAnsiFromWide(L"C:\\Go"), "C:\\Go");
}

}  // namespace
}  // namespace senvola
