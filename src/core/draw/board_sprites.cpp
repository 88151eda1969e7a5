#include "draw/board_sprites.h"

#include <algorithm>
#include <cmath>

namespace senvola {

namespace {

// A disc picture centred on the middle of the grid lines through a point: for lines of odd
// width the middle lies half a pixel right of and below the point's pixel.
BoardSprites::Sprite MakeSprite(Canvas& canvas, int side, int lineWidth, const auto& rasterise) {
    const int offset = -(side / 2);
    const double centre = LineMiddle(0, lineWidth) - offset;
    const PixelImage image = rasterise(side, centre);
    BoardSprites::Sprite sprite;
    sprite.bitmap = canvas.MakeAlphaBitmap(image.pixels.data(), image.width, image.height);
    sprite.offset = offset;
    return sprite;
}

}  // namespace

// A pixel clear of the line half-way to the next point, so that small cells keep their grid;
// in a preview's few pixels the stones take their share regardless, or black ones vanish.
double StoneRadiusFor(int cell) {
    return cell < 12 ? std::max(1.5, cell * 0.46) : std::min(cell * 0.46, cell / 2.0 - 1);
}

// Never less than a pixel and a half, so that a preview's marker still shows red.
double MarkerRadiusFor(int cell) { return std::max(1.5, StoneRadiusFor(cell) / 3); }

void BoardSprites::Prepare(Canvas& canvas, const BoardLayout& l, const ReplaySettings& s) {
    const Key key{l.CellWidth, l.LineWidth, s.Color[geBlackStones], s.Color[geWhiteStones], s.FlatStones};
    if (key == made_) return;
    made_ = key;
    const int cell = std::max(l.CellWidth, 3);
    const double r = StoneRadiusFor(cell);
    const StoneStyle style = s.FlatStones ? StoneStyle::Flat : StoneStyle::Shaded;
    const double outline = std::max(1.0, cell / 36.0);
    for (bool black : {true, false}) {
        const Colour colour = s.Color[black ? geBlackStones : geWhiteStones];
        (black ? black_ : white_) = MakeSprite(canvas, cell, l.LineWidth, [&](int side, double c) {
            return RasteriseStone(side, c, c, r, colour, style, outline);
        });
    }
    const double rs = StarPointRadius(cell);
    star_ = MakeSprite(canvas, 2 * static_cast<int>(std::ceil(rs)) + 3, l.LineWidth,
                       [&](int side, double c) { return RasteriseDisc(side, c, c, rs, 0); });
    const double rm = MarkerRadiusFor(cell);
    marker_ = MakeSprite(canvas, 2 * static_cast<int>(std::ceil(rm)) + 3, l.LineWidth,
                         [&](int side, double c) { return RasteriseDisc(side, c, c, rm, kMarkerColour); });
}

}  // namespace senvola
