// The board's geometry from the window size, and the empty board: black window, board surface
// (colour or tiled picture), grid and star points.
#pragma once

#include "app_state.h"
#include "draw/board_layout.h"
#include "draw/canvas.h"

namespace senvola {

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

// Lines of the board as drawn: the record's BoardSize within 1..19, the sizes the position holds.
int DrawnBoardSize(const GameRecord& game);

// True when (x, y) is a star point of a board of this size (9, 13 and 19 have nine each).
bool IsStarPoint(int boardSize, int x, int y);
// Half-width of a star point's square.
int StarPointRadius(int cellWidth);
// The board is drawn from its picture: asked for, and a picture of positive size is loaded.
bool BoardUsesBitmap(const ReplaySettings& settings);

// Paints the whole window: black, board surface, grid, star points. Writes the board fields of
// s.Layout (ScreenWidth/ScreenHeight must be set). Leaves pen and brush black and solid.
void DrawBoard(AppState& s, Canvas& canvas);

}  // namespace senvola
