// The replay's tick: new games, moves, the pause between games, the delay each tick asks for,
// and what one move draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/draw/draw_test_support.h"
#include "core/platform/trace_log.h"
#include "draw/info_panel.h"
#include "draw/markup_drawing.h"
#include "draw/stone_drawing.h"
#include "native_file_system.h"
#include "native_text_decoder.h"
#include "replay/replay.h"
#include "settings/language.h"

namespace senvola {
namespace {

using namespace draw_test;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

// SGF coordinate letter of a 1-based line.
char L(int v) { return static_cast<char>('a' + v - 1); }

std::string Move(bool black, int x, int y) {
    return std::string(";") + (black ? "B[" : "W[") + L(x) + L(y) + "]";
}

BoardLayout Layout1024BoardOnly13() {
    BoardLayout l;
    l.ScreenWidth = 1024;
    l.ScreenHeight = 768;
    ComputeBoardLayout(l, 13, true);
    return l;
}

// Replays one game file, chosen as the single-file source, on a recording canvas, at 500 ms a
// move and without a pause between games.
class TickedReplay : public ::testing::Test {
protected:
    ReplaySettings settings;
    BoardPictures pictures;
    LanguageTable language;
    EmptyIni ini;
    NativeFileSystem files;
    NativeTextDecoder decoder;
    testing::TraceLog log;
    std::unique_ptr<Replay> replay;
    RecordingCanvas c;
    fs::path dir;
    int width = 1024, height = 768;
    std::chrono::milliseconds delay{0};  // what the last tick asked for

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("senvola_replay_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir);
        settings.FileLoadType = GameSourceKind::OneFile;
        settings.PauseBetweenGames = 0;
        replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, ini, files, decoder, &log}, 5u);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void UseGame(const std::string& sgf) {
        const fs::path file = dir / "game.sgf";
        std::ofstream(file, std::ios::binary) << sgf;
        settings.DirFileString = file.string();
    }
    void Tick() { delay = replay->Tick(c, width, height); }
    // Ticks until a new game is requested; returns how many ticks that took.
    int TicksUntilNewGameRequested(int limit = 2000) {
        for (int i = 1; i <= limit; ++i) {
            Tick();
            if (replay->NewGameDue()) return i;
        }
        return -1;
    }
    const go::Board& Board() const { return replay->Board(); }
    const GameRecord& Game() const { return replay->Game(); }
};

TEST_F(TickedReplay, InitRequestsANewGameAndPicksABuiltInGame) {
    EXPECT_TRUE(replay->NewGameDue());
    EXPECT_GE(replay->Library().LastBuiltIn(), 1);
    EXPECT_LE(replay->Library().LastBuiltIn(), 6);
}

TEST_F(TickedReplay, NewGameTickDrawsEverythingAndPlaysNothing) {
    UseGame("(;GM[1]SZ[19]PW[White]PB[Black]" + Move(true, 4, 4) + "C[the record's own comment]" +
            Move(false, 16, 16) + ")");
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    EXPECT_EQ(replay->Layout().ScreenWidth, 1024);
    EXPECT_EQ(replay->Layout().ScreenHeight, 768);
    EXPECT_EQ(replay->Layout().CellWidth, 31);
    EXPECT_EQ(Board().MoveNumber(), 1);
    EXPECT_EQ(Game().MoveX[1], 4);
    EXPECT_EQ(Board().At({4, 4}), go::Stone::Empty);
    // The board with its 38 grid lines and nine star points, and no stone.
    EXPECT_GE(c.Count(CanvasOpKind::FillRect), 2u + 38u);
    EXPECT_EQ(c.Count(CanvasOpKind::BlendBitmap), 9u);
    EXPECT_EQ(c.Count(CanvasOpKind::Rectangle), 1u);  // the panel frame
    EXPECT_EQ(FileNamePart(replay->GameFileName()), "game.sgf");
    // The introduction is the comment shown at move 1, titled by its caption; the record keeps
    // its own comment.
    const std::vector<std::string> texts = TextsOf(c);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "About Go"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "Comment:"), texts.end());
    EXPECT_EQ(Game().Comments[1], "the record's own comment");
}

