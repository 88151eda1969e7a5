// The replay settings in the registry: value names, types, defaults and the limits applied on reading.
#include "settings/settings_store.h"

#include <algorithm>

namespace senvola {
namespace {

// Registry value names by GraphicsElement.
constexpr const char* kUseBitmapValue[3] = {"UseBoardBitmap", "UseBlackStoneBitmap", "UseWhiteStoneBitmap"};
constexpr const char* kBitmapNameValue[3] = {"BoardBitmapName", "BlackStoneBitmapName", "WhiteStoneBitmapName"};
constexpr const char* kColorValue[3] = {"BoardColor", "BlackStoneColor", "WhiteStoneColor"};

constexpr int kMaxSpeed = static_cast<int>(SpeedIntervals.size()) - 1;
constexpr int32_t kMaxPause = 300;

// A value stored with another type than ours was edited by hand; it is ignored like a missing one.
void ReadInt(const RegistryKey& key, const char* name, int32_t& field) {
    if (auto v = key.ReadInteger(name)) field = *v;
}
void ReadBool(const RegistryKey& key, const char* name, bool& field) {
    if (auto v = key.ReadInteger(name)) field = *v != 0;
}
void ReadText(const RegistryKey& key, const char* name, std::string& field) {
    if (auto v = key.ReadString(name)) field = *v;
}
// A colour is 0x00BBGGRR. A value with bits in the high byte (a system-colour or palette
// reference, or a negative number) names no colour, and drawn as one it comes out black.
void ReadColour(const RegistryKey& key, const char* name, Colour& field, Colour fallback) {
    if (auto v = key.ReadInteger(name)) {
        const auto value = static_cast<uint32_t>(*v);
        field = value <= 0x00FFFFFFu ? value : fallback;
    }
}

void ReadElement(const RegistryKey& key, ReplaySettings& s, int e) {
    ReadBool(key, kUseBitmapValue[e], s.UseBitmap[e]);
    ReadText(key, kBitmapNameValue[e], s.BitmapName[e]);
    ReadColour(key, kColorValue[e], s.Color[e], kDefaultColours[static_cast<std::size_t>(e)]);
}

void WriteElement(RegistryKey& key, const ReplaySettings& s, int e) {
    key.WriteInteger(kUseBitmapValue[e], s.UseBitmap[e] ? 1 : 0);
    key.WriteString(kBitmapNameValue[e], s.BitmapName[e]);
    key.WriteInteger(kColorValue[e], static_cast<int32_t>(s.Color[e]));
}

}  // namespace

void ApplyDefaults(ReplaySettings& s) {
    const ReplaySettings defaults;
    s.FileLoadType = defaults.FileLoadType;
    s.DirFileString = defaults.DirFileString;
    s.PauseBetweenGames = defaults.PauseBetweenGames;
    s.ShowBoardOnly = defaults.ShowBoardOnly;
    s.ShowComments = defaults.ShowComments;
    s.CommentReadingTime = defaults.CommentReadingTime;
    s.ShowResultFromStart = defaults.ShowResultFromStart;
    s.GamePerMonitor = defaults.GamePerMonitor;
    s.Speed = defaults.Speed;
    s.UseBitmap = defaults.UseBitmap;
    s.BitmapName = defaults.BitmapName;
    s.Color = defaults.Color;
    s.Language = defaults.Language;
    s.FlatStones = defaults.FlatStones;
    s.ShowCoordinates = defaults.ShowCoordinates;
}

void EnsureSettingsKey(Registry& registry) {
    if (!registry.KeyExists(kSettingsKeyPath)) registry.OpenKey(kSettingsKeyPath, true);
}

void ReadSettings(const RegistryKey& key, ReplaySettings& s) {
    ReadText(key, "DirFileString", s.DirFileString);
    int32_t source = static_cast<int32_t>(s.FileLoadType);
    ReadInt(key, "FileLoadType", source);
    ReadInt(key, "PauseBetweenGames", s.PauseBetweenGames);
    ReadBool(key, "ShowBoardOnly", s.ShowBoardOnly);
    ReadBool(key, "ShowComments", s.ShowComments);
    ReadBool(key, "CommentReadingTime", s.CommentReadingTime);
    ReadBool(key, "ShowResultFromStart", s.ShowResultFromStart);
    ReadBool(key, "GamePerMonitor", s.GamePerMonitor);
    if (auto v = key.ReadInteger("Speed")) s.Speed = static_cast<uint8_t>(static_cast<uint32_t>(*v) & 0xFFu);
    ReadElement(key, s, geBoard);
    ReadElement(key, s, geBlackStones);
    ReadElement(key, s, geWhiteStones);
    ReadInt(key, "Language", s.Language);
    ReadBool(key, "FlatStones", s.FlatStones);
    ReadBool(key, "ShowCoordinates", s.ShowCoordinates);

    if (s.Speed > kMaxSpeed) s.Speed = kMaxSpeed;
    s.PauseBetweenGames = std::clamp(s.PauseBetweenGames, int32_t{0}, kMaxPause);
    s.FileLoadType = IsGameSourceKind(source) ? static_cast<GameSourceKind>(source) : GameSourceKind::BuiltIn;
}

void WriteSettings(RegistryKey& key, const ReplaySettings& s, int languagePosition,
                   const std::string& languageName) {
    key.WriteInteger("PauseBetweenGames", s.PauseBetweenGames);
    key.WriteInteger("Speed", std::min<int32_t>(s.Speed, kMaxSpeed));
    key.WriteString("DirFileString", s.DirFileString);
    key.WriteInteger("FileLoadType", static_cast<int32_t>(s.FileLoadType));
    key.WriteInteger("ShowBoardOnly", s.ShowBoardOnly ? 1 : 0);
    key.WriteInteger("ShowComments", s.ShowComments ? 1 : 0);
    WriteElement(key, s, geBoard);
    WriteElement(key, s, geBlackStones);
    WriteElement(key, s, geWhiteStones);
    const bool selected = languagePosition >= 0;
    key.WriteInteger("Language", selected ? languagePosition : -1);
    key.WriteString("LanguageName", selected ? languageName : std::string());
    // After the values older versions wrote, which stay in their order.
    key.WriteInteger("CommentReadingTime", s.CommentReadingTime ? 1 : 0);
    key.WriteInteger("ShowResultFromStart", s.ShowResultFromStart ? 1 : 0);
    key.WriteInteger("GamePerMonitor", s.GamePerMonitor ? 1 : 0);
    key.WriteInteger("FlatStones", s.FlatStones ? 1 : 0);
    key.WriteInteger("ShowCoordinates", s.ShowCoordinates ? 1 : 0);
}

}  // namespace senvola
