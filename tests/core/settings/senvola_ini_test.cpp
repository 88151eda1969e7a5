// The language file shipped beside the program: every text in every language, placeholders in
// place, and the bytes UTF-8 with CR LF line ends.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "portable/ini_file_reader.h"
#include "settings/language.h"
#include "text/utf8.h"

namespace senvola {
namespace {

const std::string kPath = std::string(SENVOLA_SOURCE_DIR) + "/data/Senvola.ini";
constexpr const char* kAbsent = "\x01" "absent\x01";

std::string Bytes() {
    std::ifstream in(kPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Count(const std::string& text, std::string_view what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ShippedLanguageFile, IsUtf8WithCrLfLineEnds) {
    const std::string bytes = Bytes();
    ASSERT_FALSE(bytes.empty()) << kPath;
    // Without a byte-order mark: the first line stays a plain comment for every tool.
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(text::SanitiseUtf8(bytes), bytes) << "not valid UTF-8";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r') {
            EXPECT_EQ(bytes[i + 1], '\n') << "lone CR at " << i;
        } else if (c == '\n') {
            EXPECT_EQ(bytes[i - 1], '\r') << "lone LF at " << i;
        } else {
            EXPECT_GE(c, 0x20) << "control character at " << i;
        }
    }
}

TEST(ShippedLanguageFile, ListsEveryShippedLanguage) {
    const IniFileReader file(kPath);
    ASSERT_TRUE(file.Loaded()) << kPath;
    LanguageTable t;
    LoadLanguageTable(t, file, 0);
    EXPECT_EQ(t.LanguageList,
              (std::vector<std::string>{"English", "Dutch / Nederlands", "German / Deutsch",
                                        "French / Fran\xC3\xA7" "ais",
                                        "ChineseSimplified / \xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87",
                                        "ChineseTraditional / \xE7\xB9\x81\xE9\xAB\x94\xE4\xB8\xAD\xE6\x96\x87",
                                        "Japanese / \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
                                        "Korean / \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"}));
}

// Sections of the file as written: key names (as spelt in English) and raw values, in order.
using Section = std::vector<std::pair<std::string, std::string>>;
std::map<std::string, Section> Sections() {
    std::map<std::string, Section> out;
    std::istringstream in(Bytes());
    std::string line, current;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            current = line.substr(1, line.find(']') - 1);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) out[current].emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return out;
}

// The %1..%9 of a text, in order of the digit; what a translation must keep.
std::string Placeholders(const std::string& text) {
    std::string found;
    for (char d = '1'; d <= '9'; ++d) {
        const std::string p = std::string("%") + d;
        for (int n = Count(text, p); n > 0; --n) found += p;
    }
    return found;
}

// A key added to the English section on its own (the other sections are filled later) fails
// here, in every language that lacks it, as does a translation that drops or adds a
// placeholder.
TEST(ShippedLanguageFile, EveryLanguageHasEveryKeyAndPlaceholderOfEnglish) {
    const auto sections = Sections();
    ASSERT_TRUE(sections.count("English"));
    ASSERT_TRUE(sections.count("Languages"));
    std::map<std::string, std::string> english;
    for (const auto& [key, value] : sections.at("English")) english[key] = value;
    // Every built-in text is in the English section too, so that translators see them all.
    for (const TextKey& e : kTextKeys) EXPECT_TRUE(english.count(e.Key)) << e.Key << " missing in English";
    // The introduction may take as many parts as the language needs.
    auto isPart = [](const std::string& key) { return key.rfind(kAboutGoPartKeyPrefix, 0) == 0; };

    EXPECT_EQ(sections.at("Languages").size(), 8u);
    for (const auto& [number, name] : sections.at("Languages")) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(sections.count(name)) << "no section";
        std::map<std::string, std::string> own;
        for (const auto& [key, value] : sections.at(name)) {
            EXPECT_TRUE(own.emplace(key, value).second) << key << " twice";
            if (key != kLanguageOriginalNameKey && !isPart(key)) {
                EXPECT_TRUE(english.count(key)) << key << " unknown";
            }
        }
        if (name != "English") {
            EXPECT_TRUE(own.count(kLanguageOriginalNameKey));
        }
        for (const auto& [key, value] : english) {
            if (isPart(key)) continue;
            const auto it = own.find(key);
            if (it == own.end()) {
                ADD_FAILURE() << key << " missing";
                continue;
            }
            EXPECT_EQ(Placeholders(it->second), Placeholders(value)) << key;
            EXPECT_EQ(Count(it->second, "&"), Count(value, "&")) << key << ": the accelerator";
        }
        std::string about;
        for (const auto& [key, value] : own)
            if (isPart(key)) about += value;
        EXPECT_EQ(Placeholders(about), "") << "the introduction takes no placeholders";
        EXPECT_EQ(Count(about, "<RETURN><RETURN>"), 1) << "two paragraphs";
    }
}

