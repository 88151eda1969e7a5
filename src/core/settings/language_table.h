// Translated texts the replay needs while it runs.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace senvola {

// Keys of the information panel's labels; each is also its English default.
constexpr std::array<const char*, 16> kPanelLabelKeys = {
    "White", "Black", "Handicap", "Komi",  "Result",    "MoveNumber", "Date",
    "Time",  "Place", "Event",    "Round", "Copyright", "User",       "Filename", "Title", "Captures"};

enum PanelLabelIndex : int {
    plWhite, plBlack, plHandicap, plKomi, plResult, plMoveNumber, plDate,
    plTime, plPlace, plEvent, plRound, plCopyright, plUser, plFilename, plTitle, plCaptures
};

struct LanguageTable {
    std::string SectionName = "English";                // section of the chosen language
    std::array<std::string, kPanelLabelKeys.size()> PanelLabel{};  // by PanelLabelIndex
    // What the move-number line adds for a pass and once the last entry has been played.
    std::string BlackPasses = "Black passes";
    std::string WhitePasses = "White passes";
    std::string GameOver = "Game over";
    // Whose turn it is, under the move line.
    std::string BlackToPlay = "Black to play";
    std::string WhiteToPlay = "White to play";
    std::string HandicapStones = "%1 stones";  // the handicap line's value, %1 the number
    // The four lines under the board as the language file words them; an empty one is drawn
    // from the program's own English line.
    std::array<std::string, 4> FixedLine{};
    // How the language writes the point of 0.5 (a comma in Dutch, German and French).
    std::string DecimalSeparator = ".";
    std::string SpeedCaption = "Replay speed";
    std::string SpeedMiddleText = "move every";
    std::string SpeedUnitText = "seconds";
    std::vector<std::string> LanguageList;              // entries for the language page
    LanguageTable() {
        for (std::size_t i = 0; i < PanelLabel.size(); ++i) PanelLabel[i] = kPanelLabelKeys[i];
    }
};

}  // namespace senvola
