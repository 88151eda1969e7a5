#include "draw/board_painter.h"

#include <algorithm>

namespace senvola {

int RoundHalfEven(long long num, long long den) {
    if (num < 0) return -RoundHalfEven(-num, den);
    const long long q = num / den;
    const long long twiceRest = 2 * (num % den);
    if (twiceRest > den || (twiceRest == den && (q % 2) != 0)) return static_cast<int>(q + 1);
    return static_cast<int>(q);
}

void ComputeBoardLayout(BoardLayout& l, int boardSize, bool boardOnly) {
    const int n = std::clamp(boardSize, 1, kMaxLayoutBoardSize);
    const int half = (n - 1) / 2;
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    l.BoardAreaHeight = boardOnly ? sh - sh / 76 : sh - sw / 10;
    // 0.95 as the exact fraction 95/100, so that a product ending in .5 goes to the even side.
    l.BoardAreaWidth = RoundHalfEven(static_cast<long long>(l.BoardAreaHeight) * 95, 100);
    l.CellWidth = l.BoardAreaWidth / (n + 1);
    l.CellHeight = l.BoardAreaHeight / (n + 1);
    if (boardOnly) {
        l.BoardLeft = sw / 2 - half * l.CellWidth;
        l.BoardTop = sh / 2 - half * l.CellHeight;
    } else {
        // Both offsets use the height fraction, the horizontal one too.
        l.BoardLeft = sh / 38 + l.BoardAreaWidth / 2 - half * l.CellWidth;
        l.BoardTop = sh / 38 + l.BoardAreaHeight / 2 - half * l.CellHeight;
    }
    l.BoardCentreX = l.BoardLeft + half * l.CellWidth;
}

void ComputePanelFrame(BoardLayout& l) {
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    l.PanelLeft = sw / 20 + l.BoardAreaWidth;
    l.PanelRight = sw - sw / 50;
    l.PanelBottom = sh - sw / 50;  // a width fraction, not a height one
    l.CommentLeft = sw / 19 + l.BoardAreaWidth + 1;
    l.CommentRight = l.PanelRight - sw / 256 - 2;
    l.CommentBottom = sh - sh / 25;
}

int BoardMarginX(const BoardLayout& l) { return std::min(l.CellWidth, l.BoardLeft); }
int BoardMarginY(const BoardLayout& l) { return std::min(l.CellHeight, l.BoardTop); }

namespace {

// Line number (1-based) of star-point row or column k = 1..3, or 0 for a board without them.
int StarLine(int boardSize, int k) {
    switch (boardSize) {
        case 9: return 1 + 2 * k;
        case 13: return 1 + 3 * k;
        case 19: return 1 + 6 * k - 3;
        default: return 0;
    }
}

}  // namespace

bool IsStarPoint(int boardSize, int x, int y) {
    if (StarLine(boardSize, 1) == 0) return false;
    bool onX = false, onY = false;
    for (int k = 1; k <= 3; ++k) {
        onX = onX || StarLine(boardSize, k) == x;
        onY = onY || StarLine(boardSize, k) == y;
    }
    return onX && onY;
}

int DrawnBoardSize(const GameRecord& game) { return std::clamp(game.BoardSize, 1, go::Board::kMaxSize); }

int StarPointRadius(int cellWidth) { return cellWidth >= 7 ? 2 : 1; }

bool BoardUsesBitmap(const ReplaySettings& settings) {
    const Bitmap* b = settings.Bitmaps[geBoard].get();
    return settings.UseBitmap[geBoard] && b != nullptr && b->Width() > 0 && b->Height() > 0;
}

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

void DrawBoard(AppState& s, Canvas& canvas) {
    BoardLayout& l = s.Layout;
    const int n = DrawnBoardSize(s.CurrentGame);
    ComputeBoardLayout(l, n, s.Settings.ShowBoardOnly);
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    const int cw = l.CellWidth, ch = l.CellHeight;
    const int mx = BoardMarginX(l), my = BoardMarginY(l);
    const int originX = l.BoardLeft - mx, originY = l.BoardTop - my;

    canvas.SetPen(0, true);
    canvas.SetBrush(0, true);
    canvas.FillRect(0, 0, sw, sh);

    if (BoardUsesBitmap(s.Settings)) {
        const Bitmap& tile = *s.Settings.Bitmaps[geBoard];
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
        const Colour c = s.Settings.Color[geBoard];
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
                const int px = l.BoardLeft + (StarLine(n, i) - 1) * cw;
                const int py = l.BoardTop + (StarLine(n, j) - 1) * ch;
                canvas.FillRect(px - r, py - r, px + r + 1, py + r + 1);
            }
        }
    }
}

}  // namespace senvola
