// The program-wide records, owned in one place and handed to every part by reference.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "records/game_record.h"
#include "go/board.h"
#include "draw/board_layout.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"

namespace senvola {

struct AppState {
    GameRecord LoadBuffer{};    // written by the sources
    GameRecord CurrentGame{};   // read by the replay; changes only by CommitGame
    uint8_t HasComments = 0;    // the game last committed holds comments
    std::string CurrentFileName;  // file of CurrentGame; empty for a built-in game
    uint8_t BuiltInIndex = 0;   // built-in game shown last, 1..6
    std::vector<std::string> DirectoryFiles;  // sorted; game directory files not yet drawn
    bool DirectoryFilesCreated = false;       // the first directory request has run
    go::Board Board{};
    go::Point LastMove{};       // stone carrying the last-move marker; kNoPoint: none
    BoardLayout Layout{};
    ReplaySettings Settings{};
    LanguageTable Language{};
    bool NeedNewGame = false;   // the next tick starts a new game
    int32_t PauseLeft = 0;      // milliseconds still to wait after the last move
    std::mt19937 Random{};      // re-seeded from the clock where the replay asks for it
};

// Seeds the generator from the clock.
void SeedFromClock(std::mt19937& random);

}  // namespace senvola
