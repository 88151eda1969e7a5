// The replay's main loop: one call is one timer tick.
#pragma once

#include "app_state.h"
#include "platform/file_system.h"
#include "draw/canvas.h"
#include "platform/ini_file.h"

namespace senvola {

// Once at start-up: seeds the generator, picks the first built-in game, requests a new game.
void InitReplay(AppState& s);

// One tick: a new game (load, reset, draw everything, setup stones), one move-list entry, or
// the pause countdown. windowWidth/Height are the outer size of the replay window;
// intervalMs is the timer's current interval.
void ReplayTick(AppState& s, Canvas& canvas, const FileSystem& files, const IniFile& languageFile,
                int windowWidth, int windowHeight, int intervalMs);

}  // namespace senvola
