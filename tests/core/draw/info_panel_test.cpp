// Information lines, fixed lines, move counter and the comment box, on recorded text metrics:
// a font of s points is round(4s/3) pixels high, a character 0.6 of that wide (2/3 when bold).
#include <gtest/gtest.h>

#include <string>

#include "draw/info_panel.h"
#include "core/draw/draw_test_support.h"

namespace senvola {
namespace {

using namespace replay_test;

// A game on a 1024 x 768 panel screen with the board drawn and the introduction set.
struct PanelFixture : ::testing::Test {
    AppState s;
    RecordingCanvas c;
    EmptyIni ini;
    void SetUp() override {
        LayOut(s, 1024, 768, 19);
        s.Language.AboutGoText = "About Go\r\n\r\nGo is a board game for two.";
        s.CurrentGame.WhiteName = "Honinbo";
        s.CurrentGame.BlackName = "Yasui";
        s.CurrentGame.BlackRank = "7d";
    }
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

    // Others shrink from 15 until "X" is no higher than ScreenHeight div d.
    EXPECT_EQ(SizeAt(1920, 1080, kInfoLinesFont, c), 15);   // 20 <= 27
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
    DrawInfoPanel(s, c);
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
    s.CurrentGame.Komi = "6.5";
    s.CurrentGame.Handicap = 1;
    s.CurrentGame.Place = "Edo";
    s.CurrentFileName = "C:\\games\\old\\castle.sgf";
    DrawInfoPanel(s, c);
    const int h = RecordingCanvas::TextHeight(10);
    const int w = 9 * RecordingCanvas::CharWidth(10, false);  // "CopyRight"
    const int x = 1024 / 20 + 633, y = 768 / 38;
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"White", " : Honinbo"}, {"Black", " : Yasui, 7d"}, {"Komi", " : 6.5"},
        {"MoveNumber", " : 1"},  {"Place", " : Edo"},       {"Filename", " : castle.sgf"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto label = Texts(expected[i].first);
        const auto value = Texts(expected[i].second);
        ASSERT_EQ(label.size(), 1u) << expected[i].first;
        ASSERT_EQ(value.size(), 1u) << expected[i].second;
        EXPECT_EQ(label[0].rect.x1, x);
        EXPECT_EQ(label[0].rect.y1, y + static_cast<int>(i) * h);
        EXPECT_EQ(value[0].rect.x1, x + w);
        EXPECT_EQ(value[0].rect.y1, y + static_cast<int>(i) * h);
    }
    EXPECT_EQ(TextsOf(c).size(), 4u + 2 * expected.size());
    EXPECT_EQ(s.Layout.MoveBoxLeft, x + w);
    EXPECT_EQ(s.Layout.MoveBoxTop, y + 3 * h);
    EXPECT_EQ(s.Layout.MoveBoxRight, 1024);
    EXPECT_EQ(s.Layout.MoveBoxBottom, y + 4 * h);
    EXPECT_EQ(s.Layout.PanelTop, y + 5 * h + 2 * h);
    EXPECT_EQ(s.Layout.PanelFontSize, 10);

