// Reading and writing the replay settings, and loading the pictures they ask for.
#pragma once

#include <string>

#include "settings/registry_key.h"
#include "settings/replay_settings.h"

namespace senvola {

constexpr const char* kSettingsKeyPath = "Software\\Tavrel\\Senvola";

// Every field to its default; loaded pictures are kept.
void ApplyDefaults(ReplaySettings& s);
// Creates Software\Tavrel\Senvola under the user's hive if it is missing; values untouched.
void EnsureSettingsKey(Registry& registry);
// Reads every stored value of the right type (others keep their current value) and clamps.
void ReadSettings(const RegistryKey& key, ReplaySettings& s);
// Writes all sixteen values plus "LanguageName"; languagePosition is the selected entry of the
// language list (-1 when none).
void WriteSettings(RegistryKey& key, const ReplaySettings& s, int languagePosition,
                   const std::string& languageName);
// Loads black stones, white stones, board; a picture that fails clears its UseBitmap flag.
void LoadGraphicsBitmaps(ReplaySettings& s, BitmapLoader& loader);

}  // namespace senvola
