// The layout's arithmetic, exact to the pixel in integers.
#include "draw/board_layout.h"

#include <algorithm>

#include "go/board.h"

namespace senvola {

int RoundHalfEven(long long num, long long den) {
    if (num < 0) return -RoundHalfEven(-num, den);
    const long long q = num / den;
    const long long twiceRest = 2 * (num % den);
    if (twiceRest > den || (twiceRest == den && (q % 2) != 0)) return static_cast<int>(q + 1);
    return static_cast<int>(q);
}

void ComputeBoardLayout(BoardLayout& l, int boardSize, bool boardOnly) {
    const int n = std::clamp(boardSize, 1, kMaxLayoutBoardSize);
    const int half = (n - 1) / 2;
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    l.BoardAreaHeight = boardOnly ? sh - sh / 76 : sh - sw / 10;
    // 0.95 as the exact fraction 95/100, so that a product ending in .5 goes to the even side.
    l.BoardAreaWidth = RoundHalfEven(static_cast<long long>(l.BoardAreaHeight) * 95, 100);
    l.CellWidth = l.BoardAreaWidth / (n + 1);
    l.CellHeight = l.BoardAreaHeight / (n + 1);
    if (boardOnly) {
        l.BoardLeft = sw / 2 - half * l.CellWidth;
        l.BoardTop = sh / 2 - half * l.CellHeight;
    } else {
        // Both offsets use the height fraction, the horizontal one too.
        l.BoardLeft = sh / 38 + l.BoardAreaWidth / 2 - half * l.CellWidth;
        l.BoardTop = sh / 38 + l.BoardAreaHeight / 2 - half * l.CellHeight;
    }
    l.BoardCentreX = l.BoardLeft + half * l.CellWidth;
}

void ComputePanelFrame(BoardLayout& l) {
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    l.PanelLeft = sw / 20 + l.BoardAreaWidth;
    l.PanelRight = sw - sw / 50;
    l.PanelBottom = sh - sw / 50;  // a width fraction, not a height one
    l.CommentLeft = sw / 19 + l.BoardAreaWidth + 1;
    l.CommentRight = l.PanelRight - sw / 256 - 2;
    l.CommentBottom = sh - sh / 25;
}

int BoardMarginX(const BoardLayout& l) { return std::min(l.CellWidth, l.BoardLeft); }
int BoardMarginY(const BoardLayout& l) { return std::min(l.CellHeight, l.BoardTop); }

int DrawnBoardSize(int32_t recordBoardSize) { return std::clamp(recordBoardSize, 1, go::Board::kMaxSize); }

int StarLine(int boardSize, int k) {
    switch (boardSize) {
        case 9: return 1 + 2 * k;
        case 13: return 1 + 3 * k;
        case 19: return 1 + 6 * k - 3;
        default: return 0;
    }
}

bool IsStarPoint(int boardSize, int x, int y) {
    if (StarLine(boardSize, 1) == 0) return false;
    // A board of nine lines has its four 3-3 points and the centre, not the edge midpoints a
    // three-by-three grid would add.
    if (boardSize == 9 && (x == 5) != (y == 5)) return false;
    bool onX = false, onY = false;
    for (int k = 1; k <= 3; ++k) {
        onX = onX || StarLine(boardSize, k) == x;
        onY = onY || StarLine(boardSize, k) == y;
    }
    return onX && onY;
}

int StarPointRadius(int cellWidth) { return cellWidth >= 7 ? 2 : 1; }

}  // namespace senvola