// The panel and the comment box are handed UTF-8 whatever set the file is in: the record is
// decoded once, when its game starts.
TEST_F(TickedReplay, TextsAreShownInUnicodeWhateverSetTheFileIsIn) {
    auto has = [this](const std::string& text) {
        const std::vector<std::string> texts = TextsOf(c);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    // Shift_JIS: 井山 九段, and 評 (95 5D) in the comment of move 2.
    UseGame("(;CA[Shift_JIS]SZ[19]PB[\x88\xe4\x8e\x52]BR[\x8b\xe3\x92\x69]" + Move(true, 4, 4) +
            Move(false, 16, 16) + "C[\x95\x5d(aji)]" + Move(true, 3, 3) + ")");
    Tick();
    EXPECT_TRUE(has(" : \xe4\xba\x95\xe5\xb1\xb1, \xe4\xb9\x9d\xe6\xae\xb5"));
    EXPECT_EQ(Game().Charset, text::Charset::Utf8);
    Tick();
    c.Clear();
    Tick();  // move 2 and its comment
    EXPECT_TRUE(has("\xe8\xa9\x95(aji)"));

    // Undeclared and not UTF-8: the ANSI code page (windows-1252 here); broken UTF-8 shows U+FFFD.
    replay->RequestNewGame();
    UseGame("(;SZ[19]PW[J\xfcrgen]" + Move(true, 4, 4) + ")");
    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : J\xc3\xbcrgen"));
    replay->RequestNewGame();
    UseGame("(;CA[UTF-8]SZ[19]PW[\xe6\x9f\xaf\xe6]" + Move(true, 4, 4) + ")");
    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : \xe6\x9f\xaf\xef\xbf\xbd"));
}

TEST_F(TickedReplay, PauseZeroCountsOneTickThenStartsTheNextGame) {
    UseGame("(;SZ[19]" + Move(true, 4, 4) + Move(false, 16, 16) + Move(true, 16, 4) + ")");
    Tick();
    for (int i = 0; i < 3; ++i) {
        Tick();
        EXPECT_FALSE(replay->NewGameDue());
    }
    EXPECT_EQ(Board().MoveNumber(), 4);
    EXPECT_EQ(Board().At({16, 4}), go::Stone::Black);
    Tick();  // counting tick: 0 - 500 is below 1
    EXPECT_TRUE(replay->NewGameDue());
    EXPECT_EQ(replay->PauseLeft(), -500ms);
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    EXPECT_EQ(Board().MoveNumber(), 1);
    EXPECT_EQ(Board().At({16, 4}), go::Stone::Empty);
}

// A folder too large to list in one step: the first game starts from the first file found, and
// the steps of that game carry the listing on a slice at a time.
TEST_F(TickedReplay, ALargeFolderIsListedBetweenTheStepsOfTheFirstGame) {
    const std::string game = "(;SZ[9]" + Move(true, 3, 3) + Move(false, 7, 7) + Move(true, 3, 7) + ")";
    for (int f = 0; f < 3; ++f) {
        fs::create_directories(dir / ("set" + std::to_string(f)));
        for (int i = 0; i < 1500; ++i) {
            std::ofstream(dir / ("set" + std::to_string(f)) / ("g" + std::to_string(i) + ".sgf"), std::ios::binary)
                << game;
        }
    }
    settings.FileLoadType = GameSourceKind::Folder;
    settings.DirFileString = dir.string();
    Tick();
    EXPECT_FALSE(replay->GameFileName().empty()) << "a built-in game stood in while the folder was listed";
    EXPECT_TRUE(replay->Library().Indexing()) << "the whole folder was listed before the first game";
    // 4,504 entries: a few slices of the steps' budget.
    int steps = 1;
    while (replay->Library().Indexing() && steps < 10) {
        Tick();
        ++steps;
    }
    EXPECT_FALSE(replay->Library().Indexing());
    EXPECT_LE(steps, 5);
    EXPECT_EQ(replay->Library().FolderFilesLeft().size(), 4499u);
    EXPECT_EQ(replay->Board().MoveNumber(), std::min(steps, 4)) << "the steps played the game meanwhile";
}

TEST_F(TickedReplay, BoardOnlyDrawsNoTextOrPanel) {
    UseGame("(;SZ[13]C[intro]" + Move(true, 4, 4) + "C[first]" + Move(false, 10, 10) + "C[second])");
    settings.ShowBoardOnly = true;
    settings.ShowComments = true;
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Board().At({10, 10}), go::Stone::White);
    // The only texts are the coordinates, on the board's surface.
    const BoardLayout& l = replay->Layout();
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind != CanvasOpKind::DrawString) continue;
        EXPECT_GE(op.rect.x1, l.BoardLeft - l.CellWidth) << op.text;
        EXPECT_LE(op.rect.x2, l.BoardLeft + 13 * l.CellWidth) << op.text;
        EXPECT_GE(op.rect.y1, l.BoardTop - l.CellHeight) << op.text;
        EXPECT_LE(op.rect.y2, l.BoardTop + 13 * l.CellHeight) << op.text;
    }
    EXPECT_EQ(c.Count(CanvasOpKind::DrawString), 4u * 13u);
    EXPECT_EQ(c.Count(CanvasOpKind::Rectangle), 0u);
    EXPECT_EQ(replay->Layout().CellWidth, Layout1024BoardOnly13().CellWidth);

    // Without coordinates there is no text at all, and nothing is measured.
    settings.ShowCoordinates = false;
    replay->RequestNewGame();
    c.Clear();
    Tick();
    Tick();
    EXPECT_EQ(c.Count(CanvasOpKind::DrawString), 0u);
    EXPECT_EQ(c.MeasureCount(), 0u);
}

TEST_F(TickedReplay, FivePausingSecondsAtOneSecondTakeFiveCountingTicks) {
    UseGame("(;SZ[19]" + Move(true, 4, 4) + Move(false, 16, 16) + ")");
    settings.PauseBetweenGames = 5;
    settings.Speed = 7;  // one second a move
    Tick();
    EXPECT_EQ(replay->PauseLeft(), std::chrono::milliseconds(5000));
    Tick();
    Tick();
    for (int expected : {4000, 3000, 2000, 1000}) {
        Tick();
        EXPECT_EQ(replay->PauseLeft(), std::chrono::milliseconds(expected));
        EXPECT_FALSE(replay->NewGameDue());
    }
    Tick();
    EXPECT_EQ(replay->PauseLeft(), std::chrono::milliseconds(0));
    EXPECT_TRUE(replay->NewGameDue());
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    EXPECT_EQ(replay->PauseLeft(), std::chrono::milliseconds(5000));

    // At 30000 ms the first counting tick ends the pause.
    settings.Speed = 17;
    EXPECT_EQ(TicksUntilNewGameRequested(), 3);
}

TEST_F(TickedReplay, GameWithoutMovesCountsAtOnce) {
    UseGame("(;GM[1]SZ[9]PB[Nobody])");
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    EXPECT_EQ(Game().MoveX[1], 0);
    EXPECT_EQ(TicksUntilNewGameRequested(), 1);
}

TEST_F(TickedReplay, ExactlyEightHundredEntriesThenGameOver) {
    std::string sgf = "(;SZ[19]";
    int entries = 0;
    // Twenty stones apart from each other, then passes up to slot 800.
    for (int i = 1; i <= 10; ++i, entries += 2) sgf += Move(true, i, 1) + Move(false, i, 5);
    while (entries < 800) {
        sgf += (entries % 2 == 0) ? ";B[tt]" : ";W[tt]";
        ++entries;
    }
    UseGame(sgf + ")");
    Tick();
    ASSERT_EQ(MoveListLength(Game()), 800);
    for (int i = 1; i <= 800; ++i) {
        Tick();
        ASSERT_FALSE(replay->NewGameDue()) << "tick " << i;
    }
    EXPECT_EQ(Board().MoveNumber(), 801);
    EXPECT_EQ(Board().At({10, 5}), go::Stone::White);
    Tick();
    EXPECT_TRUE(replay->NewGameDue());
}

TEST_F(TickedReplay, IllegalMoveStartsTheNextGameWithoutPause) {
    UseGame("(;SZ[19]" + Move(true, 3, 3) + Move(false, 3, 3) + Move(true, 5, 5) + ")");
    settings.PauseBetweenGames = 300;
    Tick();
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    Tick();  // white on the black stone
    EXPECT_TRUE(replay->NewGameDue());
    EXPECT_EQ(replay->PauseLeft(), std::chrono::milliseconds(300000));
    EXPECT_EQ(Board().MoveNumber(), 2);
    EXPECT_EQ(log.Count("Illegal move: x=3 y=3 move=2 file=" + settings.DirFileString), 1);
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    EXPECT_EQ(Board().MoveNumber(), 1);
    EXPECT_EQ(Board().At({3, 3}), go::Stone::Empty);
}

