// The settings in the registry: defaults, reading with limits, writing every value.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <stdexcept>
#include <variant>
#include <vector>

#include "portable/memory_registry.h"

namespace senvola {
namespace {

ReplaySettings NonDefaultSettings() {
    ReplaySettings s;
    s.FileLoadType = GameSourceKind::Folder;
    s.DirFileString = "C:\\Games\\Go";
    s.PauseBetweenGames = 42;
    s.ShowBoardOnly = true;
    s.ShowComments = false;
    s.CommentReadingTime = false;
    s.ShowResultFromStart = true;
    s.GamePerMonitor = true;
    s.Speed = 11;
    s.UseBitmap = {true, false, true};
    s.BitmapName = {"C:\\b\\board.bmp", "C:\\b\\black.bmp", "C:\\b\\white.bmp"};
    s.Color = {0x112233, 0x445566, 0x778899};
    s.Language = 3;
    s.FlatStones = true;
    s.ShowCoordinates = false;
    return s;
}

void ExpectDefaults(const ReplaySettings& s) {
    EXPECT_EQ(s.FileLoadType, GameSourceKind::BuiltIn);
    EXPECT_EQ(s.DirFileString, "Internal");
    EXPECT_EQ(s.PauseBetweenGames, 5);
    EXPECT_FALSE(s.ShowBoardOnly);
    EXPECT_TRUE(s.ShowComments);
    EXPECT_TRUE(s.CommentReadingTime);
    EXPECT_FALSE(s.ShowResultFromStart);
    EXPECT_FALSE(s.GamePerMonitor);
    EXPECT_EQ(s.Speed, 5);
    EXPECT_EQ(SpeedIntervals[s.Speed], 500);
    EXPECT_EQ(s.UseBitmap, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(s.BitmapName, (std::array<std::string, 3>{"", "", ""}));
    EXPECT_EQ(s.Color[geBoard], 0x5CB3DCu);  // light wood
    EXPECT_EQ(s.Color[geBlackStones], 0x000000u);
    EXPECT_EQ(s.Color[geWhiteStones], 0xFFFFFFu);
    EXPECT_EQ(s.Language, 0);
    EXPECT_FALSE(s.FlatStones);
    EXPECT_TRUE(s.ShowCoordinates);
}

TEST(SettingsStore, FreshUserGetsDefaultsAndTheKeyIsCreated) {
    MemoryRegistry registry;
    ReplaySettings s = NonDefaultSettings();
    ApplyDefaults(s);
    ExpectDefaults(s);

    ASSERT_FALSE(registry.KeyExists(kSettingsKeyPath));
    EnsureSettingsKey(registry);
    EXPECT_TRUE(registry.KeyExists(kSettingsKeyPath));
    EXPECT_TRUE(registry.Key(kSettingsKeyPath).values.empty());

    auto key = registry.OpenKey(kSettingsKeyPath, false);
    ASSERT_NE(key, nullptr);
    ReadSettings(*key, s);
    ExpectDefaults(s);
    EXPECT_EQ(registry.WriteCount(), 0);
}

TEST(SettingsStore, EnsureSettingsKeyLeavesStoredValuesAlone) {
    MemoryRegistry registry;
    registry.Key(kSettingsKeyPath).values["speed"] = int32_t{9};
    EnsureSettingsKey(registry);
    EnsureSettingsKey(registry);
    ASSERT_EQ(registry.Key(kSettingsKeyPath).values.size(), 1u);
    EXPECT_EQ(std::get<int32_t>(registry.Key(kSettingsKeyPath).values["speed"]), 9);
}

TEST(SettingsStore, ReadsEveryStoredValue) {
    MemoryRegistry registry;
    auto& v = registry.Key(kSettingsKeyPath).values;
    // Names in another case: the registry compares value names without regard to case.
    auto put = [&](const char* name, MemoryRegistry::Value value) { v[MemoryRegistry::Normalise(name)] = value; };
    put("DirFileString", std::string("D:\\sgf\\game.sgf"));
    put("FILELOADTYPE", int32_t{1});
    put("PauseBetweenGames", int32_t{300});
    put("ShowBoardOnly", int32_t{7});  // any non-zero value is true
    put("ShowComments", int32_t{0});
    put("CommentReadingTime", int32_t{0});
    put("ShowResultFromStart", int32_t{2});
    put("GamePerMonitor", int32_t{1});
    put("Speed", int32_t{17});
    put("UseBoardBitmap", int32_t{1});
    put("BoardBitmapName", std::string("wood.bmp"));
    put("BoardColor", int32_t{0x00A0B0C0});
    put("UseBlackStoneBitmap", int32_t{-1});
    put("BlackStoneBitmapName", std::string("black.bmp"));
    put("BlackStoneColor", int32_t{0x00010203});
    put("UseWhiteStoneBitmap", int32_t{0});
    put("WhiteStoneBitmapName", std::string("white.bmp"));
    put("WhiteStoneColor", int32_t{0x00FFFFFE});
    put("Language", int32_t{-4});  // taken as stored; the language file decides what it means

    ReplaySettings s;
    ReadSettings(*registry.OpenKey(kSettingsKeyPath, false), s);
    EXPECT_EQ(s.DirFileString, "D:\\sgf\\game.sgf");
    EXPECT_EQ(s.FileLoadType, GameSourceKind::OneFile);
    EXPECT_EQ(s.PauseBetweenGames, 300);
    EXPECT_TRUE(s.ShowBoardOnly);
    EXPECT_FALSE(s.ShowComments);
    EXPECT_FALSE(s.CommentReadingTime);
    EXPECT_TRUE(s.ShowResultFromStart);
    EXPECT_TRUE(s.GamePerMonitor);
    EXPECT_EQ(s.Speed, 17);
    EXPECT_EQ(s.UseBitmap, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(s.BitmapName, (std::array<std::string, 3>{"wood.bmp", "black.bmp", "white.bmp"}));
    EXPECT_EQ(s.Color[geBoard], 0x00A0B0C0u);
    EXPECT_EQ(s.Color[geBlackStones], 0x00010203u);
    EXPECT_EQ(s.Color[geWhiteStones], 0x00FFFFFEu);
    EXPECT_EQ(s.Language, -4);
}

// A stored number with bits in the high byte is no 0x00BBGGRR colour (a system colour such as
// 0x80000005, a palette reference, a negative number): drawn as one it would be black. The
// element gets its default colour, whatever the field held before.
TEST(SettingsStore, AColourWithAHighByteGivesTheDefaultColour) {
    for (const uint32_t stored : {0x80000005u, 0x01000010u, 0xFF123456u, 0xFFFFFFFFu}) {
        MemoryRegistry registry;
        auto& v = registry.Key(kSettingsKeyPath).values;
        for (const char* name : {"BoardColor", "BlackStoneColor", "WhiteStoneColor"}) {
            v[MemoryRegistry::Normalise(name)] = static_cast<int32_t>(stored);
        }
        ReplaySettings s = NonDefaultSettings();
        ReadSettings(*registry.OpenKey(kSettingsKeyPath, false), s);
        EXPECT_EQ(s.Color, (std::array<Colour, 3>{0x5CB3DC, 0x000000, 0xFFFFFF})) << std::hex << stored;
    }
    MemoryRegistry registry;
    registry.Key(kSettingsKeyPath).values[MemoryRegistry::Normalise("BoardColor")] = int32_t{0x00FFFFFF};
    ReplaySettings s;
    ReadSettings(*registry.OpenKey(kSettingsKeyPath, false), s);
    EXPECT_EQ(s.Color[geBoard], 0x00FFFFFFu);  // the highest colour is still one
}

struct ClampCase {
    const char* name;
    int32_t stored;
    int32_t expected;
};

void PrintTo(const ClampCase& c, std::ostream* os) { *os << c.name << "=" << c.stored; }

std::string ClampCaseName(const ::testing::TestParamInfo<ClampCase>& info) {
    const int64_t v = info.param.stored;
    return std::string(info.param.name) + "_" + (v < 0 ? "minus" + std::to_string(-v) : std::to_string(v));
}

class SettingsClamp : public ::testing::TestWithParam<ClampCase> {};

int32_t FieldOf(const ReplaySettings& s, const std::string& name) {
    if (name == "Speed") return s.Speed;
    if (name == "PauseBetweenGames") return s.PauseBetweenGames;
    return static_cast<int32_t>(s.FileLoadType);
}

TEST_P(SettingsClamp, StoredValueIsClampedOnReading) {
    const ClampCase& c = GetParam();
    MemoryRegistry registry;
    registry.Key(kSettingsKeyPath).values[MemoryRegistry::Normalise(c.name)] = c.stored;
    ReplaySettings s;
    ReadSettings(*registry.OpenKey(kSettingsKeyPath, false), s);
    EXPECT_EQ(FieldOf(s, c.name), c.expected) << c.name << " stored as " << c.stored;
    // Clamping happens in memory only.
    EXPECT_EQ(std::get<int32_t>(registry.Key(kSettingsKeyPath).values[MemoryRegistry::Normalise(c.name)]), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsClamp,
    ::testing::Values(ClampCase{"Speed", 300, 17},  // low 8 bits give 44
                      ClampCase{"Speed", -1, 17},   // 255
                      ClampCase{"Speed", 256, 0},   // low 8 bits give 0
                      ClampCase{"Speed", 273, 17},  // 17 + 256
                      ClampCase{"Speed", 18, 17}, ClampCase{"Speed", 0, 0}, ClampCase{"Speed", 17, 17},
                      ClampCase{"PauseBetweenGames", 1000, 300}, ClampCase{"PauseBetweenGames", -5, 0},
                      ClampCase{"PauseBetweenGames", 301, 300}, ClampCase{"PauseBetweenGames", 0, 0},
                      ClampCase{"PauseBetweenGames", INT32_MIN, 0},
                      ClampCase{"FileLoadType", 3, 0}, ClampCase{"FileLoadType", -1, 0},
                      ClampCase{"FileLoadType", 2, 2}, ClampCase{"FileLoadType", INT32_MAX, 0}),
    ClampCaseName);

TEST(SettingsStore, ValueOfTheWrongTypeKeepsTheDefault) {
    MemoryRegistry registry;
    auto& v = registry.Key(kSettingsKeyPath).values;
    for (const char* name : {"FileLoadType", "PauseBetweenGames", "ShowBoardOnly", "ShowComments", "Speed",
                             "CommentReadingTime", "ShowResultFromStart", "GamePerMonitor",
                             "UseBoardBitmap", "BoardColor", "UseBlackStoneBitmap", "BlackStoneColor",
                             "UseWhiteStoneBitmap", "WhiteStoneColor", "Language"})
        v[MemoryRegistry::Normalise(name)] = std::string("1");
    for (const char* name : {"DirFileString", "BoardBitmapName", "BlackStoneBitmapName", "WhiteStoneBitmapName"})
        v[MemoryRegistry::Normalise(name)] = int32_t{1};

    ReplaySettings s;
    ReadSettings(*registry.OpenKey(kSettingsKeyPath, false), s);
    ExpectDefaults(s);
}

// Records every write with its type, in order.
class RecordingKey final : public RegistryKey {
public:
    struct Write {
        std::string name;
        std::variant<int32_t, std::string> value;
        bool operator==(const Write&) const = default;
    };
    std::vector<Write> writes;

    bool ValueExists(const std::string&) const override { return false; }
    std::optional<int32_t> ReadInteger(const std::string&) const override { return std::nullopt; }
    std::optional<std::string> ReadString(const std::string&) const override { return std::nullopt; }
    bool WriteInteger(const std::string& name, int32_t value) override {
        writes.push_back({name, value});
        return true;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        writes.push_back({name, value});
        return true;
    }
};

TEST(SettingsStore, WriteStoresEveryValueInOrderWithItsType) {
    RecordingKey key;
    const ReplaySettings s = NonDefaultSettings();  // Language field 3, list position 1 below
    WriteSettings(key, s, 1, "Dutch / Nederlands");
    using W = RecordingKey::Write;
    const std::vector<W> expected = {
        {"PauseBetweenGames", int32_t{42}},
        {"Speed", int32_t{11}},
        {"DirFileString", std::string("C:\\Games\\Go")},
        {"FileLoadType", int32_t{2}},
        {"ShowBoardOnly", int32_t{1}},
        {"ShowComments", int32_t{0}},
        {"UseBoardBitmap", int32_t{1}},
        {"BoardBitmapName", std::string("C:\\b\\board.bmp")},
        {"BoardColor", int32_t{0x112233}},
        {"UseBlackStoneBitmap", int32_t{0}},
        {"BlackStoneBitmapName", std::string("C:\\b\\black.bmp")},
        {"BlackStoneColor", int32_t{0x445566}},
        {"UseWhiteStoneBitmap", int32_t{1}},
        {"WhiteStoneBitmapName", std::string("C:\\b\\white.bmp")},
        {"WhiteStoneColor", int32_t{0x778899}},
        {"Language", int32_t{1}},
        {"LanguageName", std::string("Dutch / Nederlands")},
        {"CommentReadingTime", int32_t{0}},
        {"ShowResultFromStart", int32_t{1}},
        {"GamePerMonitor", int32_t{1}},
        {"FlatStones", int32_t{1}},
        {"ShowCoordinates", int32_t{0}},
    };
    ASSERT_EQ(key.writes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(key.writes[i], expected[i]) << "write " << i;
}

TEST(SettingsStore, WriteWithoutSelectedLanguageStoresMinusOneAndEmptyName) {
    RecordingKey key;
    WriteSettings(key, ReplaySettings{}, -1, "ignored");
    ASSERT_EQ(key.writes.size(), 22u);
    EXPECT_EQ(key.writes[15], (RecordingKey::Write{"Language", int32_t{-1}}));
    EXPECT_EQ(key.writes[16], (RecordingKey::Write{"LanguageName", std::string()}));
}

TEST(SettingsStore, WrittenValuesReadBackUnchanged) {
    MemoryRegistry registry;
    EnsureSettingsKey(registry);
    ReplaySettings written = NonDefaultSettings();
    written.Color[geWhiteStones] = 0x00FFFFFF;
    {
        auto key = registry.OpenKey(kSettingsKeyPath, false);
        WriteSettings(*key, written, 3, "French / Fran\xE7" "ais");
    }
    EXPECT_EQ(registry.WriteCount(), 22);
    ReplaySettings read;
    ReadSettings(*registry.OpenKey(kSettingsKeyPath, false), read);
    EXPECT_EQ(read.FileLoadType, written.FileLoadType);
    EXPECT_EQ(read.DirFileString, written.DirFileString);
    EXPECT_EQ(read.PauseBetweenGames, written.PauseBetweenGames);
    EXPECT_EQ(read.ShowBoardOnly, written.ShowBoardOnly);
    EXPECT_EQ(read.ShowComments, written.ShowComments);
    EXPECT_EQ(read.CommentReadingTime, written.CommentReadingTime);
    EXPECT_EQ(read.ShowResultFromStart, written.ShowResultFromStart);
    EXPECT_EQ(read.GamePerMonitor, written.GamePerMonitor);
    EXPECT_EQ(read.Speed, written.Speed);
    EXPECT_EQ(read.UseBitmap, written.UseBitmap);
    EXPECT_EQ(read.BitmapName, written.BitmapName);
    EXPECT_EQ(read.Color, written.Color);
    EXPECT_EQ(read.Language, 3);  // the list position that was written
    EXPECT_EQ(read.FlatStones, written.FlatStones);
    EXPECT_EQ(read.ShowCoordinates, written.ShowCoordinates);
}

}  // namespace
}  // namespace senvola
