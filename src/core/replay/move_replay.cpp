#include "replay/move_replay.h"

#include <algorithm>
#include <string>

namespace senvola {

namespace {

using go::MoveResult;
using go::Stone;

// The board size the rules use: the record says 9, 13 or 19, but a wrong value must never name
// a board the position cannot hold.
int SizeOf(const GameRecord& g) { return std::clamp(g.BoardSize, 0, go::Board::kMaxSize); }

// Handicap points in placing order, as digits of a 3 x 3 pattern.
const char* const kHandicapPattern[10] = {"",       "",        "37",       "379",      "3791",
                                          "37915", "379164", "3791645", "37916482", "379164825"};

void HandicapPoint(char digit, int size, int& x, int& y) {
    int lo = 3, mid = 5, hi = 7;
    if (size == 19) {
        lo = 4; mid = 10; hi = 16;
    } else if (size == 13) {
        lo = 3; mid = 7; hi = 11;
    }
    switch (digit) {
        case '1': x = lo;  y = lo;  break;
        case '2': x = mid; y = lo;  break;
        case '3': x = hi;  y = lo;  break;
        case '4': x = lo;  y = mid; break;
        case '5': x = mid; y = mid; break;
        case '6': x = hi;  y = mid; break;
        case '7': x = lo;  y = hi;  break;
        case '8': x = mid; y = hi;  break;
        default:  x = hi;  y = hi;  break;
    }
}

Stone FirstMover(const GameRecord& g) { return g.FirstColour == 1 ? Stone::Black : Stone::White; }

}  // namespace

// ---- New game -------------------------------------------------------------------------------

void ResetPosition(AppState& s) {
    SeedFromClock(s.Random);
    s.Board = go::Board(SizeOf(s.CurrentGame));
    s.LastMove = go::kNoPoint;
}

void PlaceSetupStones(AppState& s, MoveDisplay& display, int handicap) {
    GameRecord& g = s.CurrentGame;
    if (handicap > 1 && g.Setup.empty()) {
        g.FirstColour = 2;
        if (handicap <= 9) {
            const int size = SizeOf(g);
            for (const char* d = kHandicapPattern[handicap]; *d != '\0'; ++d) {
                int x = 0, y = 0;
                HandicapPoint(*d, size, x, y);
                g.Setup += 'Z';
                g.Setup += static_cast<char>(64 + x);
                g.Setup += static_cast<char>(64 + y);
            }
        }
    }
    if (!g.Setup.empty()) {
        // A working copy: the record's Setup stays as it is while its stones are played. A
        // letter other than Z or W leaves the colour to whoever the board says is to move.
        const std::string setup = g.Setup;
        for (std::size_t i = 0; setup.size() - i > 2; i += 3) {
            if (setup[i] == 'Z') s.Board.SetToMove(Stone::Black);
            else if (setup[i] == 'W') s.Board.SetToMove(Stone::White);
            PlayMove(s, display, static_cast<unsigned char>(setup[i + 1]) - 64,
                     static_cast<unsigned char>(setup[i + 2]) - 64, true);
        }
    }
    s.Board.SetToMove(FirstMover(g));
}

void StartGamePosition(AppState& s) {
    ResetPosition(s);
    s.Board.SetToMove(FirstMover(s.CurrentGame));
}

void PlaceStartingStones(AppState& s, MoveDisplay& display) {
    if (s.CurrentGame.Handicap > 1 || !s.CurrentGame.Setup.empty()) {
        PlaceSetupStones(s, display, s.CurrentGame.Handicap);
    }
    s.NeedNewGame = false;
}

void StartGame(AppState& s, MoveDisplay& display) {
    StartGamePosition(s);
    PlaceStartingStones(s, display);
}

// ---- Moves ----------------------------------------------------------------------------------

MoveResult PlayMove(AppState& s, MoveDisplay& display, int x, int y, bool setup) {
    go::Board& b = s.Board;
    if (s.LastMove != go::kNoPoint) {
        const go::Point m = s.LastMove;
        const Stone v = b.At(m);
        if (v == Stone::Black) display.DrawStone(m.x, m.y, true, false);
        else if (v == Stone::White) display.DrawStone(m.x, m.y, false, false);
        else display.DrawEmptyPoint(m.x, m.y);
    }
    display.DrawMoveCounter();
    if (s.Settings.ShowComments && s.HasComments) display.DrawComment();
    if (x == -1) return MoveResult::Played;

    const Stone colour = b.ToMove();
    const int number = b.MoveNumber();
    const MoveResult r = setup ? b.PlaceSetupStone({x, y}, colour) : b.Play({x, y}, colour);
    if (r != MoveResult::Played) {
        TraceMessage("Illegal move: x=" + std::to_string(x) + " y=" + std::to_string(y) +
                     " zetnr=" + std::to_string(number) + " bestandsnaam=" + s.CurrentFileName);
        s.NeedNewGame = true;
        return r;
    }
    display.DrawStone(x, y, colour == Stone::Black, true);
    s.LastMove = {x, y};
    if (!setup && number >= 1 && number <= kMaxMoves) {
        // During a replay this is the slot the move came from; a move played by hand is kept.
        s.CurrentGame.MoveX[static_cast<std::size_t>(number)] = static_cast<uint8_t>(x);
        s.CurrentGame.MoveY[static_cast<std::size_t>(number)] = static_cast<uint8_t>(y);
    }
    for (const go::Point p : b.Captured()) display.DrawEmptyPoint(p.x, p.y);
    return MoveResult::Played;
}

void PassMove(AppState& s) {
    const int number = s.Board.MoveNumber();
    if (number >= 1 && number <= kMaxMoves) {
        s.CurrentGame.MoveX[static_cast<std::size_t>(number)] = kPassCoord;
        s.CurrentGame.MoveY[static_cast<std::size_t>(number)] = kPassCoord;
    }
    s.Board.Pass();
}

}  // namespace senvola