    // With a handicap of 2 the handicap line appears after Black and the rest move down.
    c.Clear();
    s.CurrentGame.Handicap = 2;
    DrawInfoPanel(s, c);
    ASSERT_EQ(Texts(" : 2 stones").size(), 1u);
    EXPECT_EQ(Texts(" : 2 stones")[0].rect.y1, y + 2 * h);
    EXPECT_EQ(Texts(" : 6.5")[0].rect.y1, y + 3 * h);
    EXPECT_EQ(s.Layout.MoveBoxTop, y + 4 * h);
    EXPECT_EQ(s.Layout.PanelTop, y + 6 * h + 2 * h);
}

TEST_F(PanelFixture, TranslatedLabelsAndEveryOptionalLine) {
    s.Language.PanelLabel[plWhite] = "Wit";
    s.CurrentGame.WhiteRank = "9p";
    s.CurrentGame.Result = "W+R";
    s.CurrentGame.Date = "1846";
    s.CurrentGame.TimeLimit = "none";
    s.CurrentGame.Event = "Castle game";
    s.CurrentGame.Round = "3";
    s.CurrentGame.Copyright = "free";
    s.CurrentGame.User = "me";
    s.CurrentFileName = "dir/sub/";
    DrawInfoPanel(s, c);
    EXPECT_EQ(Texts("Wit").size(), 1u);
    EXPECT_EQ(Texts(" : Honinbo, 9p").size(), 1u);
    for (const char* v : {" : W+R", " : 1846", " : none", " : Castle game", " : 3", " : free", " : me"}) {
        EXPECT_EQ(Texts(v).size(), 1u) << v;
    }
    EXPECT_TRUE(Texts("Filename").empty());  // a path without a file name part
    EXPECT_EQ(TextsOf(c).size(), 4u + 2 * 10);
}

TEST_F(PanelFixture, CopyrightIsCleanedOnTheRecord) {
    s.CurrentGame.Copyright = "\x01\x02\x1f";
    DrawInfoPanel(s, c);
    EXPECT_EQ(Texts("Copyright").size(), 1u);
    EXPECT_EQ(Texts(" : ").size(), 1u);
    EXPECT_EQ(s.CurrentGame.Copyright, "");

    std::string text = "  \xA9\t 1999 Go \x96 Club\x97";
    CleanCopyright(text);
    EXPECT_EQ(text, "1999 Go \x96 Club");  // 150 stays, 151 and 169 go
    // Kept up to a limit, counted after the leading spaces.
    text = "  \xA9\t 1999 Go \x96 Club\x97";
    CleanCopyright(text, 6);
    EXPECT_EQ(text, "1999 G");
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

TEST_F(PanelFixture, BoardOnlyDrawsNoneOfIt) {
    s.Settings.ShowBoardOnly = true;
    AtMove(s, 5);
    s.CurrentGame.Comments[5] = "x";
    DrawInfoPanel(s, c);
    DrawCommentBox(s, c, ini);
    DrawComment(s, c, ini);
    DrawMoveCounter(s, c);
    EXPECT_TRUE(c.Ops().empty());
    EXPECT_EQ(c.MeasureCount(), 0u);
}

TEST_F(PanelFixture, MoveCounter) {
    DrawInfoPanel(s, c);
    s.CurrentGame.MoveX[1] = 4;
    s.CurrentGame.MoveX[2] = 0;
    c.Clear();
    AtMove(s, 1);
    DrawMoveCounter(s, c);
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

    c.Clear();
    AtMove(s, 2);
    DrawMoveCounter(s, c);
    EXPECT_EQ(TextsOf(c), std::vector<std::string>{" : 2 (Game finished)"});
    c.Clear();
    AtMove(s, 801);
    DrawMoveCounter(s, c);
    EXPECT_EQ(TextsOf(c), std::vector<std::string>{" : 801 (Game finished)"});
}

TEST_F(PanelFixture, CommentBoxFrameAndIntroductionAsMoveOne) {
    s.CurrentGame.Comments[1] = "the record's own comment for move 1";
    DrawInfoPanel(s, c);
    c.Clear();
    DrawCommentBox(s, c, ini);
    const BoardLayout& l = s.Layout;
    EXPECT_EQ(l.CommentTop, l.PanelTop + 7);
    const auto frames = OpsOf(c, CanvasOpKind::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(SameRect(frames[0].rect, {684, l.PanelTop, 1004, 748}));
    EXPECT_EQ(frames[0].pen.colour, 0xFFFFFFu);
    EXPECT_FALSE(frames[0].brush.solid);
    const auto clear = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(clear.size(), 1u);
    EXPECT_TRUE(SameRect(clear[0].rect, {685, l.PanelTop + 1, 1003, 747}));
    EXPECT_EQ(s.CurrentGame.Comments[1], s.Language.AboutGoText);

    // The introduction starts like itself: its caption is the title, no "Comment:".
    const auto title = Texts("About Go");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_TRUE(title[0].font.bold);
    EXPECT_EQ(title[0].font.size, 12);
    const int titleWidth = 8 * RecordingCanvas::CharWidth(12, true);
    EXPECT_EQ(title[0].rect.x1, 687 + (998 - 687 - titleWidth) / 2);
    EXPECT_EQ(title[0].rect.y1, l.CommentTop);
    const auto body = Texts("Go is a board game for two.");
    ASSERT_EQ(body.size(), 1u);
    EXPECT_EQ(body[0].rect.x1, 687);
    EXPECT_EQ(body[0].rect.y1, l.CommentTop + 2 * RecordingCanvas::TextHeight(10));
    EXPECT_TRUE(Texts("Comment:").empty());
}

TEST_F(PanelFixture, IntroductionIsBuiltOnFirstNeed) {
    s.Language.AboutGoText.clear();
    DrawInfoPanel(s, c);
    DrawCommentBox(s, c, ini);
    ASSERT_FALSE(s.Language.AboutGoText.empty());
    EXPECT_EQ(s.CurrentGame.Comments[1], s.Language.AboutGoText);
    EXPECT_TRUE(Texts("Comment:").empty());
}

// Lays out the panel and shows `comment` as the comment of move 5; returns the body lines.
struct CommentFixture : PanelFixture {
    int h = RecordingCanvas::TextHeight(10);
    int cw = RecordingCanvas::CharWidth(10, false);
    void Show(const std::string& comment) {
        DrawInfoPanel(s, c);
        DrawCommentBox(s, c, ini);
        AtMove(s, 5);
        s.CurrentGame.Comments[5] = comment;
        c.Clear();
        DrawComment(s, c, ini);
    }
    // Body lines as (y - CommentTop) / h and text, the title left out.
    std::vector<std::pair<int, std::string>> Body() const {
        std::vector<std::pair<int, std::string>> out;
        for (const CanvasOp& op : c.Ops()) {
            if (op.kind != CanvasOpKind::DrawString || op.font.bold) continue;
            EXPECT_EQ(op.rect.x1, s.Layout.CommentLeft);
            EXPECT_EQ((op.rect.y1 - s.Layout.CommentTop) % h, 0);
            out.push_back({(op.rect.y1 - s.Layout.CommentTop) / h, op.text});
        }
        return out;
    }
    int BoxChars() const { return (s.Layout.CommentRight - s.Layout.CommentLeft) / cw; }
};

using Lines = std::vector<std::pair<int, std::string>>;

TEST_F(CommentFixture, OtherCommentsGetTheCommentTitle) {
    Show("Nice move");
    ASSERT_EQ(OpsOf(c, CanvasOpKind::FillRect).size(), 1u);
    EXPECT_EQ(Texts("Comment:").size(), 1u);
    EXPECT_EQ(Body(), (Lines{{2, "Nice move"}}));
}

TEST_F(CommentFixture, ACommentStartingLikeTheIntroductionHasItsOwnTitle) {
    Show("About Go\r\nmore");
    EXPECT_TRUE(Texts("Comment:").empty());
    EXPECT_EQ(Texts("About Go").size(), 1u);
    EXPECT_EQ(Body(), (Lines{{1, "more"}}));
}

TEST_F(CommentFixture, EmptyCommentLeavesTheBoxCleared) {
    Show("");
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 1u);
    EXPECT_EQ(c.Count(CanvasOpKind::DrawString), 0u);
}

TEST_F(CommentFixture, WordsFillLinesGreedily) {
    // Ten words of four letters and a blank: eight fit a line of 44 (40 characters), the ninth
    // would make 45.
    std::string text;
    for (int i = 0; i < 10; ++i) text += "word ";
    Show(text);
    ASSERT_EQ(BoxChars(), 44);  // 311 pixels, 7 per character
    EXPECT_EQ(Body(), (Lines{{2, "word word word word word word word word "}, {3, "word word "}}));
}

TEST_F(CommentFixture, HyphensBreakAndStayLineFeedsBreakAndGoControlsAreDropped) {
    std::string longPart(40, 'a');
    Show(longPart + "-bbbbbbbbbb first\r\nsecond\tline\x01");
    EXPECT_EQ(Body(), (Lines{{2, longPart + "-"}, {3, "bbbbbbbbbb first"}, {4, "secondline"}}));
}

TEST_F(CommentFixture, AWordWiderThanTheBoxStandsAloneOnItsLine) {
    const std::string wide(60, 'w');
    Show("short " + wide + " tail");
    EXPECT_EQ(Body(), (Lines{{2, "short "}, {3, wide + " "}, {4, "tail"}}));
    c.Clear();
    // The wrap never pulls the wide word onto a line that has text, even at the start.
    Show(wide);
    EXPECT_EQ(Body(), (Lines{{3, wide}}));
}

TEST_F(CommentFixture, TextIsCutAtTheBottomButTheLastLineIsDrawn) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line" + std::to_string(i) + "\n";
    Show(text);
    const Lines body = Body();
    ASSERT_GE(body.size(), 2u);
    const BoardLayout& l = s.Layout;
    const int limit = l.CommentBottom - h;
    for (std::size_t i = 0; i < body.size(); ++i) {
        EXPECT_LT(l.CommentTop + body[i].first * h, limit) << body[i].second;
        EXPECT_EQ(body[i].second, "line" + std::to_string(body[i].first - 2));
    }
    // Visible lines run up to the limit: the next one would be cut.
    EXPECT_LT(l.CommentTop + body.back().first * h, limit);
    EXPECT_GE(l.CommentTop + (body.back().first + 1) * h, limit);
    // 200 lines with line feeds: the last is the trailing empty one, so nothing more is drawn.
    EXPECT_EQ(body.back().second, "line" + std::to_string(body.back().first - 2));

    // The last line is drawn below the box as long as it is on the screen.
    const int firstCut = (limit - l.CommentTop + h - 1) / h;
    ASSERT_LT(l.CommentTop + firstCut * h, l.ScreenHeight);
    std::string ending;
    for (int i = 0; i < firstCut - 2; ++i) ending += "line" + std::to_string(i) + "\n";
    c.Clear();
    Show(ending + "the end");
    EXPECT_EQ(Body().back(), (std::pair<int, std::string>{firstCut, "the end"}));

    // Below the screen nothing shows, so nothing is drawn there, the last line included.
    c.Clear();
    Show(text + "the end");
    EXPECT_EQ(Body(), body);
    for (const CanvasOp& op : c.Ops()) EXPECT_LT(op.rect.y1, l.ScreenHeight);
}

// Only what can show is read and measured: a comment of millions of characters costs what
// the part of it on the screen costs.
TEST_F(CommentFixture, AHugeCommentIsMeasuredOnlyAsFarAsTheScreenShows) {
    const BoardLayout& l = s.Layout;
    const int rows = (l.ScreenHeight - l.CommentTop) / h + 1;
    const std::size_t fonts = 40;  // the fonts' "X" and the title

    std::string words;
    while (words.size() < 100000) words += "go ";
    Show(words);
    const std::size_t measured = c.MeasureCount();
    const Lines body = Body();
    EXPECT_LE(measured, static_cast<std::size_t>(rows) * (BoxChars() / 3 + 1) + fonts);
    ASSERT_FALSE(body.empty());
    EXPECT_EQ(body.back().second.size(), 42u);  // full lines down to the bottom of the box
    for (const auto& [row, text] : body) EXPECT_LE(static_cast<int>(text.size()), BoxChars());
    while (words.size() < 10000000) words += "go ";
    c.Clear();
    Show(words);
    EXPECT_EQ(c.MeasureCount(), measured);
    EXPECT_EQ(Body(), body);

    // A single word is kept as far as it could run across the screen; what follows it is
    // still found.
    const int screenPixels = l.ScreenWidth - l.CommentLeft;
    const std::string one(10000000, 'x');
    c.Clear();
    Show(one + " tail");
    EXPECT_LE(c.MeasureCount(), 2 + fonts);
    const Lines wide = Body();
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].first, 3);
    EXPECT_GE(static_cast<int>(wide[0].second.size()) * cw, screenPixels);  // runs off the screen
    EXPECT_LE(wide[0].second.size(), 4u * static_cast<std::size_t>(screenPixels));
    EXPECT_EQ(wide[0].second.find_first_not_of('x'), wide[0].second.size() - 1);
    EXPECT_EQ(wide[1], (std::pair<int, std::string>{4, "tail"}));

    // Blanks are words of their own; control characters are never measured at all.
    c.Clear();
    Show(std::string(10000000, ' '));
    EXPECT_LE(c.MeasureCount(), static_cast<std::size_t>(rows) * (BoxChars() + 1) + fonts);
    c.Clear();
    Show(std::string(10000000, '\x01'));
    EXPECT_LE(c.MeasureCount(), fonts);
    EXPECT_TRUE(Body().empty());

    // A title of the same length is cut the same way.
    s.Language.AboutGoText = "About the game\r\n\r\nGo is a board game for two.";
    c.Clear();
    Show("About the " + one);
    EXPECT_LE(c.MeasureCount(), fonts);
    std::size_t titleLength = 0;
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind == CanvasOpKind::DrawString && op.font.bold) titleLength = op.text.size();
    }
    EXPECT_GE(titleLength * static_cast<std::size_t>(RecordingCanvas::CharWidth(12, true)),
              static_cast<std::size_t>(screenPixels));
    EXPECT_LE(titleLength, 4u * static_cast<std::size_t>(screenPixels));
}

