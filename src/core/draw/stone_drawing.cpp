// Stones, the last-move marker and empty points, each painted inside its own cell.
#include "draw/stone_drawing.h"

#include <algorithm>

namespace senvola {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kRed = 255;

// trunc(v / 2) for the half-integer expressions of a point's surroundings.
int HalfTowardZero(long long twice) { return static_cast<int>(twice / 2); }

}  // namespace

int StoneRadius(int cellSize) { return std::max(2, RoundHalfEven(cellSize, 2) - 1); }

int MarkerRadius(int cellWidth) { return cellWidth >= 7 ? 3 : 1; }

bool BoardTextureStrip(const BoardLayout& l, int boardSize, Rect& strip) {
    const int cw = l.CellWidth, ch = l.CellHeight;
    if (cw < 1 || ch < 1) return false;
    const int n = std::max(1, boardSize);
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;
    const int bl = l.BoardLeft, bt = l.BoardTop;
    const bool fullLeft = bl >= cw, fullTop = bt >= ch;
    if (fullLeft && fullTop) {
        strip = {bl - cw, bt - ch, bl, bt - ch / 2};
        return strip.x2 <= sw && strip.y2 <= sh;
    }
    if (fullTop) {
        // Top margin, from the surface's left edge: no vertical line reaches above row 1, and a
        // stone of row 1 reaches no higher than half a cell.
        const int x1 = std::max(0, bl - BoardMarginX(l));
        strip = {x1, bt - ch, x1 + cw, bt - ch / 2};
        return strip.x2 <= sw && strip.x2 <= bl + (n - 1) * cw;
    }
    if (fullLeft) {
        const int y1 = std::max(0, bt - BoardMarginY(l));
        strip = {bl - cw, y1, bl - cw / 2, y1 + ch};
        return strip.x2 > strip.x1 && strip.y2 <= sh && strip.y2 <= bt + (n - 1) * ch;
    }
    return false;
}

void DrawStone(Canvas& canvas, const BoardLayout& l, const BoardLook& look, int x, int y, bool black,
               bool marker) {
    const int px = l.BoardLeft + (x - 1) * l.CellWidth;
    const int py = l.BoardTop + (y - 1) * l.CellHeight;
    const int rx = StoneRadius(l.CellWidth), ry = StoneRadius(l.CellHeight);
    const GraphicsElement element = black ? geBlackStones : geWhiteStones;
    const Bitmap* picture = look.pictures[element].get();
    if (look.settings.UseBitmap[element] && picture != nullptr) {
        canvas.StretchBitmap(*picture, {px - rx, py - ry, px + rx, py + ry});
    } else {
        canvas.SetPen(kBlack, true);
        canvas.SetBrush(look.settings.Color[element], true);
        canvas.Ellipse(px - rx, py - ry, px + rx, py + ry);
    }
    if (marker) {
        const int r = MarkerRadius(l.CellWidth);
        canvas.SetPen(kRed, true);
        canvas.SetBrush(kRed, true);
        canvas.Ellipse(px - r, py - r, px + r, py + r);
    }
}

void DrawEmptyPoint(Canvas& canvas, const BoardLayout& l, int lines, const BoardLook& look, int x, int y) {
    const int n = lines;
    const int cw = l.CellWidth, ch = l.CellHeight;
    const int px = l.BoardLeft + (x - 1) * cw;
    const int py = l.BoardTop + (y - 1) * ch;
    // (x - 1.5) x cw - 1 and (x - 0.5) x cw + 1, exactly, as halves of integers.
    const int left = l.BoardLeft + HalfTowardZero(static_cast<long long>(2 * x - 3) * cw - 2);
    const int right = l.BoardLeft + HalfTowardZero(static_cast<long long>(2 * x - 1) * cw + 2);
    const int top = l.BoardTop + HalfTowardZero(static_cast<long long>(2 * y - 3) * ch - 2);
    const int bottom = l.BoardTop + HalfTowardZero(static_cast<long long>(2 * y - 1) * ch + 2);

    if (BoardUsesBitmap(look)) {
        Rect strip;
        const Rect upper{left, top, right, py + 1};
        const Rect lower{left, py - 1, right, bottom};
        if (BoardTextureStrip(l, n, strip)) {
            canvas.CopySelf(upper, strip);
            canvas.CopySelf(lower, strip);
        } else {
            // No margin holds texture: the picture itself, squeezed into the cell.
            canvas.StretchBitmap(*look.pictures[geBoard], {left, top, right, bottom});
        }
    } else {
        const Colour c = look.settings.Color[geBoard];
        canvas.SetPen(c, false);
        canvas.SetBrush(c, true);
        canvas.FillRect(left, top, right, bottom);
    }

    canvas.SetPen(kBlack, true);
    canvas.Line(x == 1 ? px : left, py, x == n ? px : right, py);
    canvas.Line(px, y == 1 ? py : top, px, y == n ? py : bottom);

    if (IsStarPoint(n, x, y)) {
        const int r = StarPointRadius(cw);
        canvas.SetBrush(kBlack, true);
        canvas.FillRect(px - r, py - r, px + r + 1, py + r + 1);
    }
}

}  // namespace senvola
