// The empty board painted in one pass, the picture tiled without millions of calls.
#include "draw/board_painter.h"

#include <algorithm>

namespace senvola {

namespace {

// A tiny picture tiled one copy at a time would take millions of calls on a large screen
// (a 1 x 1 picture: one per pixel). Above this many tiles the first tile is drawn once and
// the tiled area is doubled by copying the surface onto itself, which gives the same pixels:
// every copy moves whole periods of the pattern.
constexpr long long kMaxDirectTiles = 4096;

void TileByDoubling(Canvas& canvas, const Bitmap& tile, int originX, int originY, int endX, int endY) {
    const int bw = tile.Width(), bh = tile.Height();
    const int needW = endX - originX, needH = endY - originY;
    if (needW <= 0 || needH <= 0) return;  // nothing of the surface is on the window
    canvas.DrawBitmap(tile, originX, originY);
    int w = bw;
    while (w < needW) {
        const int c = std::min(w, needW - w);
        canvas.CopySelf(Rect{originX + w, originY, originX + w + c, originY + bh},
                        Rect{originX, originY, originX + c, originY + bh});
        w += c;
    }
    int h = bh;
    while (h < needH) {
        const int c = std::min(h, needH - h);
        canvas.CopySelf(Rect{originX, originY + h, originX + w, originY + h + c},
                        Rect{originX, originY, originX + w, originY + c});
        h += c;
    }
}

}  // namespace

void DrawBoard(Canvas& canvas, BoardLayout& l, int lines, const BoardLook& look) {
    const int n = lines;
    ComputeBoardLayout(l, n, look.settings.ShowBoardOnly);
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    const int cw = l.CellWidth, ch = l.CellHeight;
    const int mx = BoardMarginX(l), my = BoardMarginY(l);
    const int originX = l.BoardLeft - mx, originY = l.BoardTop - my;

    canvas.SetPen(0, true);
    canvas.SetBrush(0, true);
    canvas.FillRect(0, 0, sw, sh);

    if (BoardUsesBitmap(look)) {
        const Bitmap& tile = *look.pictures[geBoard];
        const int bw = tile.Width(), bh = tile.Height();
        const int cutX = originX + (n + 1) * cw, cutY = originY + (n + 1) * ch;
        const int lastCol = ((n + 1) * cw + mx) / bw, lastRow = ((n + 1) * ch + my) / bh;
        // Tiles that start at or beyond the cut or the window edge would be painted over or
        // clipped away entirely: they are not drawn.
        const int endX = std::min(cutX, sw), endY = std::min(cutY, sh);
        const long long tileCount = (static_cast<long long>(lastCol) + 1) * (static_cast<long long>(lastRow) + 1);
        if (tileCount > kMaxDirectTiles) {
            TileByDoubling(canvas, tile, originX, originY, endX, endY);
        } else {
            for (int i = 0; i <= lastCol; ++i) {
                const int x = originX + i * bw;
                if (x >= endX) break;
                for (int j = 0; j <= lastRow; ++j) {
                    const int y = originY + j * bh;
                    if (y >= endY) break;
                    canvas.DrawBitmap(tile, x, y);
                }
            }
        }
        canvas.SetPen(0, true);
        canvas.SetBrush(0, true);
        canvas.FillRect(cutX, 0, sw, sh);
        canvas.FillRect(0, cutY, sw, sh);
    } else {
        const Colour c = look.settings.Color[geBoard];
        canvas.SetPen(c, true);
        canvas.SetBrush(c, true);
        canvas.FillRect(originX, originY, l.BoardLeft + (n - 1) * cw + mx, l.BoardTop + (n - 1) * ch + my);
    }

    canvas.SetPen(0, true);
    const int right = l.BoardLeft + (n - 1) * cw, bottom = l.BoardTop + (n - 1) * ch;
    for (int i = 0; i < n; ++i) {
        const int x = l.BoardLeft + i * cw, y = l.BoardTop + i * ch;
        canvas.Line(x, l.BoardTop, x, bottom);
        canvas.Line(l.BoardLeft, y, right, y);
    }

    canvas.SetBrush(0, true);
    if (StarLine(n, 1) != 0) {
        const int r = StarPointRadius(cw);
        for (int i = 1; i <= 3; ++i) {
            for (int j = 1; j <= 3; ++j) {
                if (!IsStarPoint(n, StarLine(n, i), StarLine(n, j))) continue;
                const int px = l.BoardLeft + (StarLine(n, i) - 1) * cw;
                const int py = l.BoardTop + (StarLine(n, j) - 1) * ch;
                canvas.FillRect(px - r, py - r, px + r + 1, py + r + 1);
            }
        }
    }
}

}  // namespace senvola
