// The language file: translated texts with English defaults.
#pragma once

#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/language_table.h"

namespace senvola {

// The maker's name, home page and e-mail address, fixed in the program ("%1", "%2", "%3").
extern const char* const kMakerName;
extern const char* const kMakerHomePage;
extern const char* const kMakerEmail;

// Language list, SectionName and panel labels from the file, for language number `language`.
void LoadLanguageTable(LanguageTable& table, const IniFile& file, int language);
// Value of key in the table's section, or def; trimmed.
std::string Translate(const LanguageTable& table, const IniFile& file, std::string_view key,
                      std::string_view def);
std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view value);
// SpeedCaption, SpeedMiddleText, SpeedUnitText.
void LoadSpeedTexts(LanguageTable& table, const IniFile& file);
// "1 move every 0.05 seconds" for speed 0 with the English texts.
std::string FormatSpeedLabel(const LanguageTable& table, int speed);
// The two paragraphs of the configuration text, placeholders filled.
std::string ConfigurationText(const LanguageTable& table, const IniFile& file);
// Builds AboutGoText from the file, or the built-in English text.
void BuildAboutGoText(LanguageTable& table, const IniFile& file);
// The built-in English introduction to the game.
std::string_view BuiltInAboutGoText();

}  // namespace senvola
