// The user's replay options, with their defaults, and the pictures derived from them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "draw/canvas.h"

namespace senvola {

enum GraphicsElement : int { geBoard = 0, geBlackStones = 1, geWhiteStones = 2 };

// Delay between two replay ticks in milliseconds, by Speed.
constexpr std::array<int, 18> SpeedIntervals = {50,   100,  200,  300,  400,   500,   750,   1000,  2000,
                                                3000, 4000, 5000, 6000, 8000, 10000, 15000, 20000, 30000};

// Brown board, black stones, white stones, by GraphicsElement.
constexpr std::array<Colour, 3> kDefaultColours{0x004080, 0x000000, 0xFFFFFF};

struct ReplaySettings {
    int32_t FileLoadType = 0;                 // 0 built-in games, 1 one file, 2 random from a directory
    std::string DirFileString = "Internal";   // the file (1) or directory (2)
    int32_t PauseBetweenGames = 5;            // seconds, 0..300
    bool ShowBoardOnly = false;               // board alone, no panel
    bool ShowComments = true;                 // show the record's comments
    uint8_t Speed = 5;                        // index into SpeedIntervals, 0..17
    std::array<bool, 3> UseBitmap{};          // by GraphicsElement
    std::array<std::string, 3> BitmapName{};  // full paths, by GraphicsElement
    std::array<Colour, 3> Color = kDefaultColours;  // 0x00BBGGRR, by GraphicsElement
    int32_t Language = 0;                     // number of the chosen language
    // BoardBitmap, BlackStoneBitmap, WhiteStoneBitmap, by GraphicsElement; loaded from the
    // settings, kept for the process.
    std::array<std::unique_ptr<Bitmap>, 3> Bitmaps;
};

// Loads Windows BMP files for the replay; the platform decides how.
class BitmapLoader {
public:
    virtual ~BitmapLoader() = default;
    // Null when the file is missing or not a valid bitmap.
    virtual std::unique_ptr<Bitmap> Load(const std::string& path, bool transparent) = 0;
};

}  // namespace senvola
