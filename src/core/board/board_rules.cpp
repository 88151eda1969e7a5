#include "board/board_rules.h"

#include <cstdlib>
#include <string>

namespace senvola {

namespace {

// Neighbour order of every visit: left, up, right, down.
constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, -1, 0, 1};

// The board size the arrays can hold: a record always says 9, 13 or 19, but a wrong value must
// never lead a scan outside the 21 x 21 arrays.
int SizeOf(const GameRecord& g) {
    if (g.BoardSize < 0) return 0;
    if (g.BoardSize > kBoardArray - 2) return kBoardArray - 2;
    return g.BoardSize;
}

uint8_t ColourOf(uint8_t toMove) { return toMove == 1 ? ptBlack : ptWhite; }

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

}  // namespace

// ---- New game -------------------------------------------------------------------------------

void ResetPosition(AppState& s) {
    BoardPosition& b = s.Board;
    SeedFromClock(s.Random);
    b.ToMove = 1;
    b.MoveNumber = 1;
    b.KoX = b.KoY = 0;
    b.LastMoveX = b.LastMoveY = 0;
    for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) {
            b.Points[x][y] = ptEmpty;
            b.ChainOf[x][y] = 0;
            b.Removed[x][y] = 0;
        }
    }
    const int n = SizeOf(s.CurrentGame);
    for (int i = 0; i <= n + 1; ++i) {
        b.Points[i][0] = ptFrame;
        b.Points[i][n + 1] = ptFrame;
        b.Points[0][i] = ptFrame;
        b.Points[n + 1][i] = ptFrame;
    }
    for (int k = 0; k <= kMaxChains; ++k) {
        b.ChainLiberties[k] = 0;
        b.ChainColour[k] = 0;
    }
}

void PlaceSetupStones(AppState& s, MoveDisplay& display, int handicap) {
    GameRecord& g = s.CurrentGame;
    BoardPosition& b = s.Board;
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
        b.MoveNumber = 1;
        // A working copy: the record's Setup stays as it is while its stones are played.
        const std::string setup = g.Setup;
        for (std::size_t i = 0; setup.size() - i > 2; i += 3) {
            if (setup[i] == 'Z') b.ToMove = 1;
            else if (setup[i] == 'W') b.ToMove = 0;
            PlayMove(s, display, static_cast<unsigned char>(setup[i + 1]) - 64,
                     static_cast<unsigned char>(setup[i + 2]) - 64, true);
        }
    }
    b.ToMove = g.FirstColour == 1 ? 1 : 0;
    b.MoveNumber = 1;
}

