// The empty board: black window, board surface (colour or tiled picture), grid and star points.
#pragma once

#include "draw/board_layout.h"
#include "draw/board_look.h"
#include "draw/canvas.h"

namespace senvola {

constexpr const char* kCoordinateFontName = "Arial";
constexpr Colour kCoordinateColour = 0x202020;

// Paints the whole window for a board of `lines` lines (1..19): black, board surface, grid, star
// points, coordinates when asked for. Computes the board fields of `layout` first
// (ScreenWidth/ScreenHeight must be set) and makes the look's sprites for it. Leaves pen and
// brush black and solid.
void DrawBoard(Canvas& canvas, BoardLayout& layout, int lines, const BoardLook& look);

// The cell below which a board is a preview's few pixels a cell: its grid is softened and it
// has no star points, as lines a pixel wide and dots would otherwise bury the black stones.
inline constexpr int kSoftGridBelowCell = 8;
// The colour of the grid: black, but on a preview-sized board half-way to the board's colour.
Colour GridColour(const BoardLook& look, int cell);
inline constexpr Rect kUnclipped{-2147483647, -2147483647, 2147483647, 2147483647};
// The grid lines of columns fromX..toX and rows fromY..toY, each across the whole board, painted
// only inside clip. Leaves pen and brush black and solid.
void DrawGridLines(Canvas& canvas, const BoardLayout& layout, int fromX, int toX, int fromY, int toY,
                   const Rect& clip = kUnclipped, Colour colour = 0);
// The star point's disc at grid point (x, y), from the look's sprites.
void DrawStarPoint(Canvas& canvas, const BoardLayout& layout, const BoardLook& look, int x, int y);
// Coordinates size in points for a cell size.
int CoordinateFontSize(int cell);
// Column letters above and below the grid, row numbers left and right of it, centred in the
// outer half of the margin; nothing when the margin is not a whole cell or the cell too small.
void DrawCoordinates(Canvas& canvas, const BoardLayout& layout);

}  // namespace senvola
