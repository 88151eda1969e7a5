// The hack's command line: values, ranges, spellings, and where it decides to draw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hack_options.h"

namespace senvola::x11 {
namespace {

ParsedCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

HackOptions Ok(std::vector<std::string> args) {
    ParsedCommandLine p = Parse(args);
    EXPECT_TRUE(p.options) << p.error;
    return p.options ? *p.options : HackOptions{};
}

TEST(HackOptionsTest, ValuesOneDashOrTwoTheLastWins) {
    const HackOptions o = Ok({"--speed", "3", "-pause", "0", "-file", "a.sgf", "--dir", "games", "-board-only",
                              "--no-comments", "-no-reading-time", "--show-result", "-flat-stones", "-no-coordinates", "-lang", "Dutch", "-black-picture", "b.png", "-speed", "17", "-h"});
    EXPECT_EQ(o.replay.speed, 17);
    EXPECT_EQ(o.replay.pauseSeconds, 0);
    EXPECT_EQ(o.replay.source, GameSource::Directory);
    EXPECT_EQ(o.replay.sourcePath, "games");
    EXPECT_TRUE(o.replay.boardOnly);
    EXPECT_TRUE(o.replay.flatStones);
    EXPECT_TRUE(o.replay.noCoordinates);
    EXPECT_TRUE(o.replay.noComments);
    EXPECT_TRUE(o.replay.noReadingTime);
    EXPECT_TRUE(o.replay.showResult);
    EXPECT_FALSE(Ok({}).replay.noReadingTime);
    EXPECT_FALSE(Ok({}).replay.showResult);
    EXPECT_EQ(o.replay.language, "Dutch");
    EXPECT_EQ(o.replay.pictures[1], "b.png");
    EXPECT_TRUE(o.replay.pictures[0].empty());
    EXPECT_TRUE(o.help);
    EXPECT_EQ(Ok({"-dir", "games", "-builtin"}).replay.source, GameSource::BuiltIn);
}

TEST(HackOptionsTest, DelayTakesTheNearestSpeedStep) {
    EXPECT_EQ(Ok({"-delay", "0.05"}).replay.speed, 0);
    EXPECT_EQ(Ok({"-delay", "0.07"}).replay.speed, 0);
    EXPECT_EQ(Ok({"-delay", "0.08"}).replay.speed, 1);
    EXPECT_EQ(Ok({"-delay", "0.5"}).replay.speed, 5);
    EXPECT_EQ(Ok({"-delay", "7"}).replay.speed, 12);  // 6 and 8 are as near: the faster
    EXPECT_EQ(Ok({"-delay", "30"}).replay.speed, 17);
    for (const char* bad : {"0.04", "31", "", "1s", "abc", "-1", "nan"}) {
        EXPECT_FALSE(Parse({"-delay", bad}).options) << bad;
    }
}

TEST(HackOptionsTest, OutOfRangeMissingOrUnknownIsAnError) {
    const std::vector<std::vector<std::string>> bad = {
        {"-speed", "18"}, {"-speed", "-1"}, {"-speed", "5x"}, {"-pause", "301"}, {"-pause", "1.5"},
        {"-speed"},       {"-file"},        {"-file", ""},    {"-frobnicate"},   {"speed"},
        {"-window-id", "0"}, {"-window-id", "0xZZ"}, {"-window-id", "12abc"}, {"-board-colour", ""},
    };
    for (const auto& args : bad) {
        const ParsedCommandLine p = Parse(args);
        EXPECT_FALSE(p.options) << args[0];
        EXPECT_NE(p.error.find(args[0]), std::string::npos) << "the message names what was wrong: " << p.error;
    }
}

TEST(HackOptionsTest, ColoursInHexOrByName) {
    const HackOptions o = Ok({"-board-colour", "#804000", "-black-colour", "#f0a", "-white-colour", "rgb:ff/8/0"});
    EXPECT_EQ(o.replay.colours[0], 0x004080u);
    EXPECT_EQ(o.replay.colours[1], 0xAA00FFu);
    EXPECT_EQ(o.replay.colours[2], 0x0088FFu);
    EXPECT_EQ(ParseHexColour("rgb:ffff/0/8000"), 0x8000FFu);
    for (const char* bad : {"#12345", "#1234567", "#GG0000", "rgb:1/2", "rgb:1/2/3/4", "rgb:12345/0/0", "804000"}) {
        EXPECT_FALSE(ParseHexColour(bad)) << bad;
    }
    // A name waits for the display's colour database.
    const HackOptions named = Ok({"-board-colour", "#000000", "-board-colour", "forest green"});
    EXPECT_FALSE(named.replay.colours[0]);
    EXPECT_EQ(named.colourNames[0], "forest green");
    const HackOptions back = Ok({"-board-colour", "forest green", "-board-colour", "#000000"});
    EXPECT_EQ(back.replay.colours[0], 0u);
    EXPECT_TRUE(back.colourNames[0].empty());
}

TEST(HackOptionsTest, TheWindowToDrawIn) {
    std::string error;
    auto target = [&](std::vector<std::string> args, const char* env) {
        const auto t = ChooseTarget(Ok(args), env, error);
        EXPECT_TRUE(t) << error;
        return t.value_or(DrawTarget{});
    };
    EXPECT_EQ(target({}, nullptr).kind, DrawTarget::OwnWindow);
    EXPECT_EQ(target({}, "").kind, DrawTarget::OwnWindow);
    EXPECT_EQ(target({"-fullscreen"}, nullptr).kind, DrawTarget::FullScreen);
    EXPECT_EQ(target({"-root"}, nullptr).kind, DrawTarget::RootWindow);
    // xscreensaver's window, in the forms it is written.
    DrawTarget t = target({"--root"}, "0x2a00007");
    EXPECT_EQ(t.kind, DrawTarget::GivenWindow);
    EXPECT_EQ(t.id, 0x2a00007u);
    EXPECT_EQ(target({}, "44040199").id, 44040199u);
    // An explicit choice wins over the environment.
    EXPECT_EQ(target({"-window"}, "0x2a00007").kind, DrawTarget::OwnWindow);
    t = target({"-window-id", "0x400001"}, "0x2a00007");
    EXPECT_EQ(t.kind, DrawTarget::GivenWindow);
    EXPECT_EQ(t.id, 0x400001u);
    EXPECT_FALSE(ChooseTarget(Ok({"-root"}), "window", error));
    EXPECT_NE(error.find("XSCREENSAVER_WINDOW"), std::string::npos);
}

}  // namespace
}  // namespace senvola::x11
