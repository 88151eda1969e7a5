// The hack's command line, in xscreensaver's spelling: one dash or two, a value as the next
// argument; a later option overrides an earlier one, as Xt resources do. The table behind
// ParseCommandLine also writes HelpText, so -help always lists what is accepted.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "hack_replay.h"

namespace senvola::x11 {

enum class WindowMode {
    Unset,       // none given: $XSCREENSAVER_WINDOW if set, else a window of its own
    Own,         // -window
    FullScreen,  // -fullscreen
    Root,        // -root: $XSCREENSAVER_WINDOW if set, else the root window
    Id,          // -window-id ID
};

struct HackOptions {
    WindowMode mode = WindowMode::Unset;
    unsigned long windowId = 0;  // WindowMode::Id
    std::string display;         // empty: $DISPLAY
    ReplayChoices replay;
    // Colours given by name, resolved once the display is open ("" where a hex colour or none
    // was given); by element, as ReplayChoices::colours.
    std::array<std::string, 3> colourNames;
    bool help = false;
};

struct ParsedCommandLine {
    std::optional<HackOptions> options;
    std::string error;  // why not, when there are none
};

// `args` without the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string> args);
std::string HelpText();

// "#RRGGBB", "#RGB" and "rgb:R/G/B" (one to four hex digits each, X's form) as 0x00BBGGRR;
// empty for anything else (a colour name, say).
std::optional<Colour> ParseHexColour(std::string_view text);
// A window id as X prints them: decimal, or hexadecimal after "0x".
std::optional<unsigned long> ParseWindowId(std::string_view text);

// Where to draw, from the options and $XSCREENSAVER_WINDOW (null: not set).
struct DrawTarget {
    enum Kind { OwnWindow, FullScreen, RootWindow, GivenWindow } kind = OwnWindow;
    unsigned long id = 0;  // GivenWindow
};
// Empty, with `error` set, when the window id in the environment is malformed and is needed.
std::optional<DrawTarget> ChooseTarget(const HackOptions& options, const char* saverWindow, std::string& error);

}  // namespace senvola::x11