// A header text of millions of characters is cut where it could no longer show.
TEST_F(PanelFixture, HugeHeaderTextsAreCutAtTheScreenEdge) {
    s.CurrentGame.WhiteName = std::string(10000000, 'n');
    s.CurrentGame.WhiteRank = "9p";
    s.CurrentGame.Copyright = std::string(10000000, 'c');
    DrawInfoPanel(s, c);
    const int w = RecordingCanvas::CharWidth(10, false);
    std::vector<std::string> values;
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind == CanvasOpKind::DrawString && op.text.rfind(" : ", 0) == 0 && op.text.size() > 100) {
            const int pixels = s.Layout.ScreenWidth - op.rect.x1;
            EXPECT_GE(static_cast<int>(op.text.size()) * w, pixels);
            EXPECT_LE(op.text.size(), 4u * static_cast<std::size_t>(pixels));
            values.push_back(op.text.substr(3, 10));
        }
    }
    EXPECT_EQ(values, (std::vector<std::string>{"nnnnnnnnnn", "cccccccccc"}));
    EXPECT_LT(s.CurrentGame.Copyright.size(), 4000u) << "cleaned only as far as it shows";
    EXPECT_EQ(Texts(" : Yasui, 7d").size(), 1u);
}

}  // namespace
}  // namespace senvola