TEST_F(TickedReplay, GameBegunByWhiteIsPlayedInItsColours) {
    UseGame("(;SZ[19]" + Move(false, 4, 4) + Move(true, 16, 16) + ")");
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Board().At({4, 4}), go::Stone::White);
    EXPECT_EQ(Board().At({16, 16}), go::Stone::Black);
}

TEST_F(TickedReplay, HandicapStonesAreDrawnOnTheNewGameTick) {
    UseGame("(;SZ[19]HA[2]AB[pd][dp]" + Move(false, 10, 10) + ")");
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    EXPECT_EQ(Board().At({16, 4}), go::Stone::Black);
    EXPECT_EQ(Board().At({4, 16}), go::Stone::Black);
    EXPECT_EQ(Board().ToMove(), go::Stone::White);
    // Nine star points, two stones and the last one's marker.
    EXPECT_GE(c.Count(CanvasOpKind::BlendBitmap), 9u + 3u);
    EXPECT_EQ(replay->LastMove(), (go::Point{4, 16}));
}

// The cell of point (x, y): the area DrawEmptyPoint restores.
Rect Cell(const BoardLayout& l, int x, int y) {
    const int px = l.BoardLeft + (x - 1) * l.CellWidth, py = l.BoardTop + (y - 1) * l.CellHeight;
    const int hx = (l.CellWidth + 1) / 2 + 2, hy = (l.CellHeight + 1) / 2 + 2;
    return {px - hx, py - hy, px + hx, py + hy};
}

// The two lines under the move line: the captures and whose turn it is.
Rect StateLines(const BoardLayout& l) {
    const int h = l.MoveBoxBottom - l.MoveBoxTop;
    return {l.InfoLeft, l.MoveBoxBottom, l.MoveBoxRight, l.MoveBoxBottom + 2 * h};
}

// Every painting call of the last tick lies inside one of `areas`; returns their number.
std::size_t PaintingCallsInside(const RecordingCanvas& c, const std::vector<Rect>& areas) {
    std::size_t n = 0;
    for (const CanvasOp& op : c.Ops()) {
        if (!IsDrawing(op.kind)) continue;
        ++n;
        const Rect a = PaintedArea(op);
        bool inside = false;
        for (const Rect& r : areas) inside = inside || Inside(a, r);
        EXPECT_TRUE(inside) << "call " << static_cast<int>(op.kind) << " at " << a.x1 << "," << a.y1 << ".."
                            << a.x2 << "," << a.y2;
    }
    return n;
}

TEST_F(TickedReplay, MoveTickDrawsOneCellAndTheCounterLine) {
    // Black takes the white corner stone with its third move.
    UseGame("(;SZ[19]" + Move(true, 2, 1) + Move(false, 1, 1) + Move(true, 1, 2) + Move(false, 10, 10) + ")");
    width = 1920;
    height = 1080;
    settings.UseBitmap[geBoard] = true;
    pictures[geBoard] = std::make_unique<RecordingBitmap>(64, 64, false);
    Tick();
    const BoardLayout& l = replay->Layout();
    const Rect moveBox{l.MoveBoxLeft, l.MoveBoxTop, l.MoveBoxRight, l.MoveBoxBottom};
    // The captures and whose turn it is, in the two lines under the move line.
    const Rect state = StateLines(l);
    for (int move = 1; move <= 4; ++move) {
        c.Clear();
        Tick();
        std::vector<Rect> areas{moveBox, state, Cell(l, 2, 1), Cell(l, 1, 1), Cell(l, 1, 2), Cell(l, 10, 10)};
        const std::size_t n = PaintingCallsInside(c, areas);
        EXPECT_GE(n, 3u);
        // A few blits and bands per point: the new stone, the one that loses the marker, any
        // capture, the counter, and the captures and turn lines.
        EXPECT_LE(n, 18u) << "move " << move;
        // Texture is repainted cell by cell from the tiling, never the whole board again.
        EXPECT_EQ(c.Count(CanvasOpKind::DrawBitmap), 0u);
    }
    // Move 3 captured the white stone: its point was restored.
    EXPECT_EQ(Board().At({1, 1}), go::Stone::Empty);

    // With comments shown, the comment box is redrawn too, and nothing else.
    settings.ShowComments = true;
    UseGame("(;SZ[19]" + Move(true, 4, 4) + "C[a comment on the first move]" + Move(false, 5, 5) +
            "C[and one on the second]" + ")");
    replay->RequestNewGame();
    Tick();
    ASSERT_TRUE(Game().HasComments);
    const Rect panelInside{l.PanelLeft + 1, l.PanelTop + 1, l.PanelRight - 1, l.PanelBottom - 1};
    for (int move = 1; move <= 2; ++move) {
        c.Clear();
        Tick();
        const std::size_t n = PaintingCallsInside(c, {moveBox, state, Cell(l, 4, 4), Cell(l, 5, 5), panelInside});
        // Move 1 shows the introduction: its lines are as many as the box holds.
        std::size_t commentLines = 0;
        for (const CanvasOp& op : OpsOf(c, CanvasOpKind::DrawString)) commentLines += Inside(PaintedArea(op), panelInside);
        EXPECT_LE(n - commentLines, 18u);
        EXPECT_LE(commentLines, static_cast<std::size_t>((l.PanelBottom - l.PanelTop) / RecordingCanvas::TextHeight(15)));
    }
    EXPECT_FALSE(OpsOf(c, CanvasOpKind::DrawString).empty());
}

