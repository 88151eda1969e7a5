// Version information over real version blocks: the program's own (Senvola.scr), extra blocks
// carried as resources of this test program, a file without one and a read that fails.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "saverkit/about_page.h"
#include "saverkit/version_info.h"

namespace saverkit {
namespace {

std::string ScrPath() { return std::string("Z:") + SENVOLA_SCR_PATH; }

bool ScrExists() { return GetFileAttributesA(ScrPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

// Serves a VERSIONINFO resource of this program as if it were a file's version block, with the
// room after it that the ANSI queries use, as the host's reader leaves it.
class ResourceSource : public VersionSource {
public:
    explicit ResourceSource(int id) {
        HMODULE self = GetModuleHandleA(nullptr);
        HRSRC res = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(16));  // RT_VERSION
        if (!res) return;
        const DWORD n = SizeofResource(self, res);
        const void* data = LockResource(LoadResource(self, res));
        bytes_.assign(static_cast<const char*>(data), static_cast<const char*>(data) + n);
    }
    bool Found() const { return !bytes_.empty(); }
    DWORD Size(const std::string&) override { return static_cast<DWORD>(bytes_.size() * 2 + 4); }
    bool Read(const std::string&, DWORD size, void* block) override {
        if (size < bytes_.size()) return false;
        std::memcpy(block, bytes_.data(), bytes_.size());
        return true;
    }

private:
    std::vector<char> bytes_;
};

class FailingRead : public VersionSource {
public:
    DWORD Size(const std::string&) override { return 600; }
    bool Read(const std::string&, DWORD, void*) override { return false; }
};

std::string RefusedIndexMessage(VersionInfo& info, int index) {
    try {
        info.SetLanguageIndex(index);
    } catch (const Error& e) {
        return e.what();
    }
    return "accepted";
}

TEST(VersionInfoTest, TheProgramsOwnResourceGivesTheKeyTheCodeAndTheVersionLine) {
    if (!ScrExists()) GTEST_SKIP() << "Senvola.scr is not built at " << ScrPath();
    VersionInfo info(ScrPath());
    ASSERT_TRUE(info.Active());
    EXPECT_EQ(info.CompanyName(), "Tavrel");
    EXPECT_EQ(info.ProductName(), "Senvola");
    EXPECT_EQ(ApplicationRegistryKey(info), "Software\\Tavrel\\Senvola");
    ASSERT_EQ(info.LanguageCodes(), std::vector<std::string>{"041304E4"});
    EXPECT_EQ(info.LanguageNames().size(), 1u);
    EXPECT_EQ(info.LanguageIndex(), 0);
    EXPECT_EQ(info.Locale(), "041304E4");
    EXPECT_EQ(info.FileVersion().Major(), 2);
    EXPECT_EQ(info.FileVersion().Minor(), 1);
    EXPECT_EQ(info.FileVersion().Release(), 0);
    EXPECT_EQ(info.FileVersion().Build(), 0);
    EXPECT_EQ(info.FileFlags(), 0u);
    EXPECT_EQ(info.Type(), FileType::App);
    EXPECT_EQ(FormatVersionLine(info, kAllVersionParts), "Version 2.1.0 (Build 0)");
    EXPECT_EQ(FormatVersionLine(info, kShowMajor | kShowMinor), "Version 2.1");

    EXPECT_EQ(RefusedIndexMessage(info, 1), "Index out of bounds (1)");
    EXPECT_EQ(RefusedIndexMessage(info, -2), "Index out of bounds (-2)");
    EXPECT_EQ(info.LanguageIndex(), 0) << "a refused index leaves the selection";
    info.SetLanguageIndex(-1);
    EXPECT_EQ(info.CompanyName(), "") << "no translation selected: no strings";
}

TEST(VersionInfoTest, TwoTranslationsEachWithTheirOwnCodeNameAndStrings) {
    ResourceSource source(2);
    ASSERT_TRUE(source.Found());
    VersionInfo info("two-translations", source);
    ASSERT_EQ(info.LanguageCodes(), (std::vector<std::string>{"040904E4", "041304E4"}));
    char en[257] = {}, nl[257] = {};
    VerLanguageNameA(0x0409, en, 256);
    VerLanguageNameA(0x0413, nl, 256);
    EXPECT_EQ(info.LanguageNames(), (std::vector<std::string>{en, nl}));
    EXPECT_EQ(info.CompanyName(), "First Company");
    EXPECT_EQ(info.FileVersion().AsString(), "3.4.5.6");
    EXPECT_EQ(info.ProductVersion().AsString(), "7.8.9.10");
    info.SetLanguageIndex(1);
    EXPECT_EQ(info.CompanyName(), "Tweede Bedrijf");
    EXPECT_EQ(info.FileVersion().AsString(), "3.4.5.6 nl");
    EXPECT_EQ(info.ProductVersion().AsString(), "") << "missing in that translation";
    EXPECT_EQ(RefusedIndexMessage(info, 2), "Index out of bounds (2)");

    EXPECT_EQ(info.ProductVersion().Major(), 7);
    EXPECT_EQ(info.ProductVersion().Minor(), 8);
    EXPECT_EQ(info.ProductVersion().Release(), 9);
    EXPECT_EQ(info.ProductVersion().Build(), 10);
    EXPECT_EQ(info.FileFlags(), kFlagDebug | kFlagSpecialBuild);
    EXPECT_EQ(info.Type(), FileType::Dll);
    EXPECT_EQ(info.Os(), kOsNt | kOsWindows32);
    EXPECT_EQ(FormatVersionLine(info, kAllVersionParts), "Version 3.4.5 (Build 6 :Debug :Special)");
    EXPECT_EQ(FormatVersionLine(info, kAllVersionParts & ~kShowSpecial), "Version 3.4.5 (Build 6 :Debug)");
}

TEST(VersionInfoTest, FlagsTypeAndSystemOfASecondBlock) {
    ResourceSource source(3);
    ASSERT_TRUE(source.Found());
    VersionInfo info("flags", source);
    EXPECT_EQ(info.FileFlags(), kFlagPreRelease | kFlagPrivateBuild);
    EXPECT_EQ(info.Type(), FileType::StaticLib);
    EXPECT_EQ(info.Os(), kOsUnknown);
    EXPECT_EQ(FormatVersionLine(info, kShowMajor | kShowPrerelease | kShowPrivate),
              "Version 1 ( :Pre-release :Private)");
    EXPECT_EQ(FormatVersionLine(info, kShowMajor | kShowMinor | kShowRelease), "Version 1.0.0");
}

TEST(VersionInfoTest, AFileWithoutAResourceIsInactiveWithZeroVersions) {
    VersionInfo info("Z:\\no\\such\\file.exe");
    EXPECT_FALSE(info.Active());
    EXPECT_EQ(info.LanguageIndex(), -1);
    EXPECT_TRUE(info.LanguageNames().empty());
    EXPECT_TRUE(info.LanguageCodes().empty());
    EXPECT_EQ(info.CompanyName(), "");
    EXPECT_EQ(info.FileVersion().Major(), 0);
    EXPECT_EQ(info.ProductVersion().Build(), 0);
    EXPECT_EQ(info.FileVersion().AsString(), "");
    EXPECT_EQ(ApplicationRegistryKey(info), "") << "never Software itself";
    EXPECT_EQ(FormatVersionLine(info, kAllVersionParts), "");
    EXPECT_EQ(RefusedIndexMessage(info, 0), "Index out of bounds (0)");
    info.SetLanguageIndex(-1);
}

TEST(VersionInfoTest, ThisTestProgramHasNoVersionResourceOfItsOwn) {
    VersionInfo info;  // the program's own file
    EXPECT_FALSE(info.Active());
}

TEST(VersionInfoTest, WithoutAVersionResourceTheProgramsKeyIsTheFallbackOrNone) {
    EXPECT_EQ(VersionInfo().CompanyName(), "");
    EXPECT_EQ(OwnApplicationKey("Software\\Fallback\\Key"), "Software\\Fallback\\Key");
    EXPECT_EQ(OwnApplicationKey(""), "");
}

TEST(VersionInfoTest, ASizeWithAFailedReadIsActiveButHasNothingToRead) {
    FailingRead source;
    VersionInfo info("unreadable", source);
    EXPECT_TRUE(info.Active()) << "active depends on the size alone";
    EXPECT_EQ(info.FileFlags(), 0u);
    EXPECT_TRUE(info.LanguageCodes().empty());
    EXPECT_EQ(info.LanguageIndex(), -1);
    EXPECT_EQ(info.ProductName(), "");
    EXPECT_EQ(info.FileVersion().Major(), 0);
    EXPECT_EQ(FormatVersionLine(info, kAllVersionParts), "Version 0.0.0 (Build 0)");
}

TEST(VersionInfoTest, TheDefaultLegalNoticeHasFiveLinesTheFirstFourEndingInABlank) {
    auto lines = DefaultLegalNotice();
    ASSERT_EQ(lines.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[static_cast<size_t>(i)].back(), ' ');
    EXPECT_NE(lines[4].back(), ' ');
}

}  // namespace
}  // namespace saverkit
