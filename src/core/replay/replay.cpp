// The replay's tick: a new game drawn whole, then one move-list entry per tick, then the pause.
#include "replay/replay.h"

#include <algorithm>

#include "draw/board_painter.h"
#include "draw/info_panel.h"
#include "draw/markup_drawing.h"
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
                                 pass ? r_.Board().ToMove() : go::Stone::Empty, !opening_);
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

std::size_t ReadableChars(std::string_view comment) {
    std::size_t n = 0;
    for (const char c : comment) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80 && b >= 0x20 && b != 0x7F) ++n;
    }
    return n;
}

std::chrono::milliseconds ReadingDelay(std::chrono::milliseconds interval, std::size_t chars) {
    // Characters past those that reach the cap change nothing; leaving them out keeps the
    // product small for any comment length.
    const std::size_t capChars = static_cast<std::size_t>(kMaxReadingTime / kReadingTimePerChar) + 1;
    const std::chrono::milliseconds reading{kReadingTimePerChar.count() * static_cast<long long>(std::min(chars, capChars))};
    return std::max(interval, std::min<std::chrono::milliseconds>(interval + reading, kMaxReadingTime));
}

std::chrono::milliseconds Replay::Tick(Canvas& canvas, int windowWidth, int windowHeight) {
    const std::chrono::milliseconds interval = MoveInterval(sources_.settings);
    toRead_ = {};
    if (newGameDue_) {
        StartNewGame(canvas, windowWidth, windowHeight);
    } else {
        PlayNextEntry(canvas);
    }
    // A large folder is listed a slice per step, while the first game found plays.
    library_.IndexSome(GameLibrary::kIndexEntriesPerStep);
    // The pause counts in intervals: the reading time of the last comment is not taken from it.
    lastDelay_ = interval;
    if (!sources_.settings.CommentReadingTime || toRead_.empty()) return interval;
    return ReadingDelay(interval, ReadableChars(toRead_));
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
        DrawInfoPanel(canvas, layout_, game_, sources_.language, Board().MoveNumber(), library_.FileName(),
                      settings.ShowResultFromStart);
        commentBox_.DrawFrame(canvas, layout_);
        DrawCommentAt(canvas, 0);
    }
    Screen screen(*this, canvas, true);
    // A refused setup stone is skipped: it starts no new game.
    PlaceStartingStones(position_, game_, screen, DrawComments(), Report());
    setupCursor_ = 0;
    ApplySetupChanges(position_, screen, SetupChangesAt(game_, 0, setupCursor_), Report());
    DrawGameState(canvas);
    markCursor_ = shownMarksBegin_ = shownMarksEnd_ = 0;
    DrawMarks(canvas, 0);
    pauseLeft_ = std::chrono::seconds(settings.PauseBetweenGames);
    newGameDue_ = false;
    gameOverShown_ = false;
    started_ = true;
}

void Replay::PlayNextEntry(Canvas& canvas) {
    const int n = Board().MoveNumber();
    // A game that fills all 800 slots has no closing 0 entry: past slot 800 it is over.
    const uint8_t e = (n >= 1 && n <= kMaxMoves) ? game_.MoveX[static_cast<std::size_t>(n)] : 0;
    if (e == kPassCoord) {
        ClearMarks(canvas);
        Screen screen(*this, canvas);
        PlayPass(position_, screen, DrawComments());
        ApplySetupChanges(position_, screen, SetupChangesAt(game_, n, setupCursor_), Report());
        DrawGameState(canvas);
        DrawMarks(canvas, n);
    } else if (e != 0) {
        ClearMarks(canvas);
        Screen screen(*this, canvas);
        const go::Point p{e, game_.MoveY[static_cast<std::size_t>(n)]};
        if (PlayMove(position_, screen, p, false, DrawComments(), Report()) != go::MoveResult::Played) {
            newGameDue_ = true;
        } else {
            ApplySetupChanges(position_, screen, SetupChangesAt(game_, n, setupCursor_), Report());
            DrawGameState(canvas);
            DrawMarks(canvas, n);
        }
    } else {
        // The first tick after the last entry says so, with the result.
        if (!gameOverShown_ && !layout_.BoardOnly) {
            senvola::DrawMoveCounter(canvas, layout_, game_, sources_.language, n);
            DrawGameState(canvas, true);
        }
        gameOverShown_ = true;
        pauseLeft_ -= lastDelay_;
        if (pauseLeft_ < std::chrono::milliseconds(1)) newGameDue_ = true;
    }
}