// A pass counts like a stone: the counter says who passed, its comment is shown, and the stone
// before it loses the marker. After the last entry the counter says the game is over.
TEST_F(TickedReplay, PassesAndTheEndAreShownOnTheCounterLine) {
    settings.ShowComments = true;
    settings.PauseBetweenGames = 2;
    UseGame("(;SZ[19]RE[B+R]" + Move(true, 4, 4) + ";W[tt]C[White tenukis to think]" + Move(true, 5, 5) +
            ";W[]C[White gives up])");
    Tick();
    Tick();
    const BoardLayout& l = replay->Layout();
    const Rect moveBox{l.MoveBoxLeft, l.MoveBoxTop, l.MoveBoxRight, l.MoveBoxBottom};
    auto has = [&](const std::string& t) {
        const std::vector<std::string> texts = TextsOf(c);
        return std::find(texts.begin(), texts.end(), t) != texts.end();
    };
    c.Clear();
    Tick();
    EXPECT_EQ(Board().MoveNumber(), 3);
    EXPECT_EQ(Board().ToMove(), go::Stone::Black);
    EXPECT_TRUE(has(" : 2, White passes"));
    EXPECT_TRUE(has("White tenukis to think"));
    // The old marker, the counter and the comment box; the board gets no new stone.
    EXPECT_GE(PaintingCallsInside(c, {moveBox, StateLines(l), Cell(l, 4, 4),
                                      {l.PanelLeft, l.PanelTop, l.PanelRight, l.PanelBottom}}),
              3u);
    EXPECT_TRUE(has("Black to play"));
    EXPECT_EQ(replay->LastMove(), go::kNoPoint);

    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : 3, E15"));
    EXPECT_EQ(replay->LastMove(), (go::Point{5, 5}));
    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : 4, White passes"));
    EXPECT_TRUE(has("White gives up"));

    // The first tick of the pause, and only that one, draws the end.
    c.Clear();
    Tick();
    EXPECT_FALSE(replay->NewGameDue());
    EXPECT_EQ(TextsOf(c), std::vector<std::string>{" : 4, Game over: B+R"});
    c.Clear();
    Tick();
    EXPECT_TRUE(TextsOf(c).empty());
}

// The comment before the first move is the game's own introduction: it is shown on the new-game
// tick, over the setup stones, titled like any comment, and stays with move 1 unless move 1 has
// a comment of its own. A game without one, or with comments off, shows "About Go".
TEST_F(TickedReplay, TheGamesIntroductionIsShownBeforeTheFirstMove) {
    const auto has = [this](const std::string& text) {
        const std::vector<std::string> texts = TextsOf(c);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    UseGame("(;SZ[19]AB[dd][pp]C[Opening remarks]" + Move(false, 16, 4) + "C[first move comment]" +
            Move(true, 4, 16) + ")");
    Tick();
    ASSERT_TRUE(Game().HasComments);
    EXPECT_EQ(Board().MoveNumber(), 1);
    EXPECT_EQ(Board().At({4, 4}), go::Stone::Black);
    EXPECT_TRUE(has("Opening remarks"));
    EXPECT_TRUE(has("Comment:"));
    EXPECT_FALSE(has("About Go"));
    EXPECT_FALSE(has("first move comment"));
    // The last comment drawn, after the setup stones, is still the introduction; the captures
    // and whose turn it is come after it.
    std::vector<std::string> texts = TextsOf(c);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[texts.size() - 1], "White to play");
    EXPECT_EQ(texts[texts.size() - 2], " : Black 0, White 0");
    EXPECT_EQ(texts[texts.size() - 3], "Opening remarks");
    c.Clear();
    Tick();
    EXPECT_EQ(Board().At({16, 4}), go::Stone::White);
    EXPECT_TRUE(has("first move comment"));
    EXPECT_TRUE(has("Comment:"));
    EXPECT_FALSE(has("Opening remarks"));
    c.Clear();
    Tick();
    EXPECT_FALSE(has("first move comment"));
    EXPECT_EQ(c.Count(CanvasOpKind::DrawString), 3u);  // the move counter, captures and turn only

    // Move 1 without a comment of its own keeps the introduction on the screen.
    UseGame("(;SZ[19]C[Opening remarks]" + Move(true, 4, 4) + Move(false, 16, 16) + "C[second])");
    replay->RequestNewGame();
    Tick();
    c.Clear();
    Tick();
    EXPECT_TRUE(has("Opening remarks"));
    c.Clear();
    Tick();
    EXPECT_TRUE(has("second"));
    EXPECT_FALSE(has("Opening remarks"));

    // With comments off, the introduction is a comment like the others: "About Go" stays.
    settings.ShowComments = false;
    replay->RequestNewGame();
    c.Clear();
    Tick();
    EXPECT_TRUE(has("About Go"));
    EXPECT_FALSE(has("Opening remarks"));
    EXPECT_FALSE(has("Comment:"));

    // A game without one: "About Go", titled by its caption, then move 1's own comment.
    settings.ShowComments = true;
    UseGame("(;SZ[19]" + Move(true, 4, 4) + "C[first move comment]" + Move(false, 16, 16) + ")");
    replay->RequestNewGame();
    c.Clear();
    Tick();
    EXPECT_TRUE(has("About Go"));
    EXPECT_FALSE(has("Comment:"));
    c.Clear();
    Tick();
    EXPECT_TRUE(has("first move comment"));
    EXPECT_TRUE(has("Comment:"));
    EXPECT_FALSE(has("About Go"));
}

TEST_F(TickedReplay, DegenerateWindowsAreReplayedWithoutFault) {
    settings.FileLoadType = GameSourceKind::BuiltIn;  // the built-in games
    for (auto [w, h] : {std::pair{1, 1}, std::pair{0, 0}, std::pair{10000, 10000}, std::pair{152, 112}}) {
        for (bool boardOnly : {false, true}) {
            settings.ShowBoardOnly = boardOnly;
            replay->RequestNewGame();
            width = w;
            height = h;
            c.Clear();
            c.SetRecording(w < 10000);  // keep memory small at the largest size
            for (int i = 0; i < 40; ++i) Tick();
            EXPECT_GT(c.CallCount(), 0u);
            EXPECT_EQ(replay->Layout().ScreenWidth, w);
        }
    }
}

