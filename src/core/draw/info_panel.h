// Beside the board: the information lines of the game and the move counter; under it, four fixed
// lines. Panel text is white Arial, sized to the screen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "draw/board_layout.h"
#include "draw/canvas.h"
#include "records/game_record.h"
#include "settings/language_table.h"

namespace senvola {

constexpr Colour kPanelTextColour = 0xFFFFFF;
constexpr const char* kPanelFontName = "Arial";

// How one kind of panel text is sized: from a table at the three classic widths, otherwise
// shrunk from 15 points until the height of "X" fits ScreenHeight div divisor.
struct PanelFontRule {
    int at640, at800, at1024;
    int divisor;
    int minimum;
    bool bold;
};
constexpr PanelFontRule kFixedLinesFont{6, 8, 10, 48, 2, false};
constexpr PanelFontRule kInfoLinesFont{6, 8, 10, 40, 2, false};
constexpr PanelFontRule kCommentTitleFont{8, 10, 12, 31, 4, true};
constexpr PanelFontRule kCommentBodyFont{6, 8, 10, 40, 2, false};

// Selects the white Arial font the rule gives for this screen and returns its size in points.
int SelectPanelFont(Canvas& canvas, const BoardLayout& layout, const PanelFontRule& rule);
// Height of a line in the current font: that of "X".
int LineHeight(Canvas& canvas);

// Ends a text that had to be shortened.
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// The longest start of `text` no wider than `room` pixels, ending on a character boundary (0
// when not even the first character fits). Found by halving: a text may be a word as wide as the
// screen, and each try measures it.
std::size_t LongestStartWithin(Canvas& canvas, std::string_view text, long long room);

// Characters of a text drawn from x that can matter on a screen `screenWidth` wide. No
// character that draws is narrower than a pixel, so a text longer than twice the pixels left to
// the screen edge runs off the screen even if half of it were zero-width marks: what lies beyond
// is never measured or drawn, however long the text is.
std::size_t VisibleChars(int screenWidth, int x);

// The four lines under the board, k = 0..3, unscrambled from their stored form.
std::string FixedPanelLine(int k);
// The stored form of a fixed line (what the program file holds).
std::string_view ScrambledPanelLine(int k);
// Turns a stored line into plain text (its own inverse: scrambles plain text too).
std::string UnscrambleText(std::string_view stored);

// The copyright (UTF-8) as the panel shows it: control characters (C0, DEL, C1) left out, then
// the leading spaces, and at most `limit` characters of the rest: the scan ends there, however
// long the text. Broken bytes show as U+FFFD.
std::string CleanCopyright(std::string_view copyright, std::size_t limit = std::string::npos);
// The file-name part of a path: what follows the last "\", "/" or ":".
std::string_view FileNamePart(std::string_view path);

// Fixed lines, information lines of `game` (its texts in UTF-8) at move `moveNumber` with the
// labels of `language` and the name part of `fileName`; sets the move box, PanelTop and
// PanelFontSize of `layout`. After DrawBoard. The labels' column is as wide as the widest label
// shown; every value that would pass the comment box's right edge ends with "…". The result is
// left out unless `showResult`. Under the move line, the captures' label and room for whose turn
// it is: DrawGameState fills them.
void DrawInfoPanel(Canvas& canvas, BoardLayout& layout, const GameRecord& game, const LanguageTable& language,
                   int moveNumber, std::string_view fileName, bool showResult = true);
// Rewrites the value of the move-number line: the number, with "Black passes" or "White passes"
// when `passing` names the side whose pass move `moveNumber` is, else with `withPoint` the
// point of the move as the board's coordinates name it; where `game` has no entry for the move,
// the last move's number with "Game over" and the result. Texts from `language`, cut with "…"
// at the comment box's right edge. Allocates nothing.
void DrawMoveCounter(Canvas& canvas, const BoardLayout& layout, const GameRecord& game, const LanguageTable& language,
                     int moveNumber, go::Stone passing = go::Stone::Empty, bool withPoint = false);
// Rewrites the two lines under the move line: the stones each side has captured, and whose turn
// it is. For go::Stone::Empty (the game is over) the turn line is cleared and the captures stay
// as they are. Allocates nothing.
void DrawGameState(Canvas& canvas, const BoardLayout& layout, const LanguageTable& language, int blackCaptures,
                   int whiteCaptures, go::Stone toMove);
// Rewrites the captures line alone. Allocates nothing.
void DrawCaptures(Canvas& canvas, const BoardLayout& layout, const LanguageTable& language, int blackCaptures,
                  int whiteCaptures);

}  // namespace senvola
