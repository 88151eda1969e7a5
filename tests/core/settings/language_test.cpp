// The language file: the list, the chosen section, the speed label and the introduction.
#include "settings/language.h"
#include "settings/replay_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "portable/ini_file_reader.h"
#include "core/settings/temp_file.h"

namespace senvola {
namespace {

IniFileReader Ini(std::string_view text) { return IniFileReader::FromBytes(text); }

LanguageTable Loaded(const IniFile& file, int language) {
    LanguageTable t;
    LoadLanguageTable(t, file, language);
    LoadSpeedTexts(t, file);
    return t;
}

// Every text of the table as the configuration pages and the panel would show it.
void ExpectEnglishDefaults(const LanguageTable& t, const IniFile& file) {
    for (std::size_t i = 0; i < kPanelLabelKeys.size(); ++i) EXPECT_EQ(t.PanelLabel[i], kPanelLabelKeys[i]);
    for (const TextKey& e : kTextKeys) EXPECT_EQ(Translate(t, file, e.Key), e.Default) << e.Key;
    EXPECT_EQ(t.SpeedCaption, "Replay speed");
    EXPECT_EQ(FormatSpeedLabel(t, 0), "1 move every 0.05 seconds");
    EXPECT_EQ(AboutGoText(t, file), BuiltInAboutGoText());
    EXPECT_EQ(ConfigurationText(t, file),
              "\r\n\r\nIf you have any comments or suggestions, please email them to me: senvola@example.org");
}

TEST(Language, BuiltInTextsAreTheEnglishOnes) {
    const auto none = Ini("");
    const LanguageTable t = Loaded(none, 0);
    EXPECT_TRUE(t.LanguageList.empty());
    EXPECT_EQ(t.SectionName, "English");
    ExpectEnglishDefaults(t, none);
    EXPECT_EQ(Translate(t, none, "ChooseLanguage"),
              "Senvola supports several languages. Please choose your language from the list below.");
    EXPECT_EQ(DefaultText("Filename"), "Filename");
    EXPECT_EQ(DefaultText("NoSuchKey"), "");
}

TEST(Language, BuiltInAboutGoTextHasHeadingAndTwoParagraphs) {
    const std::string_view text = BuiltInAboutGoText();
    ASSERT_EQ(text.substr(0, 12), "About Go\r\n\r\n");
    const std::size_t gap = text.find("\r\n\r\n", 12);
    ASSERT_NE(gap, std::string_view::npos);
    const std::string_view origin = text.substr(12, gap - 12), rules = text.substr(gap + 4);
    auto sentences = [](std::string_view p) {
        int n = 0;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (p[i] == '.' && (i + 1 == p.size() || p[i + 1] == ' ')) ++n;
        return n;
    };
    EXPECT_EQ(sentences(origin), 3);
    EXPECT_EQ(sentences(rules), 4);
    EXPECT_NE(origin.find("China"), std::string_view::npos);
    EXPECT_NE(origin.find("4,000"), std::string_view::npos);
    EXPECT_NE(rules.find("19x19"), std::string_view::npos);
    EXPECT_EQ(rules.find('\r'), std::string_view::npos);
}

TEST(Language, ListShowsNativeNamesAndChosenSectionGivesTexts) {
    const auto f = Ini(
        "[Languages]\r\n0=English\r\n1=German\r\n"
        "[German]\r\nLanguageOriginalName=Deutsch\r\nWhite=Wei\xDF\r\nReplaySpeed=  Wiedergabe  \r\n"
        "Board=\r\n");
    LanguageTable t = Loaded(f, 1);
    ASSERT_EQ(t.LanguageList, (std::vector<std::string>{"English", "German / Deutsch"}));
    EXPECT_EQ(t.SectionName, "German");
    EXPECT_EQ(t.PanelLabel[plWhite], "Wei\xC3\x9F");  // the file's Windows-1252, as UTF-8
    EXPECT_EQ(t.PanelLabel[plBlack], "Black");  // a missing key falls back on its own
    EXPECT_EQ(t.SpeedCaption, "Wiedergabe");
    EXPECT_EQ(Translate(t, f, "Board"), "");  // present but empty stays empty
    EXPECT_EQ(Translate(t, f, "Graphics"), "Graphics");
}

TEST(Language, PanelLabelsKeepTheirBlanksButTextsAreTrimmed) {
    const auto f = Ini("[Languages]\n0=X\n[X]\nWhite=\"  Wit  \"\nBoard=\" \x01" "Bord\t \"\n");
    LanguageTable t = Loaded(f, 0);
    EXPECT_EQ(t.PanelLabel[plWhite], "  Wit  ");
    EXPECT_EQ(Translate(t, f, "Board"), "Bord");
}

TEST(Language, GapsInTheListAndNumbersTheFileDoesNotHold) {
    const auto f = Ini("[Languages]\n0=English\n2=Dutch\n3=\n21=Latin\n[Dutch]\nWhite=Wit\n[English]\nWhite=Whyte\n");
    // Key 1 is missing and 3 is empty: the list has two entries; 21 is never read.
    EXPECT_EQ(Loaded(f, 0).LanguageList, (std::vector<std::string>{"English", "Dutch"}));
    // Choosing the second entry stores position 1; key 1 is missing, so the English section
    // (here present) gives the texts.
    EXPECT_EQ(Loaded(f, 1).SectionName, "English");
    EXPECT_EQ(Loaded(f, 1).PanelLabel[plWhite], "Whyte");
    EXPECT_EQ(Loaded(f, 2).PanelLabel[plWhite], "Wit");
    EXPECT_EQ(Loaded(f, 21).SectionName, "Latin");  // read as the key it names, as stored
    EXPECT_EQ(Loaded(f, -1).SectionName, "English");
    // An empty entry names no section: the lines above the first header are never used.
    const auto g = Ini("White=Top\n[Languages]\n0=\n");
    EXPECT_EQ(Loaded(g, 0).SectionName, "English");
    EXPECT_EQ(Loaded(g, 0).PanelLabel[plWhite], "White");
}

TEST(Language, LanguageFiveOfThreeGivesEnglishDefaults) {
    const auto f = Ini("[Languages]\n0=Dutch\n1=German\n2=French\n[Dutch]\nWhite=Wit\nReplaySpeed=Snelheid\n");
    const LanguageTable t = Loaded(f, 5);
    EXPECT_EQ(t.LanguageList.size(), 3u);
    EXPECT_EQ(t.SectionName, "English");
    ExpectEnglishDefaults(t, f);
}

TEST(Language, SpeedTextsFollowTheTranslationsWordOrder) {
    const auto f = Ini(
        "[Languages]\n0=A\n1=B\n2=C\n3=D\n4=E\n"
        "[A]\nMovesPerSecond=%1  zet per %2 seconden \n"
        "[B]\nMovesPerSecond=Speed: %1 moves every %2 s\n"
        "[C]\nMovesPerSecond=%1 move every seconds\n"
        "[D]\nMovesPerSecond=%2 seconds per %1 move\n"
        "[E]\nMovesPerSecond=\nReplaySpeed=\n");
    const LanguageTable a = Loaded(f, 0);
    EXPECT_EQ(a.SpeedMiddleText, "zet per");
    EXPECT_EQ(a.SpeedUnitText, "seconden");
    EXPECT_EQ(FormatSpeedLabel(a, 6), "1 zet per 0.75 seconden");
    const LanguageTable b = Loaded(f, 1);  // what stands before "%1" is not used
    EXPECT_EQ(FormatSpeedCaption(b, 17), "Replay speed: 1 moves every 30 s");
    for (int lang : {2, 3, 4}) {  // placeholders missing, or in an order the label cannot follow
        const LanguageTable t = Loaded(f, lang);
        EXPECT_EQ(t.SpeedMiddleText, "move every") << lang;
        EXPECT_EQ(t.SpeedUnitText, "seconds") << lang;
    }
    EXPECT_EQ(Loaded(f, 4).SpeedCaption, "");
}

TEST(Language, SpeedLabelsCoverEveryInterval) {
    const LanguageTable t;
    const char* expected[18] = {"0.05", "0.1", "0.2", "0.3", "0.4", "0.5", "0.75", "1", "2",
                                "3",    "4",   "5",   "6",   "8",   "10",  "15",   "20", "30"};
    for (int speed = 0; speed < 18; ++speed) {
        EXPECT_EQ(FormatSpeedLabel(t, speed), std::string("1 move every ") + expected[speed] + " seconds");
        // The text agrees with the delay the replay uses.
        EXPECT_EQ(static_cast<int>(std::stod(SpeedLabels[speed].Interval) * 1000 + 0.5), SpeedIntervals[speed]);
    }
    EXPECT_EQ(FormatSpeedCaption(t, 5), "Replay speed: 1 move every 0.5 seconds");
    EXPECT_EQ(FormatSpeedLabel(t, 255), "1 move every 30 seconds");
    EXPECT_EQ(FormatSpeedLabel(t, -3), "1 move every 0.05 seconds");
}

TEST(Language, ConfigurationTextFillsPlaceholdersOrFallsBack) {
    const auto f = Ini(
        "[Languages]\n0=A\n1=B\n2=C\n"
        "[A]\nConfigurationAboutText1=By %1 (%2), again %1 and %3.\nConfigurationAboutText2=Mail %3, not %1.\n"
        "[B]\nConfigurationAboutText1=Only %1 here.\nConfigurationAboutText2=No address.\n"
        "[C]\nConfigurationAboutText1=\nConfigurationAboutText2=\n");
    EXPECT_EQ(ConfigurationText(Loaded(f, 0), f),
              "By Tavrel (https://senvola.example.org), again %1 and %3.\r\n\r\nMail senvola@example.org, not %1.");
    const std::string fallback =
        "\r\n\r\nIf you have any comments or suggestions, please email them to me: senvola@example.org";
    EXPECT_EQ(ConfigurationText(Loaded(f, 1), f), fallback);
    EXPECT_EQ(ConfigurationText(Loaded(f, 2), f), fallback);
}

TEST(Language, NumbersTheWayTheLanguageWritesThem) {
    const auto f = Ini(
        "[Languages]\n0=A\n1=B\n2=C\n"
        "[A]\nDecimalSeparator=,\nMovesPerSecond=%1 Zug alle %2 Sekunden\nHandicapStones=%1 Steine\n"
        "[B]\nDecimalSeparator=\nHandicapStones=stones\n"
        "[C]\nFixedLine2=  Zwei \n");
    const LanguageTable a = Loaded(f, 0);
    EXPECT_EQ(FormatSpeedLabel(a, 5), "1 Zug alle 0,5 Sekunden");
    EXPECT_EQ(FormatSpeedLabel(a, 7), "1 Zug alle 1 Sekunden");
    EXPECT_EQ(a.HandicapStones, "%1 Steine");
    for (const auto& [in, out] : std::vector<std::pair<const char*, const char*>>{
             {"6.5", "6,5"}, {"-0.5", "-0,5"}, {"7", "7"}, {"1846.05.12", "1846.05.12"}, {"0.", "0."},
             {".5", ".5"}, {"v2.1", "v2.1"}, {"", ""}})
        EXPECT_EQ(LocalNumber(a, in), out) << in;
    // An empty separator or a count without its place: the English ones.
    const LanguageTable b = Loaded(f, 1);
    EXPECT_EQ(FormatSpeedLabel(b, 5), "1 move every 0.5 seconds");
    EXPECT_EQ(b.HandicapStones, "%1 stones");
    const LanguageTable c = Loaded(f, 2);
    EXPECT_EQ(c.FixedLine, (std::array<std::string, 4>{"", "Zwei", "", ""}));
}

TEST(Language, ReplaceFirstReplacesOnlyTheFirst) {
    EXPECT_EQ(ReplaceFirst("%1 and %1", "%1", "x"), "x and %1");
    EXPECT_EQ(ReplaceFirst("none", "%1", "x"), "none");
    EXPECT_EQ(ReplaceFirst("%1", "%1", "%1%1"), "%1%1");
    EXPECT_EQ(ReplaceFirst("", "%1", "x"), "");
    EXPECT_EQ(ReplaceFirst("abc", "", "x"), "abc");
}

TEST(Language, AboutGoTextFromParts) {
    const auto f = Ini(
        "[Languages]\n0=A\n1=B\n2=C\n3=D\n"
        "[A]\nTextAboutGoCaption=  Over Go  \nTextAboutGoPart1=First part.<RETURN>\n"
        "TextAboutGoPart2=  Second part  \nTextAboutGoPart3=<RETURN><RETURN>Third\n"
        "TextAboutGoPart5=never read\n"
        "[B]\nTextAboutGoPart1=Parts without a heading\n"
        "[C]\nTextAboutGoCaption=Heading only\n"
        "[D]\nTextAboutGoCaption=<return> is case-sensitive\nTextAboutGoPart1=a<return>b<RETURN\n");
    LanguageTable a = Loaded(f, 0);
    EXPECT_EQ(AboutGoText(a, f), "Over Go\r\n\r\nFirst part.\r\nSecond part \r\n\r\nThird ");
    LanguageTable b = Loaded(f, 1);
    EXPECT_EQ(AboutGoText(b, f), BuiltInAboutGoText());
    LanguageTable c = Loaded(f, 2);
    EXPECT_EQ(AboutGoText(c, f), "Heading only\r\n\r\n");
    LanguageTable d = Loaded(f, 3);
    EXPECT_EQ(AboutGoText(d, f), "<return> is case-sensitive\r\n\r\na<return>b<RETURN ");
}

TEST(Language, AboutGoTextReadsAtMostTwentyParts) {
    std::string text = "[Languages]\n0=A\n[A]\nTextAboutGoCaption=H\n";
    for (int k = 1; k <= 21; ++k) text += "TextAboutGoPart" + std::to_string(k) + "=p" + std::to_string(k) + "\n";
    const auto f = Ini(text);
    LanguageTable t = Loaded(f, 0);
    const std::string about = AboutGoText(t, f);
    EXPECT_NE(about.find("p20 "), std::string::npos);
    EXPECT_EQ(about.find("p21"), std::string::npos);
}

// Broken language files, read from disk as the program reads them: the English defaults, never
// a crash.
TEST(Language, BadLanguageFilesGiveTheEnglishDefaults) {
    testutil::TempDir dir;
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919 + 13) % 256);
    const std::string huge(5000, 'w');
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"missing", dir.Path("missing.ini")},
        {"empty", dir.Write("empty.ini", "")},
        {"binary", dir.Write("binary.ini", binary)},
        {"keys without values",
         dir.Write("novalues.ini", "[Languages]\r\n0\r\n1\r\n[English]\r\nWhite\r\nReplaySpeed\r\nMovesPerSecond\r\n"
                                   "TextAboutGoCaption\r\nConfigurationAboutText2\r\n")},
        {"out of range",
         dir.Write("range.ini", "[Languages]\r\n0=Dutch\r\n[Dutch]\r\nWhite=Wit\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IniFileReader f(c.path);
        const int language = std::string(c.name) == "out of range" ? 7 : 0;
        const LanguageTable t = Loaded(f, language);
        EXPECT_EQ(t.SectionName, "English");
        ExpectEnglishDefaults(t, f);
    }

    // Values of 5,000 characters are cut, never overrun anything.
    const IniFileReader f(dir.Write(
        "huge.ini", "[Languages]\r\n0=" + huge + "\r\n[" + huge.substr(0, 1023) + "]\r\nWhite=" + huge +
                        "\r\nMovesPerSecond=%1 " + huge + " %2 " + huge + "\r\nTextAboutGoCaption=" + huge +
                        "\r\nTextAboutGoPart1=" + huge + "\r\n"));
    LanguageTable t = Loaded(f, 0);
    EXPECT_EQ(t.SectionName, huge.substr(0, 1023));
    EXPECT_EQ(t.LanguageList, (std::vector<std::string>{huge.substr(0, 1023)}));
    EXPECT_EQ(t.PanelLabel[plWhite], huge.substr(0, 1023));
    EXPECT_EQ(t.SpeedMiddleText, "move every");  // "%2" was beyond the cut
    EXPECT_EQ(AboutGoText(t, f), huge.substr(0, 1023) + "\r\n\r\n" + huge.substr(0, 1023) + " ");
}

}  // namespace
}  // namespace senvola
