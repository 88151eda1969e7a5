// Board coordinates as Go players write them: columns A–T without I (I and J look alike), rows
// numbered from the bottom, so that the lower-left corner is A1 on every board size.
#pragma once

#include <cstddef>
#include <string_view>

#include "go/board.h"

namespace senvola::go {

// The letter of column x (1-based) for columns 1..25, else '?'.
constexpr char ColumnLetter(int x) {
    if (x < 1 || x > 25) return '?';
    const char letter = static_cast<char>('A' + x - 1);
    return letter < 'I' ? letter : static_cast<char>(letter + 1);
}

// The row number shown for row y (1 = topmost) of a board of `size` lines.
constexpr int RowNumber(int size, int y) { return size + 1 - y; }

// Writes the point's name ("D4", "Q16") into `out` and returns it; at most 4 characters are
// needed for any board up to 25 lines. Empty for kNoPoint or a point off the board.
inline std::string_view PointName(int size, Point point, char (&out)[4]) {
    if (point.x < 1 || point.y < 1 || point.x > size || point.y > size || size > 25) return {};
    const int row = RowNumber(size, point.y);
    std::size_t n = 0;
    out[n++] = ColumnLetter(point.x);
    if (row >= 10) out[n++] = static_cast<char>('0' + row / 10);
    out[n++] = static_cast<char>('0' + row % 10);
    return {out, n};
}

}  // namespace senvola::go