// Every tick asks for the move interval of the current speed: the new-game tick, a stone, a
// pass and each tick of the pause alike.
TEST_F(TickedReplay, EveryTickAsksForTheMoveIntervalOfTheSpeed) {
    UseGame("(;SZ[19]" + Move(true, 4, 4) + ";W[tt]" + Move(true, 5, 5) + ")");
    settings.PauseBetweenGames = 2;
    for (const int speed : {0, 5, 17, 200}) {
        settings.Speed = static_cast<uint8_t>(speed);
        const std::chrono::milliseconds expected(SpeedIntervals[static_cast<std::size_t>(std::min(speed, 17))]);
        replay->RequestNewGame();
        int ticks = 0;
        do {
            Tick();
            EXPECT_EQ(delay, expected) << "speed " << speed << ", tick " << ticks;
        } while (++ticks < 100 && !replay->NewGameDue());
        EXPECT_GT(ticks, 3) << "speed " << speed;
    }
    EXPECT_EQ(MoveInterval(settings), 30000ms);
}

// The pause is counted down by the delays the replay itself asked for: with a pause of 5 s at
// 2 s a move the host waits three delays after the last move before the counting is done, and a
// fourth until the tick that draws the next game, as the screen has always shown it.
TEST_F(TickedReplay, ThePauseIsCountedInTheDelaysTheReplayAskedFor) {
    UseGame("(;SZ[19]" + Move(true, 4, 4) + ")");
    settings.PauseBetweenGames = 5;
    settings.Speed = 8;  // two seconds a move
    Tick();
    Tick();
    ASSERT_EQ(Board().MoveNumber(), 2);
    std::chrono::milliseconds waited = delay;
    std::vector<std::chrono::milliseconds> left;
    while (!replay->NewGameDue()) {
        c.Clear();
        Tick();
        // The first counting tick says the game is over; the others draw nothing.
        if (left.empty()) {
            EXPECT_EQ(TextsOf(c), std::vector<std::string>{" : 1, Game over"});
        } else {
            EXPECT_TRUE(c.Ops().empty()) << "a counting tick draws nothing";
        }
        left.push_back(replay->PauseLeft());
        if (!replay->NewGameDue()) waited += delay;
    }
    EXPECT_EQ(left, (std::vector<std::chrono::milliseconds>{3000ms, 1000ms, -1000ms}));
    waited += delay;
    EXPECT_EQ(waited, 8000ms) << "from the last move to the tick that draws the next game";
    Tick();
    EXPECT_EQ(Board().MoveNumber(), 1);
    EXPECT_EQ(replay->PauseLeft(), 5000ms);
}

// In board-only mode the panel has no place: neither the new game nor a move with its comment
// draws a line of text, the frame or the move counter, or measures any text.
TEST_F(TickedReplay, BoardOnlyDrawsNoneOfThePanel) {
    UseGame("(;SZ[19]C[intro]" + Move(true, 4, 4) + "C[first]" + Move(false, 5, 5) + "C[second]" +
            Move(true, 6, 6) + "C[third])");
    settings.ShowBoardOnly = true;
    settings.ShowComments = true;
    settings.ShowCoordinates = false;  // the board's own texts; BoardOnlyDrawsNoTextOrPanel has them
    for (int i = 0; i < 5; ++i) Tick();
    ASSERT_EQ(Board().MoveNumber(), 4);
    ASSERT_TRUE(Game().HasComments);
    EXPECT_EQ(c.Count(CanvasOpKind::DrawString), 0u);
    EXPECT_EQ(c.Count(CanvasOpKind::Rectangle), 0u);
    EXPECT_EQ(c.Count(CanvasOpKind::SetFont), 0u);
    EXPECT_EQ(c.MeasureCount(), 0u);
}

// The introduction is read from the language file when it is first shown, and only then: never
// in board-only mode, once for any number of games with the panel.
TEST(ReplayIntroduction, IsReadFromTheLanguageFileOnFirstNeed) {
    class CountingIni final : public IniFile {
    public:
        mutable int captionReads = 0;
        std::string ReadString(std::string_view, std::string_view key, std::string_view def) const override {
            if (key == kAboutGoCaptionKey) ++captionReads;
            return key == kAboutGoCaptionKey ? std::string("Over Go") : std::string(def);
        }
    };
    ReplaySettings settings;
    settings.PauseBetweenGames = 0;
    settings.ShowBoardOnly = true;
    BoardPictures pictures;
    LanguageTable language;
    CountingIni ini;
    NativeFileSystem files;
    NativeTextDecoder decoder;
    Replay replay(ReplaySources{settings, pictures, language, ini, files, decoder}, 3u);
    RecordingCanvas c;
    for (int game = 0; game < 2; ++game) {
        replay.RequestNewGame();
        for (int i = 0; i < 5; ++i) replay.Tick(c, 800, 600);
    }
    EXPECT_EQ(ini.captionReads, 0);
    settings.ShowBoardOnly = false;
    for (int game = 0; game < 3; ++game) {
        replay.RequestNewGame();
        c.Clear();
        replay.Tick(c, 800, 600);
        const std::vector<std::string> texts = TextsOf(c);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Over Go"), texts.end()) << "game " << game;
    }
    EXPECT_EQ(ini.captionReads, 1);
}

}  // namespace
}  // namespace senvola

