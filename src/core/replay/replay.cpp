// The replay's tick: a new game drawn whole, then one move-list entry per tick, then the pause.
#include "replay/replay.h"

#include "draw/board_painter.h"
#include "draw/info_panel.h"
#include "draw/stone_drawing.h"
#include "settings/language.h"

namespace senvola {

// What playing a move draws, on the canvas of one tick. In board-only mode the counter and the
// comment have no place to go.
class Replay::Screen final : public MoveDisplay {
public:
    // `opening`: the stones are those set up before the first move.
    Screen(Replay& replay, Canvas& canvas, bool opening = false) : r_(replay), canvas_(canvas), opening_(opening) {}

    void DrawStone(int x, int y, bool black, bool marker) override {
        senvola::DrawStone(canvas_, r_.layout_, r_.Look(), x, y, black, marker);
    }
    void DrawEmptyPoint(int x, int y) override {
        senvola::DrawEmptyPoint(canvas_, r_.layout_, DrawnBoardSize(r_.game_.BoardSize), r_.Look(), x, y);
    }
    void DrawMoveCounter() override {
        if (r_.layout_.BoardOnly) return;
        const int n = r_.Board().MoveNumber();
        // Setup stones come before move 1 even when that move is a pass.
        const bool pass =
            !opening_ && n >= 1 && n <= kMaxMoves && r_.game_.MoveX[static_cast<std::size_t>(n)] == kPassCoord;
        senvola::DrawMoveCounter(canvas_, r_.layout_, r_.game_, r_.sources_.language, n,
                                 pass ? r_.Board().ToMove() : go::Stone::Empty);
    }
    void DrawComment() override {
        if (r_.layout_.BoardOnly) return;
        r_.DrawCommentAt(canvas_, opening_ ? 0 : r_.Board().MoveNumber());
    }

private:
    Replay& r_;
    Canvas& canvas_;
    bool opening_;
};

Replay::Replay(const ReplaySources& sources) : sources_(sources), library_(sources.files, sources.trace) {}

Replay::Replay(const ReplaySources& sources, std::uint32_t seed)
    : sources_(sources), library_(sources.files, seed, sources.trace) {}

std::chrono::milliseconds Replay::Tick(Canvas& canvas, int windowWidth, int windowHeight) {
    const std::chrono::milliseconds delay = MoveInterval(sources_.settings);
    if (newGameDue_) {
        StartNewGame(canvas, windowWidth, windowHeight);
    } else {
        PlayNextEntry(canvas);
    }
    // A large folder is listed a slice per step, while the first game found plays.
    library_.IndexSome(GameLibrary::kIndexEntriesPerStep);
    lastDelay_ = delay;
    return delay;
}

void Replay::StartNewGame(Canvas& canvas, int windowWidth, int windowHeight) {
    const ReplaySettings& settings = sources_.settings;
    layout_.ScreenWidth = windowWidth;
    layout_.ScreenHeight = windowHeight;
    library_.Select(settings.FileLoadType, settings.DirFileString);
    library_.Next(game_);
    // Once per game, so that the panel and the comment box only ever see UTF-8 and playing a
    // move allocates nothing.
    DecodeTexts(game_, sources_.decoder);
    StartGamePosition(position_, game_);
    DrawBoard(canvas, layout_, DrawnBoardSize(game_.BoardSize), Look());
    if (!layout_.BoardOnly) {
        DrawInfoPanel(canvas, layout_, game_, sources_.language, Board().MoveNumber(), library_.FileName());
        commentBox_.DrawFrame(canvas, layout_);
        DrawCommentAt(canvas, 0);
    }
    Screen screen(*this, canvas, true);
    // A refused setup stone is skipped: it starts no new game.
    PlaceStartingStones(position_, game_, screen, DrawComments(), Report());
    pauseLeft_ = std::chrono::seconds(settings.PauseBetweenGames);
    newGameDue_ = false;
    gameOverShown_ = false;
}

void Replay::PlayNextEntry(Canvas& canvas) {
    const int n = Board().MoveNumber();
    // A game that fills all 800 slots has no closing 0 entry: past slot 800 it is over.
    const uint8_t e = (n >= 1 && n <= kMaxMoves) ? game_.MoveX[static_cast<std::size_t>(n)] : 0;
    if (e == kPassCoord) {
        Screen screen(*this, canvas);
        PlayPass(position_, screen, DrawComments());
    } else if (e != 0) {
        Screen screen(*this, canvas);
        const go::Point p{e, game_.MoveY[static_cast<std::size_t>(n)]};
        if (PlayMove(position_, screen, p, false, DrawComments(), Report()) != go::MoveResult::Played) {
            newGameDue_ = true;
        }
    } else {
        // The first tick after the last entry says so, with the result.
        if (!gameOverShown_ && !layout_.BoardOnly) {
            senvola::DrawMoveCounter(canvas, layout_, game_, sources_.language, n);
        }
        gameOverShown_ = true;
        pauseLeft_ -= lastDelay_;
        if (pauseLeft_ < std::chrono::milliseconds(1)) newGameDue_ = true;
    }
}

std::string_view Replay::CommentAt(int moveNumber) {
    if (moveNumber < 0 || moveNumber > kMaxMoves) return {};
    const std::string& own = game_.Comments[static_cast<std::size_t>(moveNumber)];
    if (moveNumber >= 2 || (moveNumber == 1 && !own.empty())) return own;
    // With comments off the game's introduction is one of them, and is not shown either.
    if (DrawComments() && !game_.Comments[0].empty()) return game_.Comments[0];
    return Introduction();
}

void Replay::DrawCommentAt(Canvas& canvas, int moveNumber) {
    const std::string_view comment = CommentAt(moveNumber);
    // Only "About Go" is titled by its own caption: any other comment, the game's introduction
    // included, gets the comment title whatever it starts with.
    const bool aboutGo = !introduction_.empty() && comment.data() == introduction_.data();
    commentBox_.Draw(canvas, layout_, comment, aboutGo ? std::string_view(introduction_) : std::string_view());
}

const std::string& Replay::Introduction() {
    if (introduction_.empty()) introduction_ = AboutGoText(sources_.language, sources_.languageFile);
    return introduction_;
}

}  // namespace senvola
