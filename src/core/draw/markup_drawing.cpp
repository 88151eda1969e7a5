// Marks drawn with the canvas's lines, rectangles, ellipses and text only, so that every
// backend draws them the same way it draws the board.
#include "draw/markup_drawing.h"

#include <algorithm>
#include <cstdlib>

#include "draw/info_panel.h"

namespace senvola {

namespace {

constexpr Colour kBlackMark = 0x000000;
constexpr Colour kWhiteMark = 0xFFFFFF;

// 0..255 from a 0x00BBGGRR colour, weighted as the eye sees the three.
int Brightness(Colour c) {
    const int r = static_cast<int>(c & 0xFF), g = static_cast<int>((c >> 8) & 0xFF), b = static_cast<int>((c >> 16) & 0xFF);
    return (299 * r + 587 * g + 114 * b) / 1000;
}

// A line `width` pixels thick, drawn as parallel 1-pixel lines across its direction.
void ThickLine(Canvas& canvas, int x1, int y1, int x2, int y2, int width) {
    const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
    for (int k = 0; k < width; ++k) {
        const int d = k - width / 2;
        if (steep) {
            canvas.Line(x1 + d, y1, x2 + d, y2);
        } else {
            canvas.Line(x1, y1 + d, x2, y2 + d);
        }
    }
}

}  // namespace

Colour MarkColour(go::Stone under, const BoardLook& look) {
    if (under == go::Stone::Black) return kWhiteMark;
    if (under == go::Stone::White) return kBlackMark;
    if (BoardUsesBitmap(look)) return kBlackMark;
    return Brightness(look.settings.Color[geBoard]) < 96 ? kWhiteMark : kBlackMark;
}

void DrawMark(Canvas& canvas, const BoardLayout& l, int lines, const BoardLook& look, const BoardMark& mark,
              go::Stone under) {
    if (mark.x < 1 || mark.y < 1 || mark.x > lines || mark.y > lines) return;
    const int cx = l.BoardLeft + (mark.x - 1) * l.CellWidth;
    const int cy = l.BoardTop + (mark.y - 1) * l.CellHeight;
    const int cell = std::max(2, std::min(l.CellWidth, l.CellHeight));
    // A third of the cell each way: inside the stone, clear of the neighbours.
    const int r = std::max(1, cell * 3 / 10);
    const int width = std::max(1, cell / 16);
    const Colour colour = MarkColour(under, look);
    canvas.SetPen(colour, true);
    canvas.SetBrush(colour, false);

    switch (mark.Kind) {
        case MarkKind::Triangle: {
            // Point up, its centre of mass on the point.
            const int top = cy - r;
            const int base = cy + r / 2;
            const int half = r * 7 / 8;
            for (int k = 0; k < width; ++k) {
                canvas.Line(cx, top + k, cx - half + k, base - k);
                canvas.Line(cx - half + k, base - k, cx + half - k, base - k);
                canvas.Line(cx + half - k, base - k, cx, top + k);
            }
            break;
        }
        case MarkKind::Square: {
            const int h = r * 3 / 4;
            for (int k = 0; k < width; ++k) canvas.Rectangle(cx - h + k, cy - h + k, cx + h + 1 - k, cy + h + 1 - k);
            break;
        }
        case MarkKind::Circle:
            for (int k = 0; k < width; ++k) canvas.Ellipse(cx - r + k, cy - r + k, cx + r + 1 - k, cy + r + 1 - k);
            break;
        case MarkKind::Cross: {
            const int h = r * 3 / 4;
            ThickLine(canvas, cx - h, cy - h, cx + h + 1, cy + h + 1, width);
            ThickLine(canvas, cx - h, cy + h, cx + h + 1, cy - h - 1, width);
            break;
        }
        case MarkKind::Label: {
            const std::string_view text = mark.LabelText();
            if (text.empty()) break;
            // A point is 4/3 of a pixel, so 45 % of the cell in points gives a capital about 60 % of
            // the cell high; smaller when the label is wider than the cell allows.
            int size = std::max(2, cell * 45 / 100);
            canvas.SetFont(kPanelFontName, size, colour, true);
            Size extent = canvas.TextExtent(text);
            const int room = std::max(1, cell * 9 / 10);
            if (extent.cx > room) {
                // One step in proportion, then down a point at a time for what rounding left.
                size = std::max(2, static_cast<int>(static_cast<long long>(size) * room / extent.cx));
                canvas.SetFont(kPanelFontName, size, colour, true);
                extent = canvas.TextExtent(text);
                while (size > 2 && extent.cx > room) {
                    canvas.SetFont(kPanelFontName, --size, colour, true);
                    extent = canvas.TextExtent(text);
                }
            }
            const int x = cx - extent.cx / 2, y = cy - extent.cy / 2;
            if (under == go::Stone::Empty && !BoardUsesBitmap(look)) {
                const Colour board = look.settings.Color[geBoard];
                canvas.SetPen(board, false);
                canvas.SetBrush(board, true);
                canvas.FillRect(x - 1, y, x + extent.cx + 1, y + extent.cy);
                canvas.SetBrush(colour, false);
            }
            canvas.DrawString(x, y, text);
            break;
        }
    }
}

}  // namespace senvola
