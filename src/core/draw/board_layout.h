// Pixel geometry of the replay screen, recomputed at every new game: where the board, its grid
// and star points, the information panel and the comment box go for a window size.
#pragma once

#include <cstdint>

namespace senvola {

struct BoardLayout {
    int32_t ScreenWidth = 0, ScreenHeight = 0;        // outer size of the replay window
    int32_t BoardAreaHeight = 0, BoardAreaWidth = 0;  // space given to the board
    int32_t CellWidth = 0, CellHeight = 0;            // distance between grid lines
    int32_t BoardLeft = 0, BoardTop = 0;              // pixel of grid point (1, 1)
    int32_t BoardCentreX = 0;                         // x of the middle grid column
    int32_t PanelLeft = 0, PanelTop = 0, PanelRight = 0, PanelBottom = 0;
    int32_t CommentLeft = 0, CommentTop = 0, CommentRight = 0, CommentBottom = 0;
    int32_t MoveBoxLeft = 0, MoveBoxTop = 0, MoveBoxRight = 0, MoveBoxBottom = 0;
    uint8_t PanelFontSize = 0;  // points, information lines
};

// x rounded to the nearest integer, exact halves to the even neighbour, for x = num / den
// (den > 0). Exact: no floating point.
int RoundHalfEven(long long num, long long den);

// Larger board sizes are taken as this one, so that no product of the layout overflows.
constexpr int kMaxLayoutBoardSize = 10000;

// Board fields of `layout` (BoardAreaHeight .. BoardCentreX) from its ScreenWidth and
// ScreenHeight, for a board of `boardSize` lines. Any window size is accepted; a board size
// below 1 is taken as 1 so that nothing divides by zero; one above
// kMaxLayoutBoardSize as that.
void ComputeBoardLayout(BoardLayout& layout, int boardSize, bool boardOnly);
// The fields of the panel frame and comment area that depend only on the window and the board
// area: PanelLeft, PanelRight, PanelBottom, CommentLeft, CommentRight, CommentBottom.
// (PanelTop and CommentTop follow from the information lines.)
void ComputePanelFrame(BoardLayout& layout);

// How far the board surface reaches beyond the outer lines: one cell, or less when the window
// edge is nearer.
int BoardMarginX(const BoardLayout& layout);
int BoardMarginY(const BoardLayout& layout);

// Lines of the board as drawn: a record's BoardSize within 1..19, the sizes the position holds.
int DrawnBoardSize(int32_t recordBoardSize);

// Line number (1-based) of star-point row or column k = 1..3, or 0 for a board without them.
int StarLine(int boardSize, int k);
// True when (x, y) is a star point of a board of this size: nine on 13 and 19 lines, five on 9
// (the 3-3 points and the centre).
bool IsStarPoint(int boardSize, int x, int y);
// Half-width of a star point's square.
int StarPointRadius(int cellWidth);

}  // namespace senvola
