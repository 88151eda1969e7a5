// One point of the board at a time: a stone with or without the last-move marker, or an empty
// point restored after a capture. Every call paints inside the point's own cell.
#pragma once

#include "draw/board_layout.h"
#include "draw/board_look.h"
#include "draw/canvas.h"

namespace senvola {

// The square a point owns: cell x cell pixels around its grid pixel. Neighbouring points' cells
// touch without overlapping, so repainting one never touches another.
Rect PointCell(const BoardLayout& layout, int x, int y);

// Radius of a stone picture stretched into the cell, in whole pixels: round(cell / 2) - 1 with
// halves to the even side, at least 2; from the one cell side both ways, so a picture is drawn
// as wide as it is high. Kept as int: at very large windows a radius no longer fits a byte.
int StoneRadius(int cell);

// Draws a stone at (x, y) of the board laid out in `layout`: the point is repainted empty
// first, then the stone's picture when its UseBitmap is set and a picture is loaded, else the
// anti-aliased stone; with marker, the marker on top. Which stone carries the marker is the
// replay's to remember.
void DrawStone(Canvas& canvas, const BoardLayout& layout, const BoardLook& look, int x, int y, bool black,
               bool marker);
// Restores (x, y) of a board of `lines` lines as an empty point: board surface (a picture board
// from its tiling, so the patch equals the untouched board there), grid pieces (no stubs beyond
// the edge), star point.
void DrawEmptyPoint(Canvas& canvas, const BoardLayout& layout, int lines, const BoardLook& look, int x, int y);

}  // namespace senvola
