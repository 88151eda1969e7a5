// The language file: translated texts with English defaults, and the texts made from them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "settings/language_table.h"

namespace senvola {

// The maker's name, home page and e-mail address, fixed in the program ("%1", "%2", "%3").
extern const char* const kMakerName;
extern const char* const kMakerHomePage;
extern const char* const kMakerEmail;

// Section of the language list and the first and last language number it may hold.
constexpr const char* kLanguagesSection = "Languages";
constexpr int kFirstLanguageKey = 0;
constexpr int kLastLanguageKey = 20;
// Key of a language's name in its own tongue, in its own section.
constexpr const char* kLanguageOriginalNameKey = "LanguageOriginalName";
// Keys of the introduction text: the heading, and the parts "TextAboutGoPart1" to "...20".
constexpr const char* kAboutGoCaptionKey = "TextAboutGoCaption";
constexpr const char* kAboutGoPartKeyPrefix = "TextAboutGoPart";
constexpr int kMaxAboutGoParts = 20;

// A translatable text of the option pages (and the speed label) with its built-in English text.
struct TextKey {
    const char* Key;
    const char* Default;
};

// Every text key besides the panel labels (kPanelLabelKeys, whose defaults are the keys) and the
// introduction text: those of the option pages, the speed label and the move-number line. All of
// them are read trimmed.
inline constexpr std::array<TextKey, 53> kTextKeys = {{
    {"ChooseLanguage",
     "Senvola supports several languages. Please choose your language from the list below."},
    {"ConfigurationAboutText1", ""},
    {"ConfigurationAboutText2", "If you have any comments or suggestions, please email them to me: %3"},
    {"ReplaySpeed", "Replay speed"},
    {"MovesPerSecond", "%1 move every %2 seconds"},
    {"ReplaySpeedFast", "Fast"},
    {"ReplaySpeedSlow", "Slow"},
    {"ChooseSGFOrGoFiles", "Choose .SGF or .GO files"},
    {"UseInternalProGames", "Use internal professional games"},
    {"SelectOneFile", "Select one file"},
    {"ChooseRandomFromDirectory", "Choose random files from a directory"},
    {"PauseBetweenGames", "Pause between games"},
    {"Seconds", "Seconds"},
    {"Help", "&Help"},
    {"Board", "Board"},
    {"BlackStones", "Black stones"},
    {"WhiteStones", "White stones"},
    {"ColorOrBitmap", "Color or bitmap?"},
    {"ChooseColor", "Choose color"},
    {"ChooseBitmap", "Choose bitmap"},
    {"ReplayOptions", "Replay options"},
    {"Graphics", "Graphics"},
    {"Language", "Language"},
    {"ShowBoardOnly", "Show board only"},
    {"ShowComments", "Show comments"},
    {"GamePerMonitor", "Each monitor shows its own game"},
    {"BlackPasses", "Black passes"},
    {"WhitePasses", "White passes"},
    {"GameOver", "Game over"},
    {"BlackToPlay", "Black to play"},
    {"WhiteToPlay", "White to play"},
    {"CommentReadingTime", "Give comments time to be read"},
    {"ShowResultFromStart", "Show the result from the start"},
    {"ShowCoordinates", "Show coordinates"},
    {"FlatStones", "Flat stones"},
    {"HandicapStones", "%1 stones"},
    {"OptionsCaption", "Options for %1"},
    {"OK", "OK"},
    {"Cancel", "Cancel"},
    {"Internal", "Internal"},
    {"LanguageNotListed",
     "If your language is not listed and you would like to add it, please contact me on my email address:"},
    {"Browse", "Browse\u2026"},
    {"DecimalSeparator", "."},
    {"SgfFiles", "SGF files"},
    {"GoFiles", ".GO files"},
    {"PictureFiles", "Picture files"},
    {"AllFiles", "All files"},
    {"InvalidBitmap", "Invalid bitmap file!"},
    {"ErrorCaption", "Error!"},
    // Empty defaults: the English lines under the board stay in the program in their stored form.
    {"FixedLine1", ""},
    {"FixedLine2", ""},
    {"FixedLine3", ""},
    {"FixedLine4", ""},
}};

// A decimal number ("0.5", "6.5") written with the language's separator; any other text as it is.
std::string LocalNumber(const LanguageTable& table, std::string_view number);

// The built-in English text of a key of kTextKeys; a panel label key gives itself; any other
// key gives an empty text.
std::string_view DefaultText(std::string_view key);

// The number of moves and the interval in seconds, as the speed label shows them, by Speed.
struct SpeedLabel {
    int Moves;
    const char* Interval;
};
inline constexpr std::array<SpeedLabel, 18> SpeedLabels = {{
    {1, "0.05"}, {1, "0.1"}, {1, "0.2"}, {1, "0.3"}, {1, "0.4"}, {1, "0.5"},
    {1, "0.75"}, {1, "1"},   {1, "2"},   {1, "3"},   {1, "4"},   {1, "5"},
    {1, "6"},    {1, "8"},   {1, "10"},  {1, "15"},  {1, "20"},  {1, "30"},
}};

// Fills the language list, SectionName, the panel labels and the texts of the move-number line
// from the file, for language number `language` (a number the file does not hold gives the
// "English" section).
void LoadLanguageTable(LanguageTable& table, const IniFile& file, int language);
// Value of key in the table's section, or def when the key, the section or the file is missing;
// blanks and control characters at both ends are removed. A key present with an empty value
// gives an empty text.
std::string Translate(const LanguageTable& table, const IniFile& file, std::string_view key,
                      std::string_view def);
// The same with the built-in English text of the key (DefaultText) as the default.
std::string Translate(const LanguageTable& table, const IniFile& file, std::string_view key);
// Leading and trailing characters with codes 0..32 and 127 removed.
std::string TrimText(std::string_view text);
// Text with its first occurrence of placeholder replaced by value.
std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view value);
// SpeedCaption, SpeedMiddleText, SpeedUnitText from "ReplaySpeed" and "MovesPerSecond".
void LoadSpeedTexts(LanguageTable& table, const IniFile& file);
// "1 move every 0.05 seconds" for speed 0 with the English texts; a speed above 17 counts as 17.
std::string FormatSpeedLabel(const LanguageTable& table, int speed);
// The caption of the speed label: SpeedCaption, ": " and FormatSpeedLabel.
std::string FormatSpeedCaption(const LanguageTable& table, int speed);
// The two paragraphs of the configuration text, placeholders filled, CR LF CR LF between them.
std::string ConfigurationText(const LanguageTable& table, const IniFile& file);
// The introduction to the game shown as the comment of move 1, from the file, or the built-in
// English text when the file has no heading.
std::string AboutGoText(const LanguageTable& table, const IniFile& file);
// The built-in English introduction to the game.
std::string_view BuiltInAboutGoText();

}  // namespace senvola
