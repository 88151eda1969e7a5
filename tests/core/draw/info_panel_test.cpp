// Information lines, fixed lines and the move counter, on recorded text metrics: a font of s
// points is round(4s/3) pixels high, a character 0.6 of that wide (2/3 when bold).
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/draw/draw_test_support.h"
#include "draw/info_panel.h"
#include "text/charset.h"

namespace senvola {
namespace {

using namespace draw_test;

// A game on a 1024 x 768 panel screen with the board laid out.
struct PanelFixture : ::testing::Test {
    Scene s;
    RecordingCanvas c;
    void SetUp() override {
        LayOut(s, 1024, 768, 19);
        s.Game.WhiteName = "Honinbo";
        s.Game.BlackName = "Yasui";
        s.Game.BlackRank = "7d";
    }
    void DrawPanel() { DrawInfoPanel(c, s.Layout, s.Game, s.Language, s.MoveNumber, s.FileName); }
    // DrawString calls whose text is exactly `t`.
    std::vector<CanvasOp> Texts(const std::string& t) const {
        std::vector<CanvasOp> out;
        for (const CanvasOp& op : c.Ops()) {
            if (op.kind == CanvasOpKind::DrawString && op.text == t) out.push_back(op);
        }
        return out;
    }
};

int SizeAt(int w, int h, const PanelFontRule& rule, RecordingCanvas& c) {
    BoardLayout l;
    l.ScreenWidth = w;
    l.ScreenHeight = h;
    return SelectPanelFont(c, l, rule);
}

TEST(PanelFontTest, TableAtClassicWidthsShrinkingOtherwise) {
    RecordingCanvas c;
    EXPECT_EQ(SizeAt(1024, 768, kFixedLinesFont, c), 10);
    EXPECT_EQ(SizeAt(1024, 768, kInfoLinesFont, c), 10);
    EXPECT_EQ(SizeAt(1024, 768, kCommentBodyFont, c), 10);
    EXPECT_EQ(SizeAt(1024, 768, kCommentTitleFont, c), 12);
    EXPECT_TRUE(c.Font().bold);
    EXPECT_EQ(c.Font().name, "Arial");
    EXPECT_EQ(c.Font().colour, 0xFFFFFFu);
    EXPECT_EQ(SizeAt(800, 600, kInfoLinesFont, c), 8);
    EXPECT_EQ(SizeAt(800, 600, kCommentTitleFont, c), 10);
    EXPECT_EQ(SizeAt(640, 480, kFixedLinesFont, c), 6);
    EXPECT_EQ(SizeAt(640, 480, kCommentTitleFont, c), 8);
    // The table is by width alone: 1024 x 100 still gets 10 points.
    EXPECT_EQ(SizeAt(1024, 100, kInfoLinesFont, c), 10);

    // Others are the largest size whose "X" is no higher than ScreenHeight div d: no cap, so
    // that 4K text takes as much of the screen as 1080p's.
    EXPECT_EQ(SizeAt(1920, 1080, kInfoLinesFont, c), 20);   // 27 <= 27
    EXPECT_EQ(SizeAt(3840, 2160, kInfoLinesFont, c), 40);   // 53 <= 54
    EXPECT_EQ(SizeAt(1080, 1920, kInfoLinesFont, c), 20);   // upright: from the shorter side
    EXPECT_EQ(SizeAt(1280, 600, kInfoLinesFont, c), 11);    // limit 15: 11 pt is 15 px
    EXPECT_EQ(SizeAt(1280, 600, kFixedLinesFont, c), 9);    // limit 12: 9 pt is 12 px
    EXPECT_EQ(SizeAt(1280, 600, kCommentTitleFont, c), 14); // limit 19: 14 pt is 19 px
    EXPECT_FALSE(SizeAt(1280, 600, kInfoLinesFont, c) == 0);
    // Down to 1 point at most, then raised to the minimum.
    EXPECT_EQ(SizeAt(152, 112, kInfoLinesFont, c), 2);
    EXPECT_EQ(SizeAt(152, 112, kCommentTitleFont, c), 4);
    EXPECT_EQ(SizeAt(0, 0, kInfoLinesFont, c), 2);
    EXPECT_EQ(SizeAt(1, 1, kCommentTitleFont, c), 4);
    EXPECT_EQ(c.Font().size, 4);
}

TEST_F(PanelFixture, FixedLinesAreCentredUnderTheBoard) {
    DrawPanel();
    const int h1 = RecordingCanvas::TextHeight(10);
    const int y0 = 768 / 38 + 666 + (768 - 666 - 4 * h1 - 768 / 38) / 2;
    for (int k = 0; k < 4; ++k) {
        const std::string line = FixedPanelLine(k);
        ASSERT_FALSE(line.empty());
        const auto ops = Texts(line);
        ASSERT_EQ(ops.size(), 1u) << line;
        const int width = static_cast<int>(line.size()) * RecordingCanvas::CharWidth(10, false);
        EXPECT_EQ(ops[0].rect.x1, 336 - width / 2);
        EXPECT_EQ(ops[0].rect.y1, y0 + k * h1);
        EXPECT_EQ(ops[0].font.size, 10);
        EXPECT_FALSE(ops[0].brush.solid);
        // Kept scrambled in the program.
        EXPECT_NE(ScrambledPanelLine(k), line);
        EXPECT_EQ(UnscrambleText(ScrambledPanelLine(k)), line);
    }
}

TEST_F(PanelFixture, LinesAreSkippedAndTheRestMoveUp) {
    s.Game.Komi = "6.5";
    s.Game.Handicap = 1;
    s.Game.Place = "Edo";
    s.FileName = "C:\\games\\old\\castle.sgf";
    DrawPanel();
    const int h = RecordingCanvas::TextHeight(10);
    // The column is as wide as the widest label: the built-in "MoveNumber".
    const int w = 10 * RecordingCanvas::CharWidth(10, false);
    const int x = 1024 / 20 + 633, y = 768 / 38;
    // Label, value, row; the two rows under the move line are the captures and whose turn it is.
    const std::vector<std::tuple<std::string, std::string, int>> expected = {
        {"White", " : Honinbo", 0}, {"Black", " : Yasui, 7d", 1}, {"Komi", " : 6.5", 2},
        {"MoveNumber", " : 1", 3},  {"Place", " : Edo", 6},       {"Filename", " : castle.sgf", 7}};
    for (const auto& [labelText, valueText, row] : expected) {
        const auto label = Texts(labelText);
        const auto value = Texts(valueText);
        ASSERT_EQ(label.size(), 1u) << labelText;
        ASSERT_EQ(value.size(), 1u) << valueText;
        EXPECT_EQ(label[0].rect.x1, x);
        EXPECT_EQ(label[0].rect.y1, y + row * h);
        EXPECT_EQ(value[0].rect.x1, x + w);
        EXPECT_EQ(value[0].rect.y1, y + row * h);
    }
    ASSERT_EQ(Texts("Captures").size(), 1u);
    EXPECT_EQ(Texts("Captures")[0].rect.y1, y + 4 * h);
    EXPECT_EQ(TextsOf(c).size(), 4u + 2 * expected.size() + 1);
    EXPECT_EQ(s.Layout.MoveBoxLeft, x + w);
    EXPECT_EQ(s.Layout.MoveBoxTop, y + 3 * h);
    EXPECT_EQ(s.Layout.MoveBoxRight, 1024);
    EXPECT_EQ(s.Layout.MoveBoxBottom, y + 4 * h);
    EXPECT_EQ(s.Layout.PanelTop, y + 7 * h + 2 * h);
    EXPECT_EQ(s.Layout.PanelFontSize, 10);

    // With a handicap of 2 the handicap line appears after Black and the rest move down.
    c.Clear();
    s.Game.Handicap = 2;
    DrawPanel();
    ASSERT_EQ(Texts(" : 2 stones").size(), 1u);
    EXPECT_EQ(Texts(" : 2 stones")[0].rect.y1, y + 2 * h);
    EXPECT_EQ(Texts(" : 6.5")[0].rect.y1, y + 3 * h);
    EXPECT_EQ(s.Layout.MoveBoxTop, y + 4 * h);
    EXPECT_EQ(s.Layout.PanelTop, y + 8 * h + 2 * h);
}

TEST_F(PanelFixture, TranslatedLabelsAndEveryOptionalLine) {
    s.Language.PanelLabel[plWhite] = "Wit";
    s.Game.WhiteRank = "9p";
    s.Game.Result = "W+R";
    s.Game.Date = "1846";
    s.Game.TimeLimit = "none";
    s.Game.Event = "Castle game";
    s.Game.Round = "3";
    s.Game.Copyright = "free";
    s.Game.User = "me";
    s.FileName = "dir/sub/";
    DrawPanel();
    EXPECT_EQ(Texts("Wit").size(), 1u);
    EXPECT_EQ(Texts(" : Honinbo, 9p").size(), 1u);
    for (const char* v : {" : W+R", " : 1846", " : none", " : Castle game", " : 3", " : free", " : me"}) {
        EXPECT_EQ(Texts(v).size(), 1u) << v;
    }
    EXPECT_TRUE(Texts("Filename").empty());  // a path without a file name part
    EXPECT_EQ(TextsOf(c).size(), 4u + 2 * 10 + 1);  // and the captures' label
}

TEST_F(PanelFixture, NumbersAndFixedLinesInTheChosenLanguage) {
    s.Language.DecimalSeparator = ",";
    s.Language.HandicapStones = "%1 Steine";
    s.Language.FixedLine = {"Eins", "", "Drei", "Vier"};
    s.Game.Komi = "6.5";
    s.Game.Handicap = 3;
    s.Game.Result = "W+0.5";
    s.Game.Date = "1846.05.12";  // not a number: a date keeps its points
    DrawPanel();
    for (const char* v : {" : 6,5", " : 3 Steine", " : W+0,5", " : 1846.05.12", "Eins", "Drei", "Vier"})
        EXPECT_EQ(Texts(v).size(), 1u) << v;
    // A line the language leaves empty is the program's own.
    EXPECT_EQ(Texts(FixedPanelLine(1)).size(), 1u);
    EXPECT_TRUE(Texts(FixedPanelLine(0)).empty());

    c.Clear();
    s.Game.Result = "B+R";
    s.Game.Komi = "Japanese 6.5";
    DrawPanel();
    EXPECT_EQ(Texts(" : B+R").size(), 1u);
    EXPECT_EQ(Texts(" : Japanese 6.5").size(), 1u);
}

TEST_F(PanelFixture, CopyrightIsCleanedAsItIsShown) {
    s.Game.Copyright = "\x01\x02\x1f";
    DrawPanel();
    EXPECT_EQ(Texts("Copyright").size(), 1u);
    EXPECT_EQ(Texts(" : ").size(), 1u);
    EXPECT_EQ(s.Game.Copyright, "\x01\x02\x1f") << "the record keeps what the file said";

    // Controls go (C0, DEL and C1: U+0097 is "\xC2\x97"), letters of any script stay; the byte
    // rule of one code page this replaced would have dropped every letter beyond ASCII.
    const std::string text = "  \t 1999 \xC2\xA9 \xE6\xA3\x8B\xE9\x99\xA2\xC2\x97\x7F Club\x1b";
    EXPECT_EQ(CleanCopyright(text), "1999 \xC2\xA9 \xE6\xA3\x8B\xE9\x99\xA2 Club");
    // Kept up to a limit of characters, counted after the leading spaces, never half of one.
    EXPECT_EQ(CleanCopyright(text, 8), "1999 \xC2\xA9 \xE6\xA3\x8B");
    EXPECT_EQ(CleanCopyright("a\xE6\xA3" "b"), "a\xEF\xBF\xBD" "b");  // a broken sequence shows as U+FFFD
}

TEST_F(PanelFixture, ValuesInUtf8AreCutBetweenCharacters) {
    std::string name;
    for (int k = 0; k < 100000; ++k) name += "\xE5\x9B\xB2";  // 囲
    s.Game.BlackName = name;
    s.Game.WhiteName = "\xE4\xBA\x95\xE5\xB1\xB1";  // 井山
    s.Game.WhiteRank = "\xE4\xB9\x9D\xE6\xAE\xB5";  // 九段
    DrawPanel();
    EXPECT_EQ(Texts(" : \xE4\xBA\x95\xE5\xB1\xB1, \xE4\xB9\x9D\xE6\xAE\xB5").size(), 1u);
    bool sawCut = false;
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind != CanvasOpKind::DrawString || op.text.rfind(" : \xE5\x9B\xB2", 0) != 0) continue;
        sawCut = true;
        EXPECT_TRUE(text::IsValidUtf8(op.text));
        EXPECT_EQ(op.text.substr(op.text.size() - 3), "\xE2\x80\xA6");
        EXPECT_LE(op.rect.x2, 1024 - 1024 / 50) << "cut inside the panel";
    }
    EXPECT_TRUE(sawCut);
}

