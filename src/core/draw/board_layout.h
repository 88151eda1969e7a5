// Pixel geometry of the replay screen, recomputed at every new game: where the board, its grid
// and star points, the information panel and the comment box go for a window size.
#pragma once

#include <cstdint>

namespace senvola {

struct BoardLayout {
    int32_t ScreenWidth = 0, ScreenHeight = 0;        // outer size of the replay window
    int32_t BoardAreaHeight = 0, BoardAreaWidth = 0;  // space given to the board
    int32_t CellWidth = 0, CellHeight = 0;            // distance between grid lines; equal: cells are square
    int32_t BoardLeft = 0, BoardTop = 0;              // pixel of grid point (1, 1)
    int32_t BoardCentreX = 0;                         // x of the middle grid column
    int32_t PanelLeft = 0, PanelTop = 0, PanelRight = 0, PanelBottom = 0;
    int32_t CommentLeft = 0, CommentTop = 0, CommentRight = 0, CommentBottom = 0;
    int32_t MoveBoxLeft = 0, MoveBoxTop = 0, MoveBoxRight = 0, MoveBoxBottom = 0;
    uint8_t PanelFontSize = 0;  // points, information lines
    int32_t Lines = 0;                                // lines of the board laid out
    int32_t LineWidth = 1, EdgeWidth = 1;             // inner grid lines and the outer square
    bool BoardOnly = false;                           // no panel: asked for, or a preview-sized window
    bool Portrait = false;                            // the panel lies below the board
    int32_t InfoLeft = 0, InfoTop = 0;                // first information line
    int32_t FixedTop = 0, FixedBottom = 0, FixedCentreX = 0;  // band of the four fixed lines
};

// Windows less high than this are previews: the board alone fills them.
constexpr int kPreviewHeight = 320;
// The board alone: asked for, or the window is preview-sized.
bool ShowsBoardOnly(bool boardOnlyAsked, int windowHeight);

// x rounded to the nearest integer, exact halves to the even neighbour, for x = num / den
// (den > 0). Exact: no floating point.
int RoundHalfEven(long long num, long long den);

// Larger board sizes are taken as this one, so that no product of the layout overflows.
constexpr int kMaxLayoutBoardSize = 10000;

// Board fields of `layout` (BoardAreaHeight .. BoardCentreX, Lines .. Fixed*) from its
// ScreenWidth and ScreenHeight, for a board of `boardSize` lines. A window taller than wide puts
// the panel below the board; whatever the proportions, the board and its one-cell margin lie
// inside the window. Any window size is accepted; a board size below 1 is taken as 1 so that
// nothing divides by zero; one above kMaxLayoutBoardSize as that.
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
// Radius of a star point's disc, in pixels, for a cell size.
double StarPointRadius(int cell);
// Width of the inner grid lines and of the outer square for a cell size: both grow with the
// cell, the edge a little heavier.
int GridLineWidth(int cell);
int GridEdgeWidth(int cell);
// The pixels a line of `width` through grid coordinate p covers: first..first+width-1.
inline int LineStart(int p, int width) { return p - width / 2; }
// The line's middle in continuous coordinates (pixel i spans i..i+1), where discs are centred.
inline double LineMiddle(int p, int width) { return LineStart(p, width) + width / 2.0; }

}  // namespace senvola
