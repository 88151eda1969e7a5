// The six professional games built into the program.
#pragma once

#include "records/game_record.h"

namespace senvola {

constexpr int kBuiltInGameCount = 6;

// Writes built-in game `number` (1..kBuiltInGameCount) into `game`, cleared first: an even game
// on 19 lines, Black first, no setup stones and no comments.
void LoadBuiltInGame(int number, GameRecord& game);

}  // namespace senvola
