// The replay as the hack and the native render run it. This file pair is the one place in this
// folder that calls into the core: settings, language, pictures, the tick. Everything else
// speaks only of the choices below and of a Canvas.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "draw/canvas.h"

namespace senvola::x11 {

enum class GameSource { BuiltIn, File, Directory };

// What a command line can choose; anything left unset keeps the Windows program's default.
struct ReplayChoices {
    std::optional<int> speed;         // index into MoveIntervalsMs()
    std::optional<int> pauseSeconds;  // 0..MaxPauseSeconds()
    std::optional<GameSource> source;
    std::string sourcePath;                     // the file or the directory
    std::array<std::optional<Colour>, 3> colours;  // board, black stones, white stones
    std::array<std::string, 3> pictures;        // the same three; empty: the colour
    bool boardOnly = false;
    bool noComments = false;
    bool noReadingTime = false;  // a commented move stays one interval like any other
    bool showResult = false;     // the result on the panel from the first move
    bool flatStones = false;
    bool noCoordinates = false;
    std::string language;  // a name of the language file's list, or its own name; empty: English
};

// The Windows program's defaults, for the help text.
struct ReplayDefaults {
    int speed = 0;
    int pauseSeconds = 0;
    std::array<Colour, 3> colours{};
};
ReplayDefaults DefaultChoices();
// The move intervals the speed setting chooses among, fastest first.
std::span<const int> MoveIntervalsMs();
int MaxPauseSeconds();

class HackReplay {
public:
    // Reads the language file (missing: English) and the pictures. What cannot be had (an
    // unknown language, a picture that does not load) is left out with a line in Warnings().
    HackReplay(const ReplayChoices& choices, const std::string& languageFile);
    HackReplay(const HackReplay&) = delete;
    HackReplay& operator=(const HackReplay&) = delete;
    ~HackReplay();

    // One step on `canvas`, a window of width x height: a new game, one move, or a step of the
    // pause; returns the time until the next step.
    std::chrono::milliseconds Tick(Canvas& canvas, int width, int height);
    // Draws the game as the last step left it again, laid out for a window of width x height
    // (one resized, by the saver or with the monitors); the game goes on from there.
    void Redraw(Canvas& canvas, int width, int height);
    const std::vector<std::string>& Warnings() const { return warnings_; }

private:
    struct State;
    std::unique_ptr<State> state_;
    std::vector<std::string> warnings_;
};

// senvola-inspect render: the game (a file, or "builtin:N") drawn as the saver draws it: the
// new-game tick, then `moves` ticks.
struct RenderRequest {
    std::string game;
    int width = 0, height = 0;
    int moves = 0;
    bool boardOnly = false;
    bool noComments = false;
    bool flatStones = false;
    bool noCoordinates = false;
    std::string languageFile;  // empty: the built-in English texts
    std::array<std::string, 3> pictures;  // by GraphicsElement; empty: the colour
};
enum class RenderOutcome { Drawn, BuiltInDrawnInstead, NoSuchGame };
// NoSuchGame (with the reason in `error`) for a malformed builtin:N or a missing file; a file
// that exists but cannot be read draws a built-in game, as the saver does.
RenderOutcome RenderGame(const RenderRequest& request, Canvas& canvas, std::string& error);

}  // namespace senvola::x11