TEST(ShippedLanguageFile, EveryLanguageHasEveryTextWithItsPlaceholders) {
    const IniFileReader file(kPath);
    ASSERT_TRUE(file.Loaded()) << kPath;
    LanguageTable probe;
    LoadLanguageTable(probe, file, 0);
    const int languages = static_cast<int>(probe.LanguageList.size());
    ASSERT_GE(languages, 4);
    for (int n = 0; n < languages; ++n) {
        LanguageTable t;
        LoadLanguageTable(t, file, n);
        LoadSpeedTexts(t, file);
        SCOPED_TRACE(t.SectionName);
        auto raw = [&](std::string_view key) { return file.ReadString(t.SectionName, key, kAbsent); };

        std::vector<std::string> keys(kPanelLabelKeys.begin(), kPanelLabelKeys.end());
        for (const TextKey& e : kTextKeys) keys.push_back(e.Key);
        keys.push_back(kAboutGoCaptionKey);
        for (const std::string& key : keys) {
            const std::string value = raw(key);
            EXPECT_NE(value, kAbsent) << key << " missing";
            EXPECT_FALSE(value.empty()) << key << " empty";
            EXPECT_EQ(TrimText(value), value) << key << " has stray blanks";
            const bool placeholders = key == "MovesPerSecond" || key == "OptionsCaption" || key == "HandicapStones" ||
                                      key.rfind("ConfigurationAboutText", 0) == 0;
            if (!placeholders) EXPECT_EQ(value.find('%'), std::string::npos) << key;
        }

        const std::string moves = raw("MovesPerSecond");
        EXPECT_EQ(Count(moves, "%1"), 1);
        EXPECT_EQ(Count(moves, "%2"), 1);
        EXPECT_LT(moves.find("%1"), moves.find("%2"));
        const std::string first = raw("ConfigurationAboutText1"), second = raw("ConfigurationAboutText2");
        EXPECT_EQ(Count(first, "%1"), 1);
        EXPECT_EQ(Count(first, "%2"), 1);
        EXPECT_EQ(Count(first, "%3"), 0);
        EXPECT_EQ(Count(second, "%3"), 1);
        EXPECT_EQ(Count(second, "%1") + Count(second, "%2"), 0);
        EXPECT_EQ(Count(raw("Help"), "&"), 1);
        EXPECT_NE(raw("ChooseLanguage").find("Senvola"), std::string::npos);

        // The texts as the program builds them.
        EXPECT_NE(t.SpeedMiddleText, "");
        EXPECT_NE(t.SpeedUnitText, "");
        const std::string config = ConfigurationText(t, file);
        EXPECT_NE(config.find(kMakerName), std::string::npos);
        EXPECT_NE(config.find(kMakerHomePage), std::string::npos);
        EXPECT_NE(config.find(kMakerEmail), std::string::npos);
        EXPECT_EQ(config.find('%'), std::string::npos);

        int parts = 0;
        while (parts < kMaxAboutGoParts &&
               raw(kAboutGoPartKeyPrefix + std::to_string(parts + 1)) != kAbsent)
            ++parts;
        EXPECT_GE(parts, 2);
        for (int k = parts + 1; k <= kMaxAboutGoParts; ++k)
            EXPECT_EQ(raw(kAboutGoPartKeyPrefix + std::to_string(k)), kAbsent) << "part " << k << " after a gap";
        const std::string about = AboutGoText(t, file);
        EXPECT_EQ(about.rfind(TrimText(raw(kAboutGoCaptionKey)) + "\r\n\r\n", 0), 0u);
        EXPECT_EQ(Count(about, "\r\n\r\n"), 2) << "heading and two paragraphs";
        EXPECT_NE(about.find("19x19"), std::string::npos);
        EXPECT_EQ(about.find("<RETURN>"), std::string::npos);
        EXPECT_NE(about, BuiltInAboutGoText());
    }
}

TEST(ShippedLanguageFile, SpeedLabelsReadNaturally) {
    const IniFileReader file(kPath);
    // Dutch, German and French write the decimal comma.
    const char* expected[] = {"Replay speed: 1 move every 0.5 seconds", "Afspeelsnelheid: 1 zet elke 0,5 seconden",
                              "Wiedergabetempo: 1 Zug alle 0,5 Sekunden",
                              "Vitesse de lecture: 1 coup toutes les 0,5 secondes",
                              "\xE6\x89\x93\xE8\xB0\xB1\xE9\x80\x9F\xE5\xBA\xA6: 1 \xE6\x89\x8B\xEF\xBC\x8C"
                              "\xE9\x97\xB4\xE9\x9A\x94 0.5 \xE7\xA7\x92"};
    for (int n = 0; n < 5; ++n) {
        LanguageTable t;
        LoadLanguageTable(t, file, n);
        LoadSpeedTexts(t, file);
        EXPECT_EQ(FormatSpeedCaption(t, 5), expected[n]);
    }
}

TEST(ShippedLanguageFile, TitleAndMoveLineTextsInEveryLanguage) {
    const IniFileReader file(kPath);
    struct Expected {
        const char* title;
        const char* blackPasses;
        const char* whitePasses;
        const char* gameOver;
    };
    const Expected expected[] = {
        {"Title", "Black passes", "White passes", "Game over"},
        {"Titel", "Zwart past", "Wit past", "Partij afgelopen"},
        {"Titel", "Schwarz passt", "Wei\xC3\x9F passt", "Partie beendet"},
        {"Titre", "Noir passe", "Blanc passe", "Partie termin\xC3\xA9" "e"},
    };
    for (int n = 0; n < 4; ++n) {
        LanguageTable t;
        LoadLanguageTable(t, file, n);
        SCOPED_TRACE(t.SectionName);
        EXPECT_EQ(t.PanelLabel[plTitle], expected[n].title);
        EXPECT_EQ(t.BlackPasses, expected[n].blackPasses);
        EXPECT_EQ(t.WhitePasses, expected[n].whitePasses);
        EXPECT_EQ(t.GameOver, expected[n].gameOver);
    }
}

}  // namespace
}  // namespace senvola