TEST(PanelTextTest, FileNamePartSplitsOnEitherSeparator) {
    EXPECT_EQ(FileNamePart("C:\\games\\a.sgf"), "a.sgf");
    EXPECT_EQ(FileNamePart("/tmp/x/b.go"), "b.go");
    EXPECT_EQ(FileNamePart("c:/mixed\\dir/c.SGF"), "c.SGF");
    EXPECT_EQ(FileNamePart("plain.sgf"), "plain.sgf");
    EXPECT_EQ(FileNamePart("D:d.go"), "d.go");
    EXPECT_EQ(FileNamePart("dir\\"), "");
    EXPECT_EQ(FileNamePart(""), "");
}

TEST_F(PanelFixture, MoveCounter) {
    DrawPanel();
    s.Game.MoveX[1] = 4;
    s.Game.MoveX[2] = 0;
    c.Clear();
    DrawMoveCounter(c, s.Layout, s.Game, s.Language, 1);
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    const BoardLayout& l = s.Layout;
    EXPECT_TRUE(SameRect(fills[0].rect, {l.MoveBoxLeft, l.MoveBoxTop, l.MoveBoxRight, l.MoveBoxBottom}));
    EXPECT_EQ(fills[0].brush.colour, 0u);
    ASSERT_EQ(TextsOf(c), std::vector<std::string>{" : 1"});
    const CanvasOp text = OpsOf(c, CanvasOpKind::DrawString)[0];
    EXPECT_EQ(text.rect.x1, l.MoveBoxLeft);
    EXPECT_EQ(text.rect.y1, l.MoveBoxTop);
    EXPECT_EQ(text.font.size, l.PanelFontSize);
    EXPECT_FALSE(text.brush.solid);

    // Past the last entry the line names the last move played and says the game is over.
    c.Clear();
    DrawMoveCounter(c, s.Layout, s.Game, s.Language, 2);
    EXPECT_EQ(TextsOf(c), std::vector<std::string>{" : 1, Game over"});
    c.Clear();
    DrawMoveCounter(c, s.Layout, s.Game, s.Language, 801);
    EXPECT_EQ(TextsOf(c), std::vector<std::string>{" : 800, Game over"});
}