void StartGamePosition(AppState& s) {
    ResetPosition(s);
    s.Board.ToMove = s.CurrentGame.FirstColour == 1 ? 1 : 0;
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

uint8_t PlayMove(AppState& s, MoveDisplay& display, int x, int y, bool setup) {
    BoardPosition& b = s.Board;
    if (b.LastMoveX != 0) {
        const uint8_t v = b.Points[b.LastMoveX][b.LastMoveY];
        if (v == ptBlack) display.DrawStone(b.LastMoveX, b.LastMoveY, true, false);
        else if (v == ptWhite) display.DrawStone(b.LastMoveX, b.LastMoveY, false, false);
        else display.DrawEmptyPoint(b.LastMoveX, b.LastMoveY);
    }
    display.DrawMoveCounter();
    if (s.Settings.ShowComments && s.HasComments) display.DrawComment();
    if (x == -1) return ilLegal;

    const int n = SizeOf(s.CurrentGame);
    uint8_t r = ilLegal;
    if (x < 1 || x > n || y < 1 || y > n) {
        r = ilOccupied;  // off the board is frame, never an empty point
    } else {
        r = IsIllegalMove(b, x, y);
        if (r == ilLegal && FreeChainNumber(b) == 0) r = ilNoChainNumber;
    }
    if (r != ilLegal) {
        TraceMessage("Illegal move: x=" + std::to_string(x) + " y=" + std::to_string(y) +
                     " zetnr=" + std::to_string(b.MoveNumber) + " bestandsnaam=" + s.CurrentFileName);
        s.NeedNewGame = true;
        return r;
    }
    display.DrawStone(x, y, b.ToMove == 1, true);
    b.LastMoveX = static_cast<uint8_t>(x);
    b.LastMoveY = static_cast<uint8_t>(y);
    PlayStone(s, x, y, setup);
    RedrawRemovedPoints(s, display);
    return ilLegal;
}

void PassMove(AppState& s) {
    BoardPosition& b = s.Board;
    b.KoX = 0;
    if (b.MoveNumber >= 1 && b.MoveNumber <= kMaxMoves) {
        s.CurrentGame.MoveX[b.MoveNumber] = kPassCoord;
        s.CurrentGame.MoveY[b.MoveNumber] = kPassCoord;
    }
    b.ToMove = static_cast<uint8_t>(1 - b.ToMove);
    b.MoveNumber += 1;
}

uint8_t IsIllegalMove(const BoardPosition& b, int x, int y) {
    const uint8_t own = ColourOf(b.ToMove);
    const uint8_t opp = own == ptBlack ? ptWhite : ptBlack;
    if (b.Points[x][y] == ptEmpty) {
        for (int i = 0; i < 4; ++i) {
            if (b.Points[x + kDx[i]][y + kDy[i]] == ptEmpty) return ilLegal;
        }
    }
    const bool occupied = b.Points[x][y] != ptEmpty;
    if (occupied) return ilOccupied;

    bool suicide = true;
    for (int i = 0; i < 4; ++i) {
        const int nx = x + kDx[i], ny = y + kDy[i];
        const uint8_t v = b.Points[nx][ny];
        const uint8_t libs = b.ChainLiberties[b.ChainOf[nx][ny]];
        if (v == ptEmpty) suicide = false;
        if (v == own && libs > 1) suicide = false;
        if (v == opp && libs <= 1) suicide = false;
    }
    if (suicide) return ilSuicide;

    bool ko = true;
    if (b.KoX == 0 || std::abs(b.KoX - x) + std::abs(b.KoY - y) != 1) {
        ko = false;
    } else {
        for (int i = 0; i < 4; ++i) {
            const uint8_t v = b.Points[x + kDx[i]][y + kDy[i]];
            if (v == ptEmpty || v == own) ko = false;
            if (b.Points[b.KoX + kDx[i]][b.KoY + kDy[i]] == opp) ko = false;
        }
        if (b.ChainLiberties[b.ChainOf[b.KoX][b.KoY]] != 1) ko = false;
        for (int i = 0; i < 4; ++i) {
            const int nx = x + kDx[i], ny = y + kDy[i];
            if (nx == b.KoX && ny == b.KoY) continue;
            if (b.Points[nx][ny] == opp && b.ChainLiberties[b.ChainOf[nx][ny]] == 1) ko = false;
        }
    }
    return ko ? ilKo : ilLegal;
}

bool PlayStone(AppState& s, int x, int y, bool setup) {
    BoardPosition& b = s.Board;
    const int chain = FreeChainNumber(b);
    if (chain == 0) return false;
    const int n = SizeOf(s.CurrentGame);
    b.Points[x][y] = ColourOf(b.ToMove);
    AddStoneToChains(b, n, x, y, chain);
    RemoveDeadChains(b, n, x, y);
    b.ToMove = static_cast<uint8_t>(1 - b.ToMove);
    if (!setup) {
        if (b.MoveNumber >= 1 && b.MoveNumber <= kMaxMoves) {
            s.CurrentGame.MoveX[b.MoveNumber] = static_cast<uint8_t>(x);
            s.CurrentGame.MoveY[b.MoveNumber] = static_cast<uint8_t>(y);
        }
        b.MoveNumber += 1;
    }
    return true;
}

// ---- Chains ---------------------------------------------------------------------------------

int FreeChainNumber(const BoardPosition& b) {
    for (int k = 1; k <= kMaxChains; ++k) {
        if (b.ChainColour[k] == 0) return k;
    }
    return 0;
}

void AddStoneToChains(BoardPosition& b, int boardSize, int x, int y, int chain) {
    const uint8_t colour = b.Points[x][y];
    b.ChainColour[chain] = colour;
    b.ChainOf[x][y] = static_cast<uint8_t>(chain);
    int free = 4;
    bool touched = false;
    for (int i = 0; i < 4; ++i) {
        const int nx = x + kDx[i], ny = y + kDy[i];
        const uint8_t v = b.Points[nx][ny];
        if (v == ptFrame) {
            --free;
            continue;
        }
        if (v == colour) {
            // The new stone's chain joins the neighbour's; several friendly neighbours end
            // under the number of the last one visited.
            const uint8_t a = b.ChainOf[x][y];
            const uint8_t c = b.ChainOf[nx][ny];
            if (a != c) {
                for (int px = 1; px <= boardSize; ++px) {
                    for (int py = 1; py <= boardSize; ++py) {
                        if (b.ChainOf[px][py] == a) b.ChainOf[px][py] = c;
                    }
                }
                b.ChainColour[a] = 0;
            }
        }
        if (v == ptBlack || v == ptWhite) touched = true;
    }
    if (touched) RecountLiberties(b, boardSize);
    else b.ChainLiberties[chain] = static_cast<uint8_t>(free);
}

void RemoveDeadChains(BoardPosition& b, int boardSize, int x, int y) {
    const uint8_t victim = b.ToMove == 1 ? ptWhite : ptBlack;
    int count = 0;
    bool any = false;
    for (int k = 1; k <= kMaxChains; ++k) {
        if (b.ChainColour[k] != victim || b.ChainLiberties[k] != 0) continue;
        b.ChainColour[k] = 0;
        any = true;
        for (int px = 1; px <= boardSize; ++px) {
            for (int py = 1; py <= boardSize; ++py) {
                if (b.ChainOf[px][py] != k) continue;
                b.Removed[px][py] = victim;
                b.ChainOf[px][py] = 0;
                b.Points[px][py] = ptEmpty;
                ++count;
            }
        }
    }
    if (count == 1) {
        b.KoX = x;
        b.KoY = y;
    } else {
        b.KoX = 0;  // KoY keeps its old value; only KoX says whether there is a ko point
    }
    if (any) RecountLiberties(b, boardSize);
}

void RecountLiberties(BoardPosition& b, int boardSize) {
    for (int k = 1; k <= kMaxChains; ++k) b.ChainLiberties[k] = 0;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (b.Points[x][y] != ptEmpty) continue;
            uint8_t seen[4];
            int nseen = 0;
            for (int i = 0; i < 4; ++i) {
                const int nx = x + kDx[i], ny = y + kDy[i];
                const uint8_t v = b.Points[nx][ny];
                if (v != ptBlack && v != ptWhite) continue;
                const uint8_t c = b.ChainOf[nx][ny];
                bool dup = false;
                for (int j = 0; j < nseen; ++j) dup = dup || seen[j] == c;
                if (dup) continue;
                seen[nseen++] = c;
                ++b.ChainLiberties[c];
            }
        }
    }
}

void RedrawRemovedPoints(AppState& s, MoveDisplay& display) {
    BoardPosition& b = s.Board;
    const int n = SizeOf(s.CurrentGame);
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (b.Removed[x][y] == 0) continue;
            b.Removed[x][y] = 0;
            display.DrawEmptyPoint(x, y);
        }
    }
}

}  // namespace senvola
