// Beside the board: the information lines of the game, the move counter, the framed comment box
// and four fixed lines under the board. In board-only mode every operation returns at once.
#pragma once

#include <string>
#include <string_view>

#include "app_state.h"
#include "draw/canvas.h"
#include "platform/ini_file.h"

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

// The four lines under the board, k = 0..3, unscrambled from their stored form.
std::string FixedPanelLine(int k);
// The stored form of a fixed line (what the program file holds).
std::string_view ScrambledPanelLine(int k);
// Turns a stored line into plain text (its own inverse: scrambles plain text too).
std::string UnscrambleText(std::string_view stored);

// Deletes every character below 32 or above 150, then the leading spaces, and keeps at most
// `limit` characters of the result: the scan ends there, however long the text.
void CleanCopyright(std::string& copyright, std::size_t limit = std::string::npos);
// The file-name part of a path: what follows the last "\", "/" or ":".
std::string_view FileNamePart(std::string_view path);

// Fixed lines, information lines, move box, PanelTop and PanelFontSize. After DrawBoard.
// Values are cut where they could no longer show.
void DrawInfoPanel(AppState& s, Canvas& canvas);
// Panel frame, comment area, the introduction as the comment of move 1, and its display.
// After DrawInfoPanel. The language file is read only if the introduction is not built yet.
void DrawCommentBox(AppState& s, Canvas& canvas, const IniFile& languageFile);
// Clears the comment box and shows the comment of the current move, word-wrapped, cut at the
// bottom. Only what can show on the screen is read and measured: the work and the memory are
// bounded by the screen, whatever the comment's length.
void DrawComment(AppState& s, Canvas& canvas, const IniFile& languageFile);
// Rewrites the value of the move-number line. Allocates nothing.
void DrawMoveCounter(AppState& s, Canvas& canvas);

}  // namespace senvola