// A pass is named with its side, the end of the game with the result, in the language's words;
// the line never runs past the comment box's right edge.
TEST_F(PanelFixture, MoveCounterNamesPassesAndTheEnd) {
    DrawPanel();
    s.Game.MoveX[1] = 4;
    s.Game.MoveX[2] = kPassCoord;
    s.Game.MoveX[3] = kPassCoord;
    s.Game.Result = "B+R";
    auto line = [&](int n, go::Stone passing) {
        c.Clear();
        DrawMoveCounter(c, s.Layout, s.Game, s.Language, n, passing);
        const auto texts = TextsOf(c);
        return texts.size() == 1 ? texts[0] : std::string("?");
    };
    EXPECT_EQ(line(1, go::Stone::Empty), " : 1");
    EXPECT_EQ(line(2, go::Stone::White), " : 2, White passes");
    EXPECT_EQ(line(3, go::Stone::Black), " : 3, Black passes");
    EXPECT_EQ(line(4, go::Stone::Empty), " : 3, Game over: B+R");

    s.Language.WhitePasses = "Wei\xC3\x9F passt";
    s.Language.GameOver = "Partie beendet";
    EXPECT_EQ(line(2, go::Stone::White), " : 2, Wei\xC3\x9F passt");
    EXPECT_EQ(line(4, go::Stone::Empty), " : 3, Partie beendet: B+R");
    s.Language.DecimalSeparator = ",";
    s.Game.Result = "W+0.5";
    EXPECT_EQ(line(4, go::Stone::Empty), " : 3, Partie beendet: W+0,5");

    // A result of any length: whole characters up to the edge, then the ellipsis.
    s.Game.Result.clear();
    for (int k = 0; k < 5000; ++k) s.Game.Result += "\xE5\x9B\xB2";
    const std::string cut = line(4, go::Stone::Empty);
    EXPECT_EQ(cut.rfind(" : 3, Partie beendet: \xE5\x9B\xB2", 0), 0u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "\xE2\x80\xA6");
    EXPECT_TRUE(text::IsValidUtf8(cut));
    const CanvasOp op = OpsOf(c, CanvasOpKind::DrawString)[0];
    const int right = 1024 - 1024 / 50;  // the comment box's right edge
    EXPECT_LE(op.rect.x2, right);
    EXPECT_GT(op.rect.x2, right - 2 * RecordingCanvas::CharWidth(10, false) * 2);
}

