// Reading and writing the replay settings under the program's own registry key.
#pragma once

#include <string>

#include "platform/registry_key.h"
#include "settings/replay_settings.h"

namespace senvola {

constexpr const char* kSettingsKeyPath = "Software\\Tavrel\\Senvola";

// Every field to its default; loaded pictures are kept.
void ApplyDefaults(ReplaySettings& s);
// Creates Software\Tavrel\Senvola under the user's hive if it is missing; values untouched.
void EnsureSettingsKey(Registry& registry);
// Reads every stored value of the right type; a value that is missing or stored with another
// type leaves its field as it is (the default); a colour with any bit of its high byte set is
// no colour and gives that element's default colour. Then Speed (low 8 bits of the stored number)
// above 17 becomes 17, PauseBetweenGames is held to 0..300, and a stored FileLoadType other than
// 0, 1 or 2 gives the built-in games. Nothing is written back.
void ReadSettings(const RegistryKey& key, ReplaySettings& s);
// Writes all sixteen values plus "LanguageName", every time, booleans as 1 and 0;
// languagePosition is the selected entry of the language list: with none (-1) "Language" is -1
// and "LanguageName" empty.
void WriteSettings(RegistryKey& key, const ReplaySettings& s, int languagePosition,
                   const std::string& languageName);

}  // namespace senvola
