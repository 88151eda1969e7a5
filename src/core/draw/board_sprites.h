// The anti-aliased pieces of the board as pictures of the canvas: black and white stones, star
// point, last-move marker. Made when a layout or a colour changes, then only blended, so that a
// move costs a few blits and allocates nothing.
#pragma once

#include <memory>

#include "draw/board_layout.h"
#include "draw/canvas.h"
#include "draw/stone_raster.h"
#include "settings/replay_settings.h"

namespace senvola {

// The marker's colour: a red that stands out on black and on white stones alike.
constexpr Colour kMarkerColour = 0x2E2EDC;

// Stone radius in pixels for a cell size: stones nearly touch, leaving room for the shadow.
double StoneRadiusFor(int cell);
// Marker radius: about a third of the stone's.
double MarkerRadiusFor(int cell);

class BoardSprites {
public:
    // Makes the pictures for this layout and these options on `canvas`, unless those made last
    // were made for the same cell, line width, colours and style.
    void Prepare(Canvas& canvas, const BoardLayout& layout, const ReplaySettings& settings);

    // Each picture with the offset of its top-left corner from the grid point's pixel; null
    // before Prepare or where the canvas made none.
    struct Sprite {
        std::unique_ptr<Bitmap> bitmap;
        int offset = 0;
    };
    const Sprite& Stone(bool black) const { return black ? black_ : white_; }
    const Sprite& Star() const { return star_; }
    const Sprite& Marker() const { return marker_; }

private:
    struct Key {
        int cell = -1, lineWidth = 0;
        Colour black = 0, white = 0;
        bool flat = false;
        bool operator==(const Key&) const = default;
    };
    Key made_;
    Sprite black_, white_, star_, marker_;
};

}  // namespace senvola