// The game's title heads the panel; one too long for it ends with an ellipsis in line with the
// comment box.
TEST_F(PanelFixture, TitleLineFirstAndShortened) {
    s.Game.GameName = "Ear-reddening game";
    DrawPanel();
    const int h = RecordingCanvas::TextHeight(10);
    const int y = 768 / 38;
    ASSERT_EQ(Texts("Title").size(), 1u);
    ASSERT_EQ(Texts(" : Ear-reddening game").size(), 1u);
    EXPECT_EQ(Texts(" : Ear-reddening game")[0].rect.y1, y);
    EXPECT_EQ(Texts("White")[0].rect.y1, y + h);
    EXPECT_EQ(s.Layout.MoveBoxTop, y + 3 * h);

    s.Language.PanelLabel[plTitle] = "Titre";
    s.Game.GameName.clear();
    for (int k = 0; k < 100000; ++k) s.Game.GameName += "\xE5\x9B\xB2 ";
    c.Clear();
    DrawPanel();
    ASSERT_EQ(Texts("Titre").size(), 1u);
    const CanvasOp title = OpsOf(c, CanvasOpKind::DrawString)[5];  // after the fixed lines and the label
    ASSERT_EQ(title.text.rfind(" : \xE5\x9B\xB2", 0), 0u);
    EXPECT_TRUE(text::IsValidUtf8(title.text));
    EXPECT_EQ(title.text.substr(title.text.size() - 3), "\xE2\x80\xA6");
    const int right = 1024 - 1024 / 50;  // the comment box's right edge
    EXPECT_LE(title.rect.x2, right);
    EXPECT_GT(title.rect.x2, right - 3 * RecordingCanvas::CharWidth(10, false) * 2);

    // A game without a title has no such line.
    s.Game.GameName.clear();
    c.Clear();
    DrawPanel();
    EXPECT_TRUE(Texts("Titre").empty());
}

