// Stones, the last-move marker and empty points, each painted inside its own cell.
#include "draw/stone_drawing.h"

#include <algorithm>

#include "draw/board_painter.h"

namespace senvola {

Rect PointCell(const BoardLayout& l, int x, int y) {
    const int c = l.CellWidth;
    const int px = l.BoardLeft + (x - 1) * c, py = l.BoardTop + (y - 1) * c;
    return {px - c / 2, py - c / 2, px - c / 2 + c, py - c / 2 + c};
}

int StoneRadius(int cell) { return std::max(2, RoundHalfEven(cell, 2) - 1); }

void DrawStone(Canvas& canvas, const BoardLayout& l, const BoardLook& look, int x, int y, bool black,
               bool marker) {
    // The stone is drawn over a clean point, so that an anti-aliased rim or a shadow drawn again
    // (when the marker moves on) does not darken.
    DrawEmptyPoint(canvas, l, l.Lines, look, x, y);
    const int px = l.BoardLeft + (x - 1) * l.CellWidth;
    const int py = l.BoardTop + (y - 1) * l.CellHeight;
    const GraphicsElement element = black ? geBlackStones : geWhiteStones;
    const Bitmap* picture = look.pictures[element].get();
    if (look.settings.UseBitmap[element] && picture != nullptr) {
        const int r = StoneRadius(l.CellWidth);
        canvas.StretchBitmap(*picture, {px - r, py - r, px + r, py + r});
    } else if (const BoardSprites::Sprite& stone = look.sprites.Stone(black); stone.bitmap) {
        canvas.BlendBitmap(*stone.bitmap, px + stone.offset, py + stone.offset);
    }
    if (marker) {
        if (const BoardSprites::Sprite& m = look.sprites.Marker(); m.bitmap)
            canvas.BlendBitmap(*m.bitmap, px + m.offset, py + m.offset);
    }
}

void DrawEmptyPoint(Canvas& canvas, const BoardLayout& l, int lines, const BoardLook& look, int x, int y) {
    look.sprites.Prepare(canvas, l, look.settings);
    const int n = lines;
    // Clipped to the board surface, where the window edge cuts the margin short.
    Rect cell = PointCell(l, x, y);
    const int mx = BoardMarginX(l), my = BoardMarginY(l);
    cell.x1 = std::max(cell.x1, l.BoardLeft - mx);
    cell.y1 = std::max(cell.y1, l.BoardTop - my);
    cell.x2 = std::min(cell.x2, l.BoardLeft + (n - 1) * l.CellWidth + mx);
    cell.y2 = std::min(cell.y2, l.BoardTop + (n - 1) * l.CellHeight + my);
    if (BoardUsesBitmap(look)) {
        // The same tiling as the whole board: from the surface's top-left corner.
        canvas.TileBitmap(*look.pictures[geBoard], l.BoardLeft - mx, l.BoardTop - my, cell);
    } else {
        const Colour c = look.settings.Color[geBoard];
        canvas.SetPen(c, false);
        canvas.SetBrush(c, true);
        canvas.FillRect(cell.x1, cell.y1, cell.x2, cell.y2);
    }
    DrawGridLines(canvas, l, x, x, y, y, cell, GridColour(look, l.CellWidth));
    if (IsStarPoint(n, x, y)) DrawStarPoint(canvas, l, look, x, y);
}

}  // namespace senvola
