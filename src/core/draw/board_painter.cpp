// The empty board painted in one pass, the picture tiled without millions of calls.
#include "draw/board_painter.h"

#include <algorithm>

#include "go/coordinates.h"

namespace senvola {

namespace {

// A tiny picture tiled one copy at a time would take millions of calls on a large screen
// (a 1 x 1 picture: one per pixel). Above this many tiles the first tile is drawn once and
// the tiled area is doubled by copying the surface onto itself, which gives the same pixels:
// every copy moves whole periods of the pattern.
constexpr long long kMaxDirectTiles = 4096;

// A row number as text in `buffer` (room for 8), without allocating.
std::string_view RowText(int number, char* buffer) {
    int len = 0;
    char digits[8];
    do {
        digits[len++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number > 0 && len < 7);
    for (int i = 0; i < len; ++i) buffer[i] = digits[len - 1 - i];
    return {buffer, static_cast<std::size_t>(len)};
}

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

    look.sprites.Prepare(canvas, l, look.settings);
    DrawGridLines(canvas, l, 1, n, 1, n, kUnclipped, GridColour(look, cw));
    for (int y = 1; y <= n; ++y)
        for (int x = 1; x <= n; ++x)
            if (IsStarPoint(n, x, y)) DrawStarPoint(canvas, l, look, x, y);
    if (look.settings.ShowCoordinates) DrawCoordinates(canvas, l);
    canvas.SetPen(0, true);
    canvas.SetBrush(0, true);
}

Colour GridColour(const BoardLook& look, int cell) {
    if (cell >= kSoftGridBelowCell) return 0;
    return (look.settings.Color[geBoard] >> 1) & 0x7F7F7Fu;
}

void DrawGridLines(Canvas& canvas, const BoardLayout& l, int fromX, int toX, int fromY, int toY,
                   const Rect& clip, Colour colour) {
    const int n = l.Lines, c = l.CellWidth;
    canvas.SetPen(colour, true);
    canvas.SetBrush(colour, true);
    // Lines are filled rectangles on whole pixels: crisp at any width, the same on every canvas.
    auto band = [&](int x1, int y1, int x2, int y2) {
        canvas.FillRect(std::max(x1, clip.x1), std::max(y1, clip.y1), std::min(x2, clip.x2), std::min(y2, clip.y2));
    };
    auto width = [&](int k) { return k == 1 || k == n ? l.EdgeWidth : l.LineWidth; };
    const int top = l.BoardTop, bottom = l.BoardTop + (n - 1) * c;
    const int left = l.BoardLeft, right = l.BoardLeft + (n - 1) * c;
    // The outer square's corners are closed: edge lines reach the outer side of the other edge.
    const int topOut = LineStart(top, l.EdgeWidth), bottomOut = LineStart(bottom, l.EdgeWidth) + l.EdgeWidth;
    const int leftOut = LineStart(left, l.EdgeWidth), rightOut = LineStart(right, l.EdgeWidth) + l.EdgeWidth;
    for (int x = fromX; x <= toX; ++x) {
        const int px = l.BoardLeft + (x - 1) * c;
        const int x1 = LineStart(px, width(x));
        band(x1, topOut, x1 + width(x), bottomOut);
    }
    for (int y = fromY; y <= toY; ++y) {
        const int py = l.BoardTop + (y - 1) * c;
        const int y1 = LineStart(py, width(y));
        band(leftOut, y1, rightOut, y1 + width(y));
    }
    if (colour != 0) {
        canvas.SetPen(0, true);
        canvas.SetBrush(0, true);
    }
}

void DrawStarPoint(Canvas& canvas, const BoardLayout& l, const BoardLook& look, int x, int y) {
    const BoardSprites::Sprite& star = look.sprites.Star();
    // On a preview's board of a few pixels a cell a star point is a dot like a stone.
    if (!star.bitmap || l.CellWidth < kSoftGridBelowCell) return;
    const int px = l.BoardLeft + (x - 1) * l.CellWidth, py = l.BoardTop + (y - 1) * l.CellHeight;
    canvas.BlendBitmap(*star.bitmap, px + star.offset, py + star.offset);
}

int CoordinateFontSize(int cell) { return cell * 38 / 100; }

void DrawCoordinates(Canvas& canvas, const BoardLayout& l) {
    const int n = l.Lines, c = l.CellWidth;
    int size = CoordinateFontSize(c);
    // Labels need a full cell of margin (the stones take its inner half) and a readable size.
    if (size < 5 || l.BoardLeft < c || l.BoardTop < c) return;
    // Points become pixels at the surface's DPI: measured, so that a screen at 200 % scaling
    // gets labels of the same pixel height as any other.
    const int limit = c / 2;
    canvas.SetFont(kCoordinateFontName, size, kCoordinateColour, false);
    // A number of two digits fits the outer half of the margin, clear of the edge stones.
    const std::string_view widest = n >= 10 ? "88" : "8";
    auto tooLarge = [&] {
        const Size e = canvas.TextExtent(widest);
        return e.cy > limit || e.cx > c / 2;
    };
    while (size > 4 && tooLarge()) canvas.SetFont(kCoordinateFontName, --size, kCoordinateColour, false);
    canvas.SetBrush(0, false);
    const int left = l.BoardLeft, top = l.BoardTop;
    const int right = left + (n - 1) * c, bottom = top + (n - 1) * c;
    // Centred in the outer half of the margin, clear of the edge stones and their shadows.
    const int away = c * 3 / 4;
    char text[8];
    for (int k = 1; k <= n; ++k) {
        const int p = (k - 1) * c;
        text[0] = go::ColumnLetter(k);
        text[1] = '\0';
        const std::string_view letter(text, 1);
        Size e = canvas.TextExtent(letter);
        canvas.DrawString(left + p - e.cx / 2, top - away - e.cy / 2, letter);
        canvas.DrawString(left + p - e.cx / 2, bottom + away - e.cy / 2, letter);
        const std::string_view number = RowText(go::RowNumber(n, k), text);
        e = canvas.TextExtent(number);
        canvas.DrawString(left - away - e.cx / 2, top + p - e.cy / 2, number);
        canvas.DrawString(right + away - e.cx / 2, top + p - e.cy / 2, number);
    }
}

}  // namespace senvola
