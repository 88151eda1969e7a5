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

bool ShowsBoardOnly(bool boardOnlyAsked, int windowHeight) {
    return boardOnlyAsked || windowHeight < kPreviewHeight;
}

namespace {

// The room the panel's text needs, from the screen's shorter side as its fonts are: beside the
// board, a width for a label and a player's name with his rank; below it, a height for the
// information lines, the comment box's title and a few lines of comment.
int PanelWidthNeeded(int shortSide) { return shortSide * 40 / 100; }
int PanelHeightNeeded(int shortSide) { return shortSide * 48 / 100; }

// The board's side with the panel below: as wide as the window allows, never more than 62 % of
// the height, and leaving the panel its room above the fixed lines.
int BoardSideAbovePanel(int sw, int sh) {
    const int room = sh - 2 * (sw / 38) - sh / 9 - PanelHeightNeeded(std::min(sw, sh));
    return std::max(0, std::min({sw - 2 * (sw / 38), static_cast<int>(static_cast<long long>(sh) * 62 / 100), room}));
}

}  // namespace

void ComputeBoardLayout(BoardLayout& l, int boardSize, bool boardOnly) {
    const int n = std::clamp(boardSize, 1, kMaxLayoutBoardSize);
    const int half = (n - 1) / 2;
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    l.Lines = n;
    l.BoardOnly = ShowsBoardOnly(boardOnly, sh);
    int besideHeight = 0, besideWidth = 0;
    if (!l.BoardOnly) {
        // A very wide, low window keeps four fifths of its height for the board; a square one
        // keeps the four lines under the board room for their text.
        besideHeight = sh - std::max(std::min(sw / 10, sh / 5), sh / 38 + 5 * std::min(sw, sh) / 48);
        // 0.95 as the exact fraction 95/100, so that a product ending in .5 goes to the even
        // side; narrower where the panel would have too little room (a square screen, 5:4).
        besideWidth = std::max(0, std::min(RoundHalfEven(static_cast<long long>(besideHeight) * 95, 100),
                                           sw - sw / 20 - sw / 50 - PanelWidthNeeded(std::min(sw, sh))));
    }
    // The panel goes below the board where that leaves the larger board: upright screens, and
    // those near enough to square that a panel beside the board would squeeze it.
    l.Portrait = !l.BoardOnly && sh > sw && BoardSideAbovePanel(sw, sh) >= std::min(besideWidth, besideHeight);
    if (l.BoardOnly) {
        l.BoardAreaHeight = sh - sh / 76;
        // A window narrower than high (a preview turned upright) still holds the whole board.
        l.BoardAreaWidth = std::min(RoundHalfEven(static_cast<long long>(l.BoardAreaHeight) * 95, 100), sw - sw / 76);
    } else if (l.Portrait) {
        const int side = BoardSideAbovePanel(sw, sh);
        l.BoardAreaHeight = side;
        l.BoardAreaWidth = side;
    } else {
        l.BoardAreaHeight = besideHeight;
        l.BoardAreaWidth = besideWidth;
    }
    // Square cells from the smaller side: round stones on any screen.
    const int cell = std::min(l.BoardAreaWidth, l.BoardAreaHeight) / (n + 1);
    l.CellWidth = cell;
    l.CellHeight = cell;
    if (l.BoardOnly) {
        l.BoardLeft = sw / 2 - half * cell;
        l.BoardTop = sh / 2 - half * cell;
    } else if (l.Portrait) {
        l.BoardLeft = sw / 2 - half * cell;
        l.BoardTop = sw / 38 + l.BoardAreaHeight / 2 - half * cell;
    } else {
        // Both offsets use the height fraction, the horizontal one too.
        l.BoardLeft = sh / 38 + l.BoardAreaWidth / 2 - half * cell;
        l.BoardTop = sh / 38 + l.BoardAreaHeight / 2 - half * cell;
    }
    l.BoardCentreX = l.BoardLeft + half * cell;
    l.LineWidth = GridLineWidth(cell);
    l.EdgeWidth = GridEdgeWidth(cell);
    if (l.Portrait) {
        l.InfoLeft = sw / 20;
        l.InfoTop = 2 * (sw / 38) + l.BoardAreaHeight;
        l.FixedTop = sh - sh / 9;
        l.FixedBottom = sh;
        l.FixedCentreX = sw / 2;
    } else {
        l.InfoLeft = sw / 20 + l.BoardAreaWidth;
        l.InfoTop = sh / 38;
        l.FixedTop = sh / 38 + l.BoardAreaHeight;
        l.FixedBottom = sh;
        l.FixedCentreX = l.BoardCentreX;
    }
}

void ComputePanelFrame(BoardLayout& l) {
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    if (l.Portrait) {
        // Centred under the board, like everything else on an upright screen.
        l.PanelLeft = sw / 20;
        l.PanelRight = sw - sw / 20;
        l.PanelBottom = l.FixedTop - sh / 76;
        l.CommentLeft = l.PanelLeft + sw / 100 + 1;
        l.CommentRight = l.PanelRight - sw / 100 - 1;
        l.CommentBottom = l.PanelBottom - sh / 76;
        return;
    }
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

double StarPointRadius(int cell) { return std::max(1.5, cell * 0.085); }

int GridLineWidth(int cell) { return std::max(1, (cell + 16) / 32); }

int GridEdgeWidth(int cell) {
    const int w = GridLineWidth(cell);
    return w + std::max(1, w / 2);
}

}  // namespace senvola
