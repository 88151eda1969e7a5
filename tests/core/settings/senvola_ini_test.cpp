// The language file shipped beside the program: every text in every language, placeholders in
// place, and the bytes the way Windows reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "portable/ini_file_reader.h"
#include "settings/language.h"

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

TEST(ShippedLanguageFile, IsWindows1252WithCrLfLineEnds) {
    const std::string bytes = Bytes();
    ASSERT_FALSE(bytes.empty()) << kPath;
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r') {
            EXPECT_EQ(bytes[i + 1], '\n') << "lone CR at " << i;
        } else if (c == '\n') {
            EXPECT_EQ(bytes[i - 1], '\r') << "lone LF at " << i;
        } else {
            EXPECT_GE(c, 0x20) << "control character at " << i;
            // Positions Windows-1252 leaves undefined; a UTF-8 file would show them as well.
            EXPECT_TRUE(c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) << "byte " << i;
        }
    }
    // Accented letters are single Windows-1252 bytes, not UTF-8 sequences.
    EXPECT_NE(bytes.find("Fran\xE7" "ais"), std::string::npos);
    EXPECT_NE(bytes.find("Wei\xDF"), std::string::npos);
    EXPECT_EQ(bytes.find("\xC3\xA9"), std::string::npos);
}

TEST(ShippedLanguageFile, ListsEnglishAndThreeTranslations) {
    const IniFileReader file(kPath);
    ASSERT_TRUE(file.Loaded()) << kPath;
    LanguageTable t;
    LoadLanguageTable(t, file, 0);
    EXPECT_EQ(t.LanguageList,
              (std::vector<std::string>{"English", "Dutch / Nederlands", "German / Deutsch", "French / Fran\xC3\xA7" "ais"}));
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
            const bool placeholders = key == "MovesPerSecond" || key.rfind("ConfigurationAboutText", 0) == 0;
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
    const char* expected[] = {"Replay speed: 1 move every 0.5 seconds", "Afspeelsnelheid: 1 zet elke 0.5 seconden",
                              "Wiedergabetempo: 1 Zug alle 0.5 Sekunden",
                              "Vitesse de lecture: 1 coup toutes les 0.5 secondes"};
    for (int n = 0; n < 4; ++n) {
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
