#include "replay/replay.h"

#include <random>

#include "records/game_library.h"
#include "draw/board_painter.h"
#include "draw/info_panel.h"
#include "replay/move_replay.h"
#include "replay/screen_display.h"

namespace senvola {

void InitReplay(AppState& s) {
    SeedFromClock(s.Random);
    s.BuiltInIndex = static_cast<uint8_t>(std::uniform_int_distribution<int>(1, 6)(s.Random));
    s.NeedNewGame = true;
}

namespace {

void StartNewGame(AppState& s, Canvas& canvas, ScreenDisplay& display, const FileSystem& files,
                  const IniFile& languageFile, int windowWidth, int windowHeight) {
    s.Layout.ScreenWidth = windowWidth;
    s.Layout.ScreenHeight = windowHeight;
    // A source that fills fewer moves than the last game had must not inherit its tail.
    s.CurrentGame.MoveX.fill(0);
    s.CurrentGame.MoveY.fill(0);
    LoadNextGame(s, files);
    StartGamePosition(s);
    DrawBoard(s, canvas);
    DrawInfoPanel(s, canvas);
    DrawCommentBox(s, canvas, languageFile);
    PlaceStartingStones(s, display);
    s.PauseLeft = s.Settings.PauseBetweenGames * 1000;
    // Also cancels a request raised by an illegal setup stone: that stone is skipped.
    s.NeedNewGame = false;
}

}  // namespace

void ReplayTick(AppState& s, Canvas& canvas, const FileSystem& files, const IniFile& languageFile,
                int windowWidth, int windowHeight, int intervalMs) {
    ScreenDisplay display(s, canvas, languageFile);
    if (s.NeedNewGame) {
        StartNewGame(s, canvas, display, files, languageFile, windowWidth, windowHeight);
        return;
    }
    const int n = s.Board.MoveNumber();
    // A game that fills all 800 slots has no closing 0 entry: past slot 800 it is over.
    const uint8_t e = (n >= 1 && n <= kMaxMoves) ? s.CurrentGame.MoveX[static_cast<std::size_t>(n)] : 0;
    if (e == kPassCoord) {
        PassMove(s);
    } else if (e != 0) {
        PlayMove(s, display, e, s.CurrentGame.MoveY[static_cast<std::size_t>(n)], false);
    } else {
        s.PauseLeft -= intervalMs;
        if (s.PauseLeft < 1) s.NeedNewGame = true;
    }
}

}  // namespace senvola
