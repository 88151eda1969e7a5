// One running replay: the game on the screen, where the next one comes from, and the pause
// between games. Each tick draws one step on a canvas and says how long to wait for the next.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "draw/board_layout.h"
#include "draw/board_look.h"
#include "draw/canvas.h"
#include "draw/comment_box.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/text_decoder.h"
#include "platform/trace_sink.h"
#include "records/game_library.h"
#include "records/game_record.h"
#include "replay/move_replay.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"

namespace senvola {

// What a replay reads and does not own; all of it must outlive the replay. The options and the
// texts are read afresh at every tick, so what the host changes reaches the next step.
struct ReplaySources {
    const ReplaySettings& settings;
    const BoardPictures& pictures;    // loaded for the graphics options
    const LanguageTable& language;    // panel labels and the chosen language's section
    const IniFile& languageFile;      // the introduction is read from it when first shown
    const FileSystem& files;          // where game files are found
    const TextDecoder& decoder;       // turns a record's texts into UTF-8 when its game starts
    TraceSink* trace = nullptr;       // unreadable files and refused stones; null: not reported
};

// Time to read a comment: this much per character beyond the move interval, up to kMaxReadingTime
// in all. A reader takes in about 15 characters a second; a longer comment is cut short rather
// than stopping the game for minutes.
constexpr std::chrono::milliseconds kReadingTimePerChar{60};
constexpr std::chrono::milliseconds kMaxReadingTime{20000};

// The characters of a comment a reader reads: code points of its UTF-8 bytes, line breaks and
// other control characters left out.
std::size_t ReadableChars(std::string_view comment);
// How long a move whose comment has `chars` readable characters stays: the interval plus the
// reading time, at most kMaxReadingTime, never less than the interval.
std::chrono::milliseconds ReadingDelay(std::chrono::milliseconds interval, std::size_t chars);

class Replay {
public:
    // Starts with a new game due; the built-in games begin at one drawn at random, from a
    // generator seeded from the clock.
    explicit Replay(const ReplaySources& sources);
    // The same with the game library's generator seeded by `seed`.
    Replay(const ReplaySources& sources, std::uint32_t seed);
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // One step on a window of the given outer size: a due new game drawn whole with its setup
    // stones, else the next move-list entry (a stone or a pass; a refused stone makes a new game
    // due) with the setup changes the record makes after it, else a tick of the pause, which counts down by the delay asked for last and draws
    // nothing but, at the first, "Game over" with the result; below 1 ms left a new game is due.
    // Returns the delay until the next tick: the move interval of the settings' speed, during the
    // pause too, so that a pause lasts whole intervals as it always has. A tick that showed a
    // comment of the record (the game's introduction included) asks for ReadingDelay instead
    // when the settings give comments time to be read.
    std::chrono::milliseconds Tick(Canvas& canvas, int windowWidth, int windowHeight);

    // Draws what the last tick left on the screen once more, on a window of the given size (laid
    // out anew for it), without moving the game on: for a window whose contents were lost, or
    // that a change of the display made larger or smaller. Before the first game: nothing.
    void Redraw(Canvas& canvas, int windowWidth, int windowHeight);

    // Makes the next tick start a new game.
    void RequestNewGame() { newGameDue_ = true; }
    bool NewGameDue() const { return newGameDue_; }
    // What is left of the pause after the current game; the whole pause until the game ends.
    std::chrono::milliseconds PauseLeft() const { return pauseLeft_; }

    // The running game: the record (its texts decoded to UTF-8), the position and marker, the
    // file it came from (empty for a built-in game) and the layout of the screen it was last
    // drawn on.
    const GameRecord& Game() const { return game_; }
    const go::Board& Board() const { return position_.Board; }
    go::Point LastMove() const { return position_.LastMove; }
    const std::string& GameFileName() const { return library_.FileName(); }
    const BoardLayout& Layout() const { return layout_; }

    // Where the next games come from: the kind and location are taken from the settings at each
    // new game; the library keeps the built-in turn and the folder's files.
    GameLibrary& Library() { return library_; }
    const GameLibrary& Library() const { return library_; }

private:
    class Screen;

    void StartNewGame(Canvas& canvas, int windowWidth, int windowHeight);
    void PlayNextEntry(Canvas& canvas);
    void DrawGameState(Canvas& canvas, bool over = false);
    // The record's marks of move slot `move`, over the points as they stand; ClearMarks draws
    // the points of those shown last again as they are.
    bool MarksShown() const { return sources_.settings.ShowComments && !layout_.BoardOnly; }
    void DrawMarks(Canvas& canvas, int move);
    void DrawShownMarks(Canvas& canvas);
    void ClearMarks(Canvas& canvas);
    // The comment shown while move n is played: the record's own. Before the first move (n = 0),
    // and at move 1 when it has none of its own, the game's introduction (the comment before the
    // first move) or, for a game without one, "About Go".
    std::string_view CommentAt(int moveNumber);
    void DrawCommentAt(Canvas& canvas, int moveNumber);
    const std::string& Introduction();
    bool DrawComments() const { return sources_.settings.ShowComments && game_.HasComments; }
    BoardLook Look() const { return {sources_.settings, sources_.pictures, sprites_}; }
    RefusalReport Report() const { return {sources_.trace, library_.FileName()}; }

    ReplaySources sources_;
    GameLibrary library_;
    GameRecord game_;
    Position position_;
    BoardLayout layout_;
    CommentBox commentBox_;
    mutable BoardSprites sprites_;  // made by the painters for the layout; only a cache
    std::string introduction_;  // built from the language file when first shown
    bool newGameDue_ = true;
    bool gameOverShown_ = false;  // the counter says "Game over" during this game's pause
    bool started_ = false;  // a game has been drawn
    std::chrono::milliseconds pauseLeft_{0};
    std::chrono::milliseconds lastDelay_{0};  // the move interval of the last tick
    std::string_view toRead_;  // the record's comment this tick showed, if any
    std::size_t markCursor_ = 0;  // in game_.Marks: the first mark not yet shown
    std::size_t setupCursor_ = 0;  // in game_.InGameSetup: the first change not yet played
    std::size_t shownMarksBegin_ = 0, shownMarksEnd_ = 0;  // the marks on the board now
};

}  // namespace senvola
