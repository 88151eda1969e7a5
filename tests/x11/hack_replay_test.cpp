// The hack's replay on the recording canvas: that the command line's choices reach the core
// (speed, colours, pictures, language, game source, board only) and that a tick returns the
// delay to the next one.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "hack_replay.h"
#include "picture_files.h"
#include "recording_canvas.h"

namespace senvola::x11 {
namespace {

const std::string kLanguageFile = std::string(SENVOLA_SOURCE_DIR) + "/data/Senvola.ini";

bool Drew(const RecordingCanvas& c, const std::string& text) {
    return std::any_of(c.Ops().begin(), c.Ops().end(), [&](const CanvasOp& op) {
        return op.kind == CanvasOpKind::DrawString && op.text == text;
    });
}

std::size_t Count(const RecordingCanvas& c, CanvasOpKind kind) { return c.Count(kind); }

TEST(HackReplayTest, TickReturnsTheIntervalOfTheSpeed) {
    RecordingCanvas canvas;
    HackReplay standard({}, kLanguageFile);
    EXPECT_EQ(standard.Tick(canvas, 800, 600).count(), 500);
    ReplayChoices fast;
    fast.speed = 0;
    HackReplay quick(fast, kLanguageFile);
    EXPECT_EQ(quick.Tick(canvas, 800, 600).count(), 50);
    EXPECT_EQ(quick.Tick(canvas, 800, 600).count(), 50);
    EXPECT_TRUE(quick.Warnings().empty());
}

TEST(HackReplayTest, LanguageByItsListedNameOrItsOwn) {
    for (const char* name : {"Dutch", "nederlands"}) {
        ReplayChoices c;
        c.language = name;
        HackReplay replay(c, kLanguageFile);
        RecordingCanvas canvas;
        replay.Tick(canvas, 1024, 768);
        EXPECT_TRUE(Drew(canvas, "Wit")) << name;
        EXPECT_FALSE(Drew(canvas, "White")) << name;
        EXPECT_TRUE(replay.Warnings().empty());
    }
    ReplayChoices c;
    c.language = "Klingon";
    HackReplay replay(c, kLanguageFile);
    RecordingCanvas canvas;
    replay.Tick(canvas, 1024, 768);
    EXPECT_TRUE(Drew(canvas, "White"));
    ASSERT_EQ(replay.Warnings().size(), 1u);
    EXPECT_NE(replay.Warnings()[0].find("Klingon"), std::string::npos);
}

TEST(HackReplayTest, ColoursPicturesAndBoardOnlyReachTheDrawing) {
    const std::string picture = ::testing::TempDir() + "board-tile.bmp";
    const UniqueSurface tile(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 8));
    ASSERT_TRUE(WriteBmp24(tile.get(), picture));

    ReplayChoices c;
    c.colours[0] = 0x00FF00;
    c.colours[1] = 0x0000FF;
    c.boardOnly = true;
    c.pictures[2] = ::testing::TempDir() + "missing.png";
    HackReplay colours(c, kLanguageFile);
    RecordingCanvas canvas;
    colours.Tick(canvas, 800, 600);
    EXPECT_TRUE(std::any_of(canvas.Ops().begin(), canvas.Ops().end(), [](const CanvasOp& op) {
        return op.kind == CanvasOpKind::FillRect && op.brush.colour == 0x00FF00;
    })) << "the board in its colour";
    // The only texts are the coordinates: no panel line (label " : " value).
    EXPECT_TRUE(std::none_of(canvas.Ops().begin(), canvas.Ops().end(), [](const CanvasOp& op) {
        return op.kind == CanvasOpKind::DrawString && op.text.find(" : ") != std::string::npos;
    })) << "board only: no panel";
    EXPECT_EQ(Count(canvas, CanvasOpKind::Rectangle), 0u) << "board only: no comment box";
    EXPECT_EQ(Count(canvas, CanvasOpKind::DrawBitmap), 0u);
    ASSERT_EQ(colours.Warnings().size(), 1u) << "the white stone picture cannot be read";
    EXPECT_NE(colours.Warnings()[0].find("missing.png"), std::string::npos);

