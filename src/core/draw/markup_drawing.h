// The record's marks on the board: labels, triangles, squares, circles and crosses over the
// points of the move being shown. A mark is taken off by drawing its point again (a stone or an
// empty point); nothing here remembers what it drew.
#pragma once

#include "draw/board_layout.h"
#include "draw/board_look.h"
#include "draw/canvas.h"
#include "go/board.h"
#include "records/game_record.h"

namespace senvola {

// The colour a mark takes over what lies under it: white on a black stone, black on a white
// one, and on an empty point black, or white on a board whose colour is dark. One colour for
// all marks could not show on both kinds of stone; the opposite of what is under always does.
Colour MarkColour(go::Stone under, const BoardLook& look);

// Draws `mark` at its point of a board of `lines` lines, scaled to the cell, over `under` (what
// the point holds). A label on an empty point of a plain-coloured board is given a patch of the
// board's colour first, so that the grid lines do not cross its letters. Marks off the board are
// not drawn. Allocates nothing.
void DrawMark(Canvas& canvas, const BoardLayout& layout, int lines, const BoardLook& look, const BoardMark& mark,
              go::Stone under);

}  // namespace senvola
