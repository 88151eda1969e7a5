// The current user's hive through advapi32, under a scratch key of its own.
#include <gtest/gtest.h>

#include "win32/registry_win32.h"

namespace senvola {
namespace {

constexpr const char* kScratch = "Software\\SenvolaTests\\Registry";

class RegistryWin32Test : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SenvolaTests"); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SenvolaTests"); }
    Win32Registry registry;
};

TEST_F(RegistryWin32Test, OpenWithoutCreateFailsOnAMissingKey) {
    EXPECT_FALSE(registry.KeyExists(kScratch));
    EXPECT_EQ(registry.OpenKey(kScratch, false), nullptr);
    EXPECT_FALSE(registry.KeyExists(kScratch));
}

TEST_F(RegistryWin32Test, CreateMakesTheKeyAndItsParents) {
    auto key = registry.OpenKey(kScratch, true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(registry.KeyExists("Software\\SenvolaTests"));
    EXPECT_TRUE(registry.KeyExists(kScratch));
    EXPECT_NE(registry.OpenKey(kScratch, false), nullptr);
}

TEST_F(RegistryWin32Test, APathWithAnEmptyPartOpensNothing) {
    // "Software\" + "" + "\" + "" once sent a program's values into the key above its own.
    ASSERT_NE(registry.OpenKey("Software\\SenvolaTests", true), nullptr);
    for (const char* path : {"Software\\SenvolaTests\\\\", "Software\\SenvolaTests\\", "Software\\\\SenvolaTests",
                             "\\Software\\SenvolaTests", ""}) {
        EXPECT_FALSE(registry.KeyExists(path)) << path;
        EXPECT_EQ(registry.OpenKey(path, true), nullptr) << path;
        EXPECT_EQ(registry.OpenKey(path, false), nullptr) << path;
    }
}

TEST_F(RegistryWin32Test, IntegersAndStringsRoundTrip) {
    auto key = registry.OpenKey(kScratch, true);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->WriteInteger("Speed", -1));
    EXPECT_TRUE(key->WriteString("DirFileString", "C:\\Games\\kifu"));
    EXPECT_TRUE(key->WriteString("Empty", ""));
    auto again = registry.OpenKey(kScratch, false);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->ReadInteger("speed"), -1);  // names without regard to case
    EXPECT_EQ(again->ReadString("DirFileString"), "C:\\Games\\kifu");
    EXPECT_EQ(again->ReadString("Empty"), "");
    EXPECT_TRUE(again->ValueExists("Speed"));
    EXPECT_FALSE(again->ValueExists("Missing"));
    EXPECT_EQ(again->ReadInteger("Missing"), std::nullopt);
    EXPECT_EQ(again->ReadString("Missing"), std::nullopt);
    // The stored type is REG_DWORD, as the host's own tools expect.
    DWORD type = 0;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kScratch, "Speed", RRF_RT_ANY, &type, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(RegistryWin32Test, AValueOfTheWrongTypeReadsAsEmpty) {
    auto key = registry.OpenKey(kScratch, true);
    ASSERT_NE(key, nullptr);
    key->WriteString("Speed", "5");
    key->WriteInteger("BoardBitmapName", 7);
    const BYTE bytes[3] = {1, 2, 3};
    RegSetKeyValueA(HKEY_CURRENT_USER, kScratch, "Binary", REG_BINARY, bytes, sizeof bytes);
    const uint64_t q = 5;
    RegSetKeyValueA(HKEY_CURRENT_USER, kScratch, "Qword", REG_QWORD, &q, sizeof q);
    EXPECT_TRUE(key->ValueExists("Speed"));
    EXPECT_EQ(key->ReadInteger("Speed"), std::nullopt);
    EXPECT_EQ(key->ReadString("BoardBitmapName"), std::nullopt);
    EXPECT_EQ(key->ReadInteger("Binary"), std::nullopt);
    EXPECT_EQ(key->ReadString("Binary"), std::nullopt);
    EXPECT_EQ(key->ReadInteger("Qword"), std::nullopt);
}

TEST_F(RegistryWin32Test, StringsWithoutTerminatorOrWithEmbeddedZeroEndAtTheText) {
    auto key = registry.OpenKey(kScratch, true);
    ASSERT_NE(key, nullptr);
    RegSetKeyValueA(HKEY_CURRENT_USER, kScratch, "NoZero", REG_SZ, "abc", 3);
    RegSetKeyValueA(HKEY_CURRENT_USER, kScratch, "Inner", REG_SZ, "ab\0cd", 6);
    EXPECT_EQ(key->ReadString("NoZero"), "abc");
    EXPECT_EQ(key->ReadString("Inner"), "ab");
    const std::string longText(5000, 'x');
    EXPECT_TRUE(key->WriteString("Long", longText));
    EXPECT_EQ(key->ReadString("Long"), longText);
}

TEST_F(RegistryWin32Test, UnicodeTextsRoundTripAndAnsiValuesReadAsTheTextTheyMeant) {
    auto key = registry.OpenKey(kScratch, true);
    ASSERT_NE(key, nullptr);
    // A path no single code page spells: Chinese and Korean in one.
    const std::string path = "C:\\\xE6\xB8\xB8\xE6\x88\x8F\\\xED\x8A\xB8\xEC\x99\x80\xEC\x9D\xBC\xEB\x9D\xBC\xEC\x9E\x87"
                             "\\\xE9\x87\x91\xE6\xAF\x9B\xE6\xB5\x8B\xE8\xAF\x95 VS allin6379.SGF";
    EXPECT_TRUE(key->WriteString("DirFileString", path));
    auto again = registry.OpenKey(kScratch, false);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->ReadString("DirFileString"), path);
    // What other programs see: the same characters, stored as REG_SZ.
    wchar_t stored[128] = {};
    DWORD size = sizeof stored, type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\SenvolaTests\\Registry", L"DirFileString", RRF_RT_ANY,
                           &type, stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(stored), L"C:\\\u6E38\u620F\\\uD2B8\uC640\uC77C\uB77C\uC787\\\u91D1\u6BDB\u6D4B\u8BD5 VS allin6379.SGF");

    // A value the ANSI program wrote, in the system code page: it reads back as those characters.
    const char ansi[] = "C:\\Partien\\sp\xE4t \xA9.sgf";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kScratch, "Old", REG_SZ, ansi, sizeof ansi), ERROR_SUCCESS);
    wchar_t wide[64] = {};
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 64);
    ASSERT_GT(n, 1);
    char utf8[128] = {};
    ASSERT_GT(WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr), 0);
    EXPECT_EQ(key->ReadString("Old"), std::string(utf8));
    if (GetACP() == 1252) EXPECT_EQ(key->ReadString("Old"), "C:\\Partien\\sp\xC3\xA4t \xC2\xA9.sgf");
    // And a UTF-8 name for the value itself.
    EXPECT_TRUE(key->WriteInteger("\xE9\x80\x9F\xE5\xBA\xA6", 7));
    EXPECT_EQ(key->ReadInteger("\xE9\x80\x9F\xE5\xBA\xA6"), 7);
}

}  // namespace
}  // namespace senvola
