// One point of the board at a time: a stone with or without the last-move marker, or an empty
// point restored after a capture. Every call paints inside the point's own cell.
#pragma once

#include "draw/board_layout.h"
#include "draw/board_look.h"
#include "draw/canvas.h"

namespace senvola {

// Stone radii for a cell size: round(cell / 2) - 1 with halves to the even side, at least 2.
// Kept as int: at very large windows a radius no longer fits a byte.
int StoneRadius(int cellSize);
// Radius of the red last-move marker.
int MarkerRadius(int cellWidth);

// Where the bitmap board's texture is sampled when a point is restored: the margin strip above
// and left of grid point (1, 1) holds board surface only. When that corner lies partly off the
// board surface (the window edge is nearer than one cell), a strip of the top margin starting at
// the surface's left edge, or of the left margin starting at its top edge, is used instead; both
// stay clear of grid lines and corner stones. False when the margins are too thin for any.
bool BoardTextureStrip(const BoardLayout& layout, int boardSize, Rect& strip);

// Draws a stone at (x, y) of the board: the stone's picture when its UseBitmap is set and a
// picture is loaded, else a disc in its colour; with marker, the red marker. Which stone carries
// the marker is the replay's to remember.
void DrawStone(Canvas& canvas, const BoardLayout& layout, const BoardLook& look, int x, int y, bool black,
               bool marker);
// Restores (x, y) of a board of `lines` lines as an empty point: board surface, grid pieces (no
// stubs beyond the edge), star point.
void DrawEmptyPoint(Canvas& canvas, const BoardLayout& layout, int lines, const BoardLook& look, int x, int y);

}  // namespace senvola
