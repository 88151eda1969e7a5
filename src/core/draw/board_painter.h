// The empty board: black window, board surface (colour or tiled picture), grid and star points.
#pragma once

#include "draw/board_layout.h"
#include "draw/board_look.h"
#include "draw/canvas.h"

namespace senvola {

// Paints the whole window for a board of `lines` lines (1..19): black, board surface, grid, star
// points. Computes the board fields of `layout` first (ScreenWidth/ScreenHeight must be set).
// Leaves pen and brush black and solid.
void DrawBoard(Canvas& canvas, BoardLayout& layout, int lines, const BoardLook& look);

}  // namespace senvola