namespace senvola {
namespace {

// The colour (0xRRGGBB) in the middle of a blended picture, as the recording canvas kept it.
uint32_t CentreColour(const CanvasOp& op) {
    const auto* b = dynamic_cast<const RecordingAlphaBitmap*>(op.bitmap);
    if (b == nullptr) return 0xFFFFFFFFu;
    return b->At(b->Width() / 2, b->Height() / 2) & 0xFFFFFFu;
}

// Grid point whose pixel is (cx, cy), or (0, 0).
std::pair<int, int> PointAt(const BoardLayout& l, int cx, int cy) {
    const int dx = cx - l.BoardLeft, dy = cy - l.BoardTop;
    if (dx % l.CellWidth != 0 || dy % l.CellHeight != 0) return {0, 0};
    return {dx / l.CellWidth + 1, dy / l.CellHeight + 1};
}

// Every built-in game replayed through the tick: what each move draws matches the position the
// rules leave: the marker on the move just played, stones in the mover's colour, and restored
// points empty.
TEST_F(TickedReplay, DrawingFollowsThePositionThroughTheBuiltInGames) {
    settings.FileLoadType = GameSourceKind::BuiltIn;
    settings.ShowComments = true;
    width = 1280;
    height = 1024;
    int restored = 0;
    for (int game = 0; game < 6; ++game) {
        replay->RequestNewGame();
        Tick();
        const BoardLayout& l = replay->Layout();
        const int n = Game().BoardSize;
        int moves = 0;
        while (!replay->NewGameDue()) {
            const int number = Board().MoveNumber();
            if (number > kMaxMoves || Game().MoveX[static_cast<std::size_t>(number)] == 0) break;
            const int x = Game().MoveX[static_cast<std::size_t>(number)];
            const int y = Game().MoveY[static_cast<std::size_t>(number)];
            const bool black = Board().ToMove() == go::Stone::Black;
            c.Clear();
            Tick();
            if (x == kPassCoord || replay->NewGameDue()) continue;
            ++moves;
            const auto blends = OpsOf(c, CanvasOpKind::BlendBitmap);
            ASSERT_GE(blends.size(), 2u);
            // The marker is the one red picture; the stone it sits on is drawn just before it.
            std::size_t m = 0;
            for (std::size_t i = 1; i < blends.size(); ++i)
                if (CentreColour(blends[i]) == 0xDC2E2Eu) m = i;
            ASSERT_GT(m, 0u);
            const CanvasOp& marker = blends[m];
            const CanvasOp& stone = blends[m - 1];
            EXPECT_EQ(PointAt(l, (marker.rect.x1 + marker.rect.x2) / 2, (marker.rect.y1 + marker.rect.y2) / 2),
                      (std::pair<int, int>{x, y}));
            // A black stone is dark in the middle, a white one light.
            EXPECT_EQ(((CentreColour(stone) >> 8) & 0xFF) < 0x80, black);
            EXPECT_EQ(Board().At({x, y}), black ? go::Stone::Black : go::Stone::White);
            // Points cleaned under a stone drawn this tick hold that stone.
            std::vector<std::pair<int, int>> stones;
            for (const CanvasOp& op : blends) {
                if (op.rect.x2 - op.rect.x1 == l.CellWidth)
                    stones.push_back(PointAt(l, op.rect.x1 + l.CellWidth / 2, op.rect.y1 + l.CellWidth / 2));
            }
            for (const CanvasOp& op : OpsOf(c, CanvasOpKind::FillRect)) {
                if (op.brush.colour != settings.Color[geBoard]) continue;
                if (std::find(stones.begin(), stones.end(),
                              PointAt(l, op.rect.x1 + l.CellWidth / 2, op.rect.y1 + l.CellWidth / 2)) != stones.end())
                    continue;
                // A restored point: its cell is centred on an empty point of the board.
                const Rect a = op.rect;
                bool found = false;
                for (int px = 1; px <= n && !found; ++px) {
                    for (int py = 1; py <= n && !found; ++py) {
                        const int cx = l.BoardLeft + (px - 1) * l.CellWidth, cy = l.BoardTop + (py - 1) * l.CellHeight;
                        if (cx > a.x1 && cx < a.x2 && cy > a.y1 && cy < a.y2 && a.x2 - a.x1 <= l.CellWidth + 3) {
                            found = true;
                            ++restored;
                            EXPECT_EQ(Board().At({px, py}), go::Stone::Empty) << px << "," << py;
                        }
                    }
                }
                EXPECT_TRUE(found);
            }
        }
        EXPECT_GT(moves, 50) << "game " << game;
    }
    EXPECT_GT(restored, 20);  // the games take stones
}

// A tick that shows a comment of the record asks for the interval plus 60 ms a character (code
// points, line breaks left out), at most 20 s and never less than the interval; every other tick
// asks for the interval. "About Go" and the introduction shown again at move 1 get no extra time.
TEST_F(TickedReplay, CommentsGetTimeToBeRead) {
    const std::string intro(50, 'i');
    std::string accented;
    for (int k = 0; k < 10; ++k) accented += "\xC3\xA9";  // é, two bytes each
    UseGame("(;SZ[19]C[" + intro + "]" + Move(true, 4, 4) + "C[" + accented + "\r\nabc]" + Move(false, 5, 5) +
            ";B[]C[Black passes to think]" + Move(false, 6, 6) + "C[" + std::string(1000, 'x') + "])");
    auto schedule = [&](int ticks) {
        std::vector<std::chrono::milliseconds> out;
        for (int i = 0; i < ticks; ++i) {
            Tick();
            out.push_back(delay);
        }
        return out;
    };
    // New game (intro), move 1 (13 characters), move 2 (none), the pass (21), move 4 (capped),
    // the end.
    EXPECT_EQ(schedule(6), (std::vector<std::chrono::milliseconds>{3500ms, 1280ms, 500ms, 1760ms, 20000ms, 500ms}));

    // A slow speed is never shortened.
    settings.Speed = 17;
    replay->RequestNewGame();
    EXPECT_EQ(schedule(2), (std::vector<std::chrono::milliseconds>{30000ms, 30000ms}));
    settings.Speed = 5;

    // The option off, and the comments off, give every tick the interval.
    for (const bool readingTime : {false, true}) {
        settings.CommentReadingTime = readingTime;
        settings.ShowComments = !readingTime;
        replay->RequestNewGame();
        for (const auto d : schedule(6)) EXPECT_EQ(d, 500ms) << readingTime;
    }
    settings.CommentReadingTime = true;
    settings.ShowComments = true;

    // "About Go" is not the record's; the introduction is read once, before move 1.
    UseGame("(;SZ[19]" + Move(true, 4, 4) + Move(false, 5, 5) + ")");
    replay->RequestNewGame();
    EXPECT_EQ(schedule(2), (std::vector<std::chrono::milliseconds>{500ms, 500ms}));
    UseGame("(;SZ[19]C[0123456789]" + Move(true, 4, 4) + Move(false, 5, 5) + ")");
    replay->RequestNewGame();
    EXPECT_EQ(schedule(3), (std::vector<std::chrono::milliseconds>{1100ms, 500ms, 500ms}));

    EXPECT_EQ(ReadingDelay(500ms, static_cast<std::size_t>(-1)), 20000ms);
    EXPECT_EQ(ReadableChars("a\r\n\xE7\x9B\xA4\xF0\x9F\x98\x80"), 3u);
}

// The pause is counted in intervals: a long comment on the last move does not eat the pause
// after "Game over".
TEST_F(TickedReplay, ReadingTimeLeavesThePauseWhole) {
    settings.PauseBetweenGames = 2;
    UseGame("(;SZ[19]" + Move(true, 4, 4) + "C[" + std::string(400, 'x') + "])");
    Tick();
    Tick();
    EXPECT_EQ(delay, 20000ms);
    int pauseTicks = 0;
    do {
        Tick();
        ++pauseTicks;
    } while (!replay->NewGameDue());
    EXPECT_EQ(pauseTicks, 4);  // 2 s in ticks of 500 ms
}

// The result is left off the panel until the game is over, unless asked for from the start.
TEST_F(TickedReplay, TheResultWaitsForTheEnd) {
    const auto has = [this](const std::string& text) {
        const std::vector<std::string> texts = TextsOf(c);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    UseGame("(;SZ[19]RE[W+R]" + Move(true, 4, 4) + ")");
    Tick();
    EXPECT_FALSE(has("Result"));
    EXPECT_FALSE(has(" : W+R"));
    Tick();
    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : 1, Game over: W+R"));

    settings.ShowResultFromStart = true;
    replay->RequestNewGame();
    c.Clear();
    Tick();
    EXPECT_TRUE(has("Result"));
    EXPECT_TRUE(has(" : W+R"));
}

// Under the move line: the stones each side has taken and whose turn it is, after every move;
// on the move line the point of the move as the board's coordinates name it.
TEST_F(TickedReplay, CapturesTurnAndPointFollowTheMoves) {
    const auto has = [this](const std::string& text) {
        const std::vector<std::string> texts = TextsOf(c);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    // Black takes the white corner stone with its second move; White passes.
    UseGame("(;SZ[19]" + Move(true, 2, 1) + Move(false, 1, 1) + Move(true, 1, 2) + ";W[]" + Move(true, 10, 10) + ")");
    Tick();
    EXPECT_TRUE(has(" : Black 0, White 0"));
    EXPECT_TRUE(has("Black to play"));
    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : 1, B19"));
    EXPECT_TRUE(has("White to play"));
    Tick();
    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : 3, A18"));
    EXPECT_TRUE(has(" : Black 1, White 0"));
    EXPECT_TRUE(has("White to play"));
    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : 4, White passes"));
    EXPECT_TRUE(has("Black to play"));
    EXPECT_EQ(replay->LastMove(), go::kNoPoint);

    // Translated words that do not fit end with "…" inside the panel.
    language.PanelLabel[plBlack] = std::string(200, 'B');
    language.WhiteToPlay = std::string(200, 'W');
    replay->RequestNewGame();
    c.Clear();
    Tick();
    c.Clear();
    Tick();
    const BoardLayout& l = replay->Layout();
    int shortened = 0;
    for (const CanvasOp& op : OpsOf(c, CanvasOpKind::DrawString)) {
        if (op.text.size() < 3 || op.text.substr(op.text.size() - 3) != "\xE2\x80\xA6") continue;
        ++shortened;
        EXPECT_LE(op.rect.x2, l.PanelRight) << op.text;
    }
    EXPECT_EQ(shortened, 2);
}

// The record's marks of a move are drawn with it, in the colour opposite to what lies under
// them, and taken off when the next move comes: the point is drawn again as it stands.
TEST_F(TickedReplay, MarksAreDrawnWithTheirMoveAndTakenOffAfter) {
    UseGame("(;SZ[19]" + Move(true, 4, 4) + "TR[dd]LB[pp:A]SQ[qq]C[see A]" + Move(false, 10, 10) + Move(true, 3, 3) +
            ")");
    Tick();
    const BoardLayout& l = replay->Layout();
    auto opsIn = [&](const Rect& cell, CanvasOpKind kind) {
        std::vector<CanvasOp> out;
        for (const CanvasOp& op : OpsOf(c, kind)) {
            if (Inside(PaintedArea(op), cell)) out.push_back(op);
        }
        return out;
    };
    c.Clear();
    Tick();
    const std::vector<CanvasOp> triangle = opsIn(Cell(l, 4, 4), CanvasOpKind::Line);
    ASSERT_GE(triangle.size(), 3u);
    for (const CanvasOp& op : triangle) EXPECT_EQ(op.pen.colour, 0xFFFFFFu) << "white on the black stone";
    const std::vector<CanvasOp> label = opsIn(Cell(l, 16, 16), CanvasOpKind::DrawString);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].text, "A");
    EXPECT_EQ(label[0].font.colour, 0x000000u) << "black on the light wood board";
    EXPECT_LE(label[0].rect.y2 - label[0].rect.y1, l.CellHeight);
    const std::vector<CanvasOp> square = opsIn(Cell(l, 17, 17), CanvasOpKind::Rectangle);
    ASSERT_FALSE(square.empty());
    EXPECT_FALSE(square[0].brush.solid) << "an outline only";

    // A dark board takes white marks; a white stone keeps black ones.
    const BoardPictures noPictures;
    BoardSprites sprites;
    ReplaySettings dark;
    dark.Color[geBoard] = 0x004080;
    EXPECT_EQ(MarkColour(go::Stone::Empty, BoardLook{dark, noPictures, sprites}), 0xFFFFFFu);
    EXPECT_EQ(MarkColour(go::Stone::White, BoardLook{dark, noPictures, sprites}), 0x000000u);

    // The next move takes them off: the stone is drawn again, the empty points are restored.
    c.Clear();
    Tick();
    EXPECT_FALSE(opsIn(Cell(l, 4, 4), CanvasOpKind::BlendBitmap).empty());
    EXPECT_FALSE(opsIn(Cell(l, 16, 16), CanvasOpKind::FillRect).empty());
    EXPECT_FALSE(opsIn(Cell(l, 17, 17), CanvasOpKind::FillRect).empty());
    EXPECT_TRUE(opsIn(Cell(l, 16, 16), CanvasOpKind::DrawString).empty());
    c.Clear();
    Tick();
    EXPECT_TRUE(opsIn(Cell(l, 16, 16), CanvasOpKind::FillRect).empty()) << "taken off once";

    // With comments off the marks, which explain them, are not drawn.
    settings.ShowComments = false;
    replay->RequestNewGame();
    Tick();
    c.Clear();
    Tick();
    EXPECT_TRUE(opsIn(Cell(l, 16, 16), CanvasOpKind::DrawString).empty());
    EXPECT_TRUE(opsIn(Cell(l, 4, 4), CanvasOpKind::Line).empty());
}

// Setup during the game is played with the move before it: only the points it changes are
// drawn again, a stone it takes off or replaces loses the last-move marker, a stone it leaves
// without liberties is taken off without counting as a capture, and the turn stays.
TEST_F(TickedReplay, SetupDuringTheGameChangesOnlyItsPoints) {
    const auto has = [this](const std::string& text) {
        const std::vector<std::string> texts = TextsOf(c);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    UseGame("(;SZ[19]" + Move(true, 4, 4) + Move(false, 16, 16) + ";AE[dd]AB[pp][qq][ss]AW[ss]" + Move(true, 1, 1) +
            Move(false, 4, 3) + "AW[ba][ab]" + Move(true, 10, 10) + ")");
    Tick();
    Tick();
    const BoardLayout& l = replay->Layout();
    const Rect moveBox{l.MoveBoxLeft, l.MoveBoxTop, l.MoveBoxRight, l.MoveBoxBottom};
    const Rect state = StateLines(l);
    auto drawnIn = [&](const Rect& cell, CanvasOpKind kind) {
        for (const CanvasOp& op : OpsOf(c, kind)) {
            if (Inside(PaintedArea(op), cell)) return true;
        }
        return false;
    };

    c.Clear();
    Tick();  // W P4, then D16 emptied, P4 turned black, Q3 added, S1 set black and then white
    EXPECT_EQ(Board().At({4, 4}), go::Stone::Empty);
    EXPECT_EQ(Board().At({16, 16}), go::Stone::Black);
    EXPECT_EQ(Board().At({17, 17}), go::Stone::Black);
    EXPECT_EQ(Board().At({19, 19}), go::Stone::White);
    EXPECT_EQ(replay->LastMove(), go::kNoPoint) << "the move's stone was replaced";
    EXPECT_EQ(Board().ToMove(), go::Stone::Black);
    EXPECT_EQ(Board().MoveNumber(), 3);
    PaintingCallsInside(c, {moveBox, state, Cell(l, 4, 4), Cell(l, 16, 16), Cell(l, 17, 17), Cell(l, 19, 19)});
    EXPECT_TRUE(drawnIn(Cell(l, 4, 4), CanvasOpKind::FillRect));
    EXPECT_TRUE(drawnIn(Cell(l, 17, 17), CanvasOpKind::BlendBitmap));
    EXPECT_TRUE(drawnIn(Cell(l, 19, 19), CanvasOpKind::BlendBitmap));

    Tick();
    c.Clear();
    Tick();  // W D3, then the black corner stone is closed in by setup stones
    EXPECT_EQ(Board().At({1, 1}), go::Stone::Empty);
    EXPECT_EQ(Board().At({2, 1}), go::Stone::White);
    EXPECT_EQ(Board().At({1, 2}), go::Stone::White);
    EXPECT_EQ(replay->LastMove(), (go::Point{4, 3})) << "the move's own stone keeps the marker";
    EXPECT_EQ(Board().ToMove(), go::Stone::Black);
    EXPECT_TRUE(has(" : Black 0, White 0"));
    PaintingCallsInside(c, {moveBox, state, Cell(l, 4, 3), Cell(l, 1, 1), Cell(l, 2, 1), Cell(l, 1, 2)});
    EXPECT_TRUE(drawnIn(Cell(l, 1, 1), CanvasOpKind::FillRect));

    // The game goes on to its end.
    EXPECT_EQ(TicksUntilNewGameRequested(), 2);
    EXPECT_EQ(Board().At({10, 10}), go::Stone::Black);
    EXPECT_TRUE(log.messages.empty());
}

// A window whose contents were lost, or whose size a change of the display altered, gets the
// position, the panel and the comment of the last step again, laid out for its new size; the
// game goes on from there.
TEST_F(TickedReplay, RedrawShowsTheLastStepAgainAtTheWindowsSize) {
    settings.ShowComments = true;
    settings.PauseBetweenGames = 2;
    replay->Redraw(c, width, height);
    EXPECT_EQ(c.DrawingCount(), 0u) << "nothing to show before the first game";
    const auto has = [this](const std::string& text) {
        const std::vector<std::string> texts = TextsOf(c);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    UseGame("(;SZ[19]RE[B+R]" + Move(true, 2, 1) + Move(false, 1, 1) + Move(true, 1, 2) + "C[Black takes the corner];W[])");
    for (int i = 0; i < 4; ++i) Tick();  // the new game and three moves

    c.Clear();
    replay->Redraw(c, 1000, 1400);  // a monitor turned upright: the panel goes below the board
    const BoardLayout& l = replay->Layout();
    EXPECT_EQ(l.ScreenWidth, 1000);
    EXPECT_EQ(l.ScreenHeight, 1400);
    EXPECT_TRUE(l.Portrait);
    EXPECT_TRUE(has(" : 3, A18"));
    EXPECT_TRUE(has(" : Black 1, White 0"));
    EXPECT_TRUE(has("Black takes the corner"));
    const std::vector<CanvasOp> texts = OpsOf(c, CanvasOpKind::DrawString);
    const auto turn = std::find_if(texts.begin(), texts.end(), [](const CanvasOp& op) { return op.text == "White to play"; });
    ASSERT_NE(turn, texts.end());
    EXPECT_EQ(turn->rect.x1, l.InfoLeft) << "in the label column, wherever the panel is";
    auto blendsIn = [&](int x, int y) {
        int n = 0;
        for (const CanvasOp& op : OpsOf(c, CanvasOpKind::BlendBitmap)) n += Inside(PaintedArea(op), Cell(l, x, y));
        return n;
    };
    EXPECT_EQ(blendsIn(2, 1), 1);
    EXPECT_EQ(blendsIn(1, 2), 2) << "the last move keeps its marker";
    EXPECT_EQ(blendsIn(1, 1), 0) << "the captured stone stays away";
    EXPECT_EQ(Board().MoveNumber(), 4) << "a redraw plays nothing";

    c.Clear();
    Tick();
    EXPECT_TRUE(has(" : 4, White passes"));
    EXPECT_EQ(replay->Layout().ScreenWidth, 1000);
    Tick();  // the end
    c.Clear();
    replay->Redraw(c, width, height);
    EXPECT_TRUE(has(" : 4, Game over: B+R"));
    EXPECT_TRUE(has(" : Black 1, White 0"));
    EXPECT_FALSE(has("Black to play"));
    EXPECT_FALSE(replay->NewGameDue());
}

}  // namespace
}  // namespace senvola