// A header text of millions of characters is cut where it could no longer show.
TEST_F(PanelFixture, HugeHeaderTextsAreCutAtTheScreenEdge) {
    s.Game.WhiteName = std::string(10000000, 'n');
    s.Game.WhiteRank = "9p";
    s.Game.Copyright = std::string(10000000, 'c');
    DrawPanel();
    std::vector<std::string> values;
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind == CanvasOpKind::DrawString && op.text.rfind(" : ", 0) == 0 && op.text.size() > 13 &&
            op.text.substr(op.text.size() - 3) == "\xE2\x80\xA6") {
            EXPECT_LE(op.rect.x2, 1024 - 1024 / 50) << "cut inside the panel";
            values.push_back(op.text.substr(3, 10));
        }
    }
    EXPECT_EQ(values, (std::vector<std::string>{"nnnnnnnnnn", "cccccccccc"}));
    EXPECT_LT(CleanCopyright(s.Game.Copyright, 4000).size(), 4001u) << "cleaned only as far as it shows";
    EXPECT_EQ(s.Game.Copyright.size(), 10000000u);
    EXPECT_EQ(Texts(" : Yasui, 7d").size(), 1u);
}

// The labels' column is as wide as the widest label shown (never narrower than the classic
// one); a label wider than half the panel is shortened with "…" and the values start after it.
// The result's line is left out when it is not to be shown, and its label no longer counts.
TEST_F(PanelFixture, LabelsGetTheWidthTheyNeed) {
    const int cw = RecordingCanvas::CharWidth(10, false);
    const int x = 1024 / 20 + 633;
    s.Game.Result = "B+R";
    s.Language.PanelLabel[plResult] = "Uitslag van de partij";  // 21 characters
    DrawPanel();
    ASSERT_EQ(Texts(" : Honinbo").size(), 1u);
    EXPECT_EQ(Texts(" : Honinbo")[0].rect.x1, x + 21 * cw);
    EXPECT_EQ(s.Layout.MoveBoxLeft, x + 21 * cw);

    c.Clear();
    DrawInfoPanel(c, s.Layout, s.Game, s.Language, 1, "", false);
    EXPECT_TRUE(Texts("Uitslag van de partij").empty());
    EXPECT_TRUE(Texts(" : B+R").empty());
    EXPECT_EQ(Texts(" : Honinbo")[0].rect.x1, x + 10 * cw) << "as wide as \"MoveNumber\" again";

    c.Clear();
    s.Language.PanelLabel[plCaptures] = std::string(300, 'C');
    DrawPanel();
    const int right = 1024 - 1024 / 50;  // the comment box's right edge
    bool sawLabel = false;
    for (const CanvasOp& op : OpsOf(c, CanvasOpKind::DrawString)) {
        if (op.text.rfind("CCC", 0) != 0) continue;
        sawLabel = true;
        EXPECT_EQ(op.text.substr(op.text.size() - 3), "\xE2\x80\xA6");
        EXPECT_LE(op.rect.x2, x + (right - x) / 2);
    }
    EXPECT_TRUE(sawLabel);
    EXPECT_EQ(Texts(" : Honinbo")[0].rect.x1, x + (right - x) / 2);
}

}  // namespace
}  // namespace senvola
