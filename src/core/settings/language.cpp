// Translated texts: reading the language file, the speed label, the configuration text and the
// introduction to the game.
#include "settings/language.h"

#include <algorithm>

namespace senvola {

const char* const kMakerName = "Tavrel";
const char* const kMakerHomePage = "https://senvola.example.org";
const char* const kMakerEmail = "senvola@example.org";

namespace {

constexpr std::string_view kLineBreak = "\r\n";

constexpr std::string_view kAboutGo =
    "About Go\r\n"
    "\r\n"
    "Go was invented in China more than 4,000 years ago and is one of the oldest board games "
    "still played. It reached Korea and Japan many centuries ago and later the rest of the "
    "world. Today millions of people play it, from friendly club evenings to professional "
    "tournaments with large prizes.\r\n"
    "\r\n"
    "Two players, Black and White, take turns placing a stone of their colour on an empty "
    "intersection of a board of 19x19 lines, each trying to surround territory. Once placed, a "
    "stone never moves. Stones are taken off the board only when the opponent has completely "
    "surrounded them. The aim is to enclose as many empty intersections and to capture as many "
    "stones as possible.";

bool IsControlOrBlank(unsigned char c) { return c <= 32 || c == 127; }

std::string TextOrDefault(const TextKey& entry, const LanguageTable& table, const IniFile& file) {
    return Translate(table, file, entry.Key, entry.Default);
}

const TextKey& Entry(std::string_view key) {
    for (const TextKey& e : kTextKeys)
        if (key == e.Key) return e;
    static constexpr TextKey kNone{"", ""};
    return kNone;
}

}  // namespace

std::string_view DefaultText(std::string_view key) {
    for (const TextKey& e : kTextKeys)
        if (key == e.Key) return e.Default;
    for (const char* label : kPanelLabelKeys)
        if (key == label) return label;
    return {};
}

std::string TrimText(std::string_view text) {
    while (!text.empty() && IsControlOrBlank(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && IsControlOrBlank(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return std::string(text);
}

std::string Translate(const LanguageTable& table, const IniFile& file, std::string_view key,
                      std::string_view def) {
    return TrimText(file.ReadString(table.SectionName, key, def));
}

std::string Translate(const LanguageTable& table, const IniFile& file, std::string_view key) {
    return Translate(table, file, key, DefaultText(key));
}

std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view value) {
    if (placeholder.empty()) return text;
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
    return text;
}

void LoadLanguageTable(LanguageTable& table, const IniFile& file, int language) {
    table.LanguageList.clear();
    for (int n = kFirstLanguageKey; n <= kLastLanguageKey; ++n) {
        const std::string name = file.ReadString(kLanguagesSection, std::to_string(n), "");
        if (name.empty()) continue;
        const std::string native = file.ReadString(name, kLanguageOriginalNameKey, "");
        table.LanguageList.push_back(native.empty() ? name : name + " / " + native);
    }

    // An empty entry names no section; reading it would pick up the lines above the first
    // section header, so it counts as missing, like a number the file does not hold.
    table.SectionName = file.ReadString(kLanguagesSection, std::to_string(language), "English");
    if (table.SectionName.empty()) table.SectionName = "English";

    for (std::size_t i = 0; i < kPanelLabelKeys.size(); ++i)
        table.PanelLabel[i] = file.ReadString(table.SectionName, kPanelLabelKeys[i], kPanelLabelKeys[i]);
    // Read once here, so that a pass or the end of a game costs no allocation.
    table.BlackPasses = Translate(table, file, "BlackPasses");
    table.WhitePasses = Translate(table, file, "WhitePasses");
    table.GameOver = Translate(table, file, "GameOver");
    table.BlackToPlay = Translate(table, file, "BlackToPlay");
    table.WhiteToPlay = Translate(table, file, "WhiteToPlay");
    table.HandicapStones = Translate(table, file, "HandicapStones");
    if (table.HandicapStones.find("%1") == std::string::npos) table.HandicapStones = DefaultText("HandicapStones");
    for (std::size_t k = 0; k < table.FixedLine.size(); ++k)
        table.FixedLine[k] = Translate(table, file, "FixedLine" + std::to_string(k + 1));
    table.DecimalSeparator = Translate(table, file, "DecimalSeparator");
    if (table.DecimalSeparator.empty()) table.DecimalSeparator = ".";
}

std::string LocalNumber(const LanguageTable& table, std::string_view number) {
    const std::size_t point = number.find('.');
    auto digits = [](std::string_view part) {
        return !part.empty() && std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    std::string_view whole = number.substr(0, point);
    if (!whole.empty() && (whole.front() == '-' || whole.front() == '+')) whole.remove_prefix(1);
    // Only a plain number: a date, a version or a file name keeps its points.
    if (point == std::string_view::npos || !digits(whole) || !digits(number.substr(point + 1)))
        return std::string(number);
    std::string out(number.substr(0, point));
    out += table.DecimalSeparator;
    out += number.substr(point + 1);
    return out;
}

void LoadSpeedTexts(LanguageTable& table, const IniFile& file) {
    const TextKey& speed = Entry("ReplaySpeed");
    const TextKey& moves = Entry("MovesPerSecond");
    table.SpeedCaption = TextOrDefault(speed, table, file);

    std::string format = TextOrDefault(moves, table, file);
    std::size_t p1 = format.find("%1");
    std::size_t p2 = format.find("%2");
    // The label is always built as number, middle text, interval, unit; a translation must say
    // where both numbers go, and "%2" must come after "%1" for a middle text to exist.
    if (p1 == std::string::npos || p2 == std::string::npos || p2 < p1 + 2) {
        format = moves.Default;
        p1 = format.find("%1");
        p2 = format.find("%2");
    }
    table.SpeedMiddleText = TrimText(std::string_view(format).substr(p1 + 2, p2 - (p1 + 2)));
    table.SpeedUnitText = TrimText(std::string_view(format).substr(p2 + 2));
}

std::string FormatSpeedLabel(const LanguageTable& table, int speed) {
    const int last = static_cast<int>(SpeedLabels.size()) - 1;
    const SpeedLabel& label = SpeedLabels[static_cast<std::size_t>(std::clamp(speed, 0, last))];
    std::string out = std::to_string(label.Moves);
    out += ' ';
    out += table.SpeedMiddleText;
    out += ' ';
    out += LocalNumber(table, label.Interval);
    out += ' ';
    out += table.SpeedUnitText;
    return out;
}

std::string FormatSpeedCaption(const LanguageTable& table, int speed) {
    return table.SpeedCaption + ": " + FormatSpeedLabel(table, speed);
}

std::string ConfigurationText(const LanguageTable& table, const IniFile& file) {
    const TextKey& firstKey = Entry("ConfigurationAboutText1");
    const TextKey& secondKey = Entry("ConfigurationAboutText2");
    std::string first = TextOrDefault(firstKey, table, file);
    std::string second = TextOrDefault(secondKey, table, file);
    if (first.find("%1") == std::string::npos || first.find("%2") == std::string::npos)
        first = firstKey.Default;
    if (second.find("%3") == std::string::npos) second = secondKey.Default;
    first = ReplaceFirst(ReplaceFirst(std::move(first), "%1", kMakerName), "%2", kMakerHomePage);
    second = ReplaceFirst(std::move(second), "%3", kMakerEmail);
    return first + "\r\n\r\n" + second;
}

std::string AboutGoText(const LanguageTable& table, const IniFile& file) {
    const std::string heading = TrimText(file.ReadString(table.SectionName, kAboutGoCaptionKey, ""));
    if (heading.empty()) return std::string(kAboutGo);
    std::string text = heading;
    text += kLineBreak;
    text += kLineBreak;
    for (int k = 1; k <= kMaxAboutGoParts; ++k) {
        std::string part = TrimText(
            file.ReadString(table.SectionName, kAboutGoPartKeyPrefix + std::to_string(k), ""));
        if (part.empty()) break;
        for (std::size_t at = part.find("<RETURN>"); at != std::string::npos;
             at = part.find("<RETURN>", at + kLineBreak.size()))
            part.replace(at, 8, kLineBreak);
        const bool endsWithBreak =
            part.size() >= kLineBreak.size() && part.compare(part.size() - 2, 2, kLineBreak) == 0;
        if (!endsWithBreak) part += ' ';
        text += part;
    }
    return text;
}

std::string_view BuiltInAboutGoText() { return kAboutGo; }

}  // namespace senvola
