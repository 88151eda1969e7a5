// The user's replay options, as values with their defaults.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "settings/colour.h"
#include "records/game_source.h"

namespace senvola {

enum GraphicsElement : int { geBoard = 0, geBlackStones = 1, geWhiteStones = 2 };

// Delay between two replay ticks in milliseconds, by Speed.
constexpr std::array<int, 18> SpeedIntervals = {50,   100,  200,  300,  400,   500,   750,   1000,  2000,
                                                3000, 4000, 5000, 6000, 8000, 10000, 15000, 20000, 30000};

// Light wood board, black stones, white stones, by GraphicsElement.
constexpr std::array<Colour, 3> kDefaultColours{0x5CB3DC, 0x000000, 0xFFFFFF};

struct ReplaySettings {
    GameSourceKind FileLoadType = GameSourceKind::BuiltIn;  // where the games come from
    std::string DirFileString = "Internal";   // the file (OneFile) or folder (Folder)
    int32_t PauseBetweenGames = 5;            // seconds, 0..300
    bool ShowBoardOnly = false;               // board alone, no panel
    bool ShowComments = true;                 // show the record's comments
    bool CommentReadingTime = true;           // a commented move stays until it can be read
    bool ShowResultFromStart = false;         // the result on the panel before the last move
    bool GamePerMonitor = false;              // each monitor its own game; else the others black
    uint8_t Speed = 5;                        // index into SpeedIntervals, 0..17
    std::array<bool, 3> UseBitmap{};          // by GraphicsElement
    std::array<std::string, 3> BitmapName{};  // full paths, by GraphicsElement
    std::array<Colour, 3> Color = kDefaultColours;  // 0x00BBGGRR, by GraphicsElement
    int32_t Language = 0;                     // number of the chosen language
    bool FlatStones = false;                  // plain discs instead of shaded stones with a shadow
    bool ShowCoordinates = true;              // letters and numbers in the board's margin
};

// The delay between two moves at the settings' speed; a speed above 17 counts as 17.
inline std::chrono::milliseconds MoveInterval(const ReplaySettings& settings) {
    const std::size_t last = SpeedIntervals.size() - 1;
    return std::chrono::milliseconds(SpeedIntervals[settings.Speed < last ? settings.Speed : last]);
}

}  // namespace senvola