    ReplayChoices p;
    p.pictures[0] = picture;
    HackReplay pictured(p, kLanguageFile);
    canvas.Clear();
    pictured.Tick(canvas, 800, 600);
    EXPECT_GT(Count(canvas, CanvasOpKind::DrawBitmap), 0u) << "the board picture tiled";
    EXPECT_GT(Count(canvas, CanvasOpKind::DrawString), 0u);
    EXPECT_TRUE(pictured.Warnings().empty());
}

TEST(HackReplayTest, GameFileAndStartingOver) {
    const std::string game = ::testing::TempDir() + "hack-game.sgf";
    std::ofstream(game) << "(;GM[1]SZ[9]PW[Ada White]PB[Bo Black];B[ee];W[cc];B[gg])";
    ReplayChoices c;
    c.source = GameSource::File;
    c.sourcePath = game;
    HackReplay replay(c, kLanguageFile);
    RecordingCanvas canvas;
    replay.Tick(canvas, 640, 480);
    EXPECT_TRUE(Drew(canvas, " : Ada White"));
    replay.Tick(canvas, 640, 480);
    canvas.Clear();
    replay.Tick(canvas, 640, 480);
    EXPECT_TRUE(Drew(canvas, " : 2, C7")) << "the second move and its point";

    // After a resize the game is drawn again, laid out for the new size, and goes on.
    canvas.Clear();
    replay.Redraw(canvas, 480, 360);
    EXPECT_TRUE(std::any_of(canvas.Ops().begin(), canvas.Ops().end(), [](const CanvasOp& op) {
        return op.kind == CanvasOpKind::FillRect && op.rect.x1 == 0 && op.rect.y1 == 0 && op.rect.x2 == 480 &&
               op.rect.y2 == 360;
    }));
    EXPECT_TRUE(Drew(canvas, " : Ada White"));
    EXPECT_TRUE(Drew(canvas, " : 2, C7"));
    canvas.Clear();
    replay.Tick(canvas, 480, 360);
    EXPECT_TRUE(Drew(canvas, " : 3, G3"));
    EXPECT_TRUE(replay.Warnings().empty());

    // A source that is not there: the built-in games, and a word about it.
    for (GameSource source : {GameSource::File, GameSource::Directory}) {
        ReplayChoices missing;
        missing.source = source;
        missing.sourcePath = ::testing::TempDir() + "no-such-source";
        HackReplay fallback(missing, kLanguageFile);
        ASSERT_EQ(fallback.Warnings().size(), 1u);
        EXPECT_NE(fallback.Warnings()[0].find("no-such-source"), std::string::npos);
        canvas.Clear();
        fallback.Tick(canvas, 640, 480);
        EXPECT_TRUE(Drew(canvas, "White")) << "a game is shown all the same";
    }
}

TEST(HackReplayTest, RenderNamesWhatItCannotDraw) {
    RecordingCanvas canvas;
    std::string error;
    RenderRequest r;
    r.width = 480, r.height = 360;  // above preview size: the panel shows
    r.game = "builtin:1x";
    EXPECT_EQ(RenderGame(r, canvas, error), RenderOutcome::NoSuchGame);
    EXPECT_NE(error.find("builtin:1x"), std::string::npos);
    r.game = ::testing::TempDir() + "not-a-game.sgf";
    std::ofstream(r.game) << "(;GM[1]SZ[25];B[aa])";  // no board of 9, 13 or 19 lines
    EXPECT_EQ(RenderGame(r, canvas, error), RenderOutcome::BuiltInDrawnInstead);
    r.game = "builtin:6";
    r.moves = 3;
    canvas.Clear();
    EXPECT_EQ(RenderGame(r, canvas, error), RenderOutcome::Drawn);
    EXPECT_TRUE(std::any_of(canvas.Ops().begin(), canvas.Ops().end(), [](const CanvasOp& op) {
        return op.kind == CanvasOpKind::DrawString && op.text.rfind(" : 3, ", 0) == 0;
    })) << "the move counter after three ticks";
}

}  // namespace
}  // namespace senvola::x11