void Replay::DrawGameState(Canvas& canvas, bool over) {
    if (layout_.BoardOnly) return;
    senvola::DrawGameState(canvas, layout_, sources_.language, position_.BlackCaptures, position_.WhiteCaptures,
                           over ? go::Stone::Empty : Board().ToMove());
}

void Replay::DrawMarks(Canvas& canvas, int move) {
    const std::span<const BoardMark> marks = MarksAt(game_, move, markCursor_);
    shownMarksBegin_ = markCursor_ - marks.size();
    shownMarksEnd_ = markCursor_;
    DrawShownMarks(canvas);
}

void Replay::DrawShownMarks(Canvas& canvas) {
    if (!MarksShown()) return;
    const int lines = DrawnBoardSize(game_.BoardSize);
    const std::size_t end = std::min(shownMarksEnd_, game_.Marks.size());
    for (std::size_t i = shownMarksBegin_; i < end; ++i) {
        const BoardMark& m = game_.Marks[i];
        DrawMark(canvas, layout_, lines, Look(), m, m.x <= lines && m.y <= lines ? Board().At({m.x, m.y}) : go::Stone::Empty);
    }
}

void Replay::Redraw(Canvas& canvas, int windowWidth, int windowHeight) {
    if (!started_) return;
    layout_.ScreenWidth = windowWidth;
    layout_.ScreenHeight = windowHeight;
    const int lines = DrawnBoardSize(game_.BoardSize);
    DrawBoard(canvas, layout_, lines, Look());
    // The panel as the last step left it: the counter of the last move played (the board counts
    // the next one), and the comment that move showed.
    const int next = Board().MoveNumber();
    const bool opening = next <= 1;
    Screen screen(*this, canvas, opening);
    if (!layout_.BoardOnly) {
        DrawInfoPanel(canvas, layout_, game_, sources_.language, next, library_.FileName(),
                      sources_.settings.ShowResultFromStart);
        commentBox_.DrawFrame(canvas, layout_);
        DrawCommentAt(canvas, DrawComments() && !opening ? next - 1 : 0);
        if (gameOverShown_) {
            senvola::DrawMoveCounter(canvas, layout_, game_, sources_.language, next);
        } else if (opening) {
            screen.DrawMoveCounter();
        } else {
            const int n = next - 1;
            const bool pass = n <= kMaxMoves && game_.MoveX[static_cast<std::size_t>(n)] == kPassCoord;
            senvola::DrawMoveCounter(canvas, layout_, game_, sources_.language, n,
                                     pass ? go::Opponent(Board().ToMove()) : go::Stone::Empty, true);
        }
        if (gameOverShown_)
            DrawCaptures(canvas, layout_, sources_.language, position_.BlackCaptures, position_.WhiteCaptures);
        DrawGameState(canvas, gameOverShown_);
    }
    for (int y = 1; y <= lines; ++y)
        for (int x = 1; x <= lines; ++x) {
            const go::Stone v = Board().At({x, y});
            if (v != go::Stone::Empty) screen.DrawStone(x, y, v == go::Stone::Black, go::Point{x, y} == LastMove());
        }
    DrawShownMarks(canvas);
}

void Replay::ClearMarks(Canvas& canvas) {
    const std::size_t begin = shownMarksBegin_, end = std::min(shownMarksEnd_, game_.Marks.size());
    shownMarksBegin_ = shownMarksEnd_ = 0;
    if (!MarksShown()) return;
    const int lines = DrawnBoardSize(game_.BoardSize);
    for (std::size_t i = begin; i < end; ++i) {
        const go::Point p{game_.Marks[i].x, game_.Marks[i].y};
        if (p.x < 1 || p.y < 1 || p.x > lines || p.y > lines) continue;
        const go::Stone v = Board().At(p);
        if (v == go::Stone::Empty) {
            senvola::DrawEmptyPoint(canvas, layout_, lines, Look(), p.x, p.y);
        } else {
            senvola::DrawStone(canvas, layout_, Look(), p.x, p.y, v == go::Stone::Black, p == LastMove());
        }
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
    // Only the comment of this very step gets reading time: the introduction shown again at a
    // move 1 without a comment of its own has had its time before the first move.
    if (!aboutGo && moveNumber >= 0 && moveNumber <= kMaxMoves &&
        comment.data() == game_.Comments[static_cast<std::size_t>(moveNumber)].data()) {
        toRead_ = comment;
    }
}

const std::string& Replay::Introduction() {
    if (introduction_.empty()) introduction_ = AboutGoText(sources_.language, sources_.languageFile);
    return introduction_;
}

}  // namespace senvola
