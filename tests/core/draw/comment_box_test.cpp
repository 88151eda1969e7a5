// The comment box on recorded text metrics: its frame, the title of a comment, the word wrap,
// and the bounds that keep a huge comment as cheap as what shows of it. A font of s points is
// round(4s/3) pixels high, a character 0.6 of that wide (2/3 when bold).
#include <gtest/gtest.h>

#include <string>

#include "core/draw/draw_test_support.h"
#include "draw/comment_box.h"
#include "text/charset.h"
#include "draw/info_panel.h"

namespace senvola {
namespace {

using namespace draw_test;

// A game on a 1024 x 768 panel screen with its information lines drawn above the box.
struct BoxFixture : ::testing::Test {
    Scene s;
    RecordingCanvas c;
    CommentBox box;
    std::string introduction = "About Go\r\n\r\nGo is a board game for two.";
    void SetUp() override { LayOut(s, 1024, 768, 19); }
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

TEST_F(BoxFixture, FrameAndTheIntroductionTitledByItsCaption) {
    DrawPanel();
    c.Clear();
    box.DrawFrame(c, s.Layout);
    box.Draw(c, s.Layout, introduction, introduction);
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

// Lays out the panel and shows `comment` as the comment of move 5; returns the body lines.
struct CommentFixture : BoxFixture {
    int h = RecordingCanvas::TextHeight(10);
    int cw = RecordingCanvas::CharWidth(10, false);
    void Show(const std::string& comment) {
        DrawPanel();
        box.DrawFrame(c, s.Layout);
        box.Draw(c, s.Layout, introduction, introduction);
        c.Clear();
        box.Draw(c, s.Layout, comment, introduction);
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

// Chinese and Japanese run without spaces: lines break between characters, each two cells wide
// on the recording canvas, never before closing punctuation and never inside a character.
TEST_F(CommentFixture, TextWithoutSpacesWrapsBetweenCharactersButNotBeforeClosingPunctuation) {
    const std::string kanji = "\xE7\x9F\xB3";  // 石, two cells
    const std::string stop = "\xE3\x80\x82";   // 。, which may not begin a line
    std::string text;
    for (int i = 0; i < 50; ++i) text += kanji;
    Show(text);
    ASSERT_EQ(BoxChars(), 44);  // 22 wide characters to a line
    std::string full, rest;
    for (int i = 0; i < 22; ++i) full += kanji;
    for (int i = 0; i < 6; ++i) rest += kanji;
    EXPECT_EQ(Body(), (Lines{{2, full}, {3, full}, {4, rest}}));

    // The 23rd character is a full stop: it goes down with the character before it.
    c.Clear();
    std::string line21;
    for (int i = 0; i < 21; ++i) line21 += kanji;
    Show(line21 + kanji + stop + kanji);
    EXPECT_EQ(Body(), (Lines{{2, line21}, {3, kanji + stop + kanji}}));

    // Latin words among them still break only at their spaces; a broken byte shows as U+FFFD.
    c.Clear();
    Show(std::string(40, 'a') + " Kim\xE9" + kanji + "b");
    EXPECT_EQ(Body(), (Lines{{2, std::string(40, 'a') + " "}, {3, "Kim\xEF\xBF\xBD" + kanji + "b"}}));
    for (const auto& [row, line] : Body()) EXPECT_TRUE(text::IsValidUtf8(line)) << row;
}

TEST_F(CommentFixture, AParagraphBreakRightAfterAWrappedWordIsKept) {
    const std::string a40(40, 'a');
    Show(a40 + " wrapped\nnext\n\nparagraph");
    EXPECT_EQ(Body(), (Lines{{2, a40 + " "}, {3, "wrapped"}, {4, "next"}, {6, "paragraph"}}));
    c.Clear();
    Show(a40 + " wrapped\r\n\r\nparagraph");
    EXPECT_EQ(Body(), (Lines{{2, a40 + " "}, {3, "wrapped"}, {5, "paragraph"}}));
    c.Clear();
    Show(a40 + " wrapped\n\n");  // at the end too, where nothing follows
    EXPECT_EQ(Body(), (Lines{{2, a40 + " "}, {3, "wrapped"}}));
    // A character of Chinese text that goes down a line keeps its line feed too.
    const std::string kanji = "\xE7\x9F\xB3";
    std::string full;
    for (int i = 0; i < 22; ++i) full += kanji;
    c.Clear();
    Show(full + kanji + "\nnext");
    EXPECT_EQ(Body(), (Lines{{2, full}, {3, kanji}, {4, "next"}}));
}

// A comment longer than the box shows the whole lines that fit, and its last line ends with an
// ellipsis that stays inside the box; below the box nothing is drawn.
TEST_F(CommentFixture, ACommentLongerThanTheBoxEndsWithAnEllipsisInsideTheBox) {
    const std::string ellipsis = "\xE2\x80\xA6";
    const BoardLayout& l = s.Layout;
    const auto lines = [](int count) {
        std::string out;
        for (int i = 0; i < count; ++i) out += "line" + std::to_string(i) + "\n";
        return out;
    };
    const auto checkInside = [&](const Lines& body) {
        const int limit = l.CommentBottom - h;
        for (const CanvasOp& op : c.Ops()) {
            if (op.kind != CanvasOpKind::DrawString) continue;
            EXPECT_LT(op.rect.y1, limit) << op.text;
            EXPECT_LE(op.rect.x2, l.CommentRight) << op.text;
        }
        for (const auto& [row, text] : body) EXPECT_TRUE(text::IsValidUtf8(text)) << row;
    };

    Show(lines(200));
    const int limit = l.CommentBottom - h;  // the box is laid out by now
    int lastRow = 2;
    while (l.CommentTop + (lastRow + 1) * h < limit) ++lastRow;
    Lines body = Body();
    ASSERT_EQ(body.size(), static_cast<std::size_t>(lastRow - 1));
    for (std::size_t i = 0; i < body.size(); ++i) {
        EXPECT_EQ(body[i].first, static_cast<int>(i) + 2);
        EXPECT_EQ(body[i].second, "line" + std::to_string(i) + (i + 1 == body.size() ? ellipsis : ""));
    }
    checkInside(body);

    // Exactly as many lines as the box holds, blank lines after them: nothing is missing.
    const std::string fits = lines(lastRow - 1);
    c.Clear();
    Show(fits + "\n \r\n");
    EXPECT_EQ(Body().back(), (std::pair<int, std::string>{lastRow, "line" + std::to_string(lastRow - 2)}));
    EXPECT_EQ(Body().size(), body.size());
    c.Clear();
    Show(fits + "more");
    EXPECT_EQ(Body().back(), (std::pair<int, std::string>{lastRow, "line" + std::to_string(lastRow - 2) + ellipsis}));
    // A paragraph that ends just above the last line, the blank line before the next one on it:
    // the ellipsis ends the paragraph, it does not stand alone on the blank line.
    c.Clear();
    Show(lines(lastRow - 2) + "\r\nnext paragraph");
    body = Body();
    EXPECT_EQ(body.back(), (std::pair<int, std::string>{lastRow - 1, "line" + std::to_string(lastRow - 3) + ellipsis}));
    for (const auto& [row, text] : body) EXPECT_NE(text, ellipsis) << row;

    // A full last line gives up its last word for the ellipsis ...
    std::string hyphened;
    for (int i = 0; i < 200; ++i) hyphened += "abcdefghij-";
    c.Clear();
    Show(hyphened);
    body = Body();
    ASSERT_EQ(body.size(), static_cast<std::size_t>(lastRow - 1));
    EXPECT_EQ(body.front().second.size(), 44u);
    EXPECT_EQ(body.back().second, "abcdefghij-abcdefghij-abcdefghij-" + ellipsis);
    checkInside(body);

    // ... a word wider than the box its last characters ...
    c.Clear();
    Show(lines(lastRow - 3) + std::string(60, 'w') + " tail");
    body = Body();
    EXPECT_EQ(body.back(), (std::pair<int, std::string>{lastRow, std::string(43, 'w') + ellipsis}));
    checkInside(body);

    // ... and Chinese text a character, never a part of one.
    const std::string kanji = "\xE7\x9F\xB3";
    std::string cjk, line21;
    for (int i = 0; i < 2000; ++i) cjk += kanji;
    for (int i = 0; i < 21; ++i) line21 += kanji;
    c.Clear();
    Show(cjk);
    body = Body();
    ASSERT_EQ(body.size(), static_cast<std::size_t>(lastRow - 1));
    EXPECT_EQ(body.front().second, line21 + kanji);
    EXPECT_EQ(body.back(), (std::pair<int, std::string>{lastRow, line21 + ellipsis}));
    checkInside(body);
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
    // Full lines down to the bottom of the box, the last one marked as going on.
    EXPECT_EQ(body.front().second.size(), 42u);
    std::string lastLine;
    for (int i = 0; i < 14; ++i) lastLine += "go ";
    lastLine.back() = '.';
    EXPECT_EQ(body.back().second, lastLine.substr(0, lastLine.size() - 1) + "\xE2\x80\xA6");
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
    introduction = "About the game\r\n\r\nGo is a board game for two.";
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

}  // namespace
}  // namespace senvola
