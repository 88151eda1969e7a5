#include "hack_options.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace senvola::x11 {

namespace {

enum class Id {
    Window, FullScreen, Root, WindowId, Display,
    Speed, Delay, Pause, BuiltIn, File, Dir,
    BoardColour, BlackColour, WhiteColour, BoardPicture, BlackPicture, WhitePicture,
    BoardOnly, NoComments, NoReadingTime, ShowResult, FlatStones, NoCoordinates, Lang, Help
};

struct Option {
    Id id;
    const char* name;   // without the dash
    const char* value;  // the value's name; null for a flag
    const char* help;
    const char* group;  // starts a group of the help text when not null
};

constexpr Option kOptions[] = {
    {Id::Window, "window", nullptr, "draw in a window of its own (the default when started by hand)", "Where to draw"},
    {Id::FullScreen, "fullscreen", nullptr, "draw in a window of its own that covers the screen", nullptr},
    {Id::Root, "root", nullptr, "draw in the window xscreensaver gives ($XSCREENSAVER_WINDOW), else on the root window", nullptr},
    {Id::WindowId, "window-id", "ID", "draw in the window with this id (decimal, or hexadecimal after 0x)", nullptr},
    {Id::Display, "display", "NAME", "the X display (default: $DISPLAY)", nullptr},
    {Id::Speed, "speed", "N", "replay speed from 0 to 17: a move every 0.05 s (0) up to every 30 s (17); default %SPEED%", "Replay"},
    {Id::Delay, "delay", "SECONDS", "a move every SECONDS, 0.05 to 30, taken to the nearest speed step", nullptr},
    {Id::Pause, "pause", "SECONDS", "pause after a game, 0 to 300 seconds; default %PAUSE%", nullptr},
    {Id::BuiltIn, "builtin", nullptr, "replay the six built-in professional games (the default)", nullptr},
    {Id::File, "file", "PATH", "replay one .sgf or .go game file", nullptr},
    {Id::Dir, "dir", "PATH", "replay game files drawn at random from a directory", nullptr},
    {Id::BoardColour, "board-colour", "COLOUR", "colour of the board, as #RRGGBB or an X colour name; default %BOARD%", "Look"},
    {Id::BlackColour, "black-colour", "COLOUR", "colour of the black stones; default %BLACK%", nullptr},
    {Id::WhiteColour, "white-colour", "COLOUR", "colour of the white stones; default %WHITE%", nullptr},
    {Id::BoardPicture, "board-picture", "PATH", "a PNG or BMP picture tiled over the board instead of its colour", nullptr},
    {Id::BlackPicture, "black-picture", "PATH", "a PNG or BMP picture for the black stones, stretched; the colour of its bottom-left pixel is left out", nullptr},
    {Id::WhitePicture, "white-picture", "PATH", "the same for the white stones", nullptr},
    {Id::BoardOnly, "board-only", nullptr, "show the board alone, without the information panel", nullptr},
    {Id::NoComments, "no-comments", nullptr, "do not show the comments of the games", nullptr},
    {Id::NoReadingTime, "no-reading-time", nullptr, "a commented move stays no longer than any other (by default it stays until its comment can be read, up to 20 s)", nullptr},
    {Id::ShowResult, "show-result", nullptr, "show the result from the first move (by default it appears after the last)", nullptr},
    {Id::FlatStones, "flat-stones", nullptr, "plain flat stones instead of shaded ones with a shadow", nullptr},
    {Id::NoCoordinates, "no-coordinates", nullptr, "no letters and numbers in the board's margin", nullptr},
    {Id::Lang, "lang", "NAME", "language of the panel, by its name in Senvola.ini (English, Dutch, German, French...)", nullptr},
    {Id::Help, "help", nullptr, "print this list and exit", "Other"},
};

const Option* Find(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return nullptr;
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    if (arg == "h") arg = "help";
    for (const Option& o : kOptions) {
        if (arg == o.name) return &o;
    }
    return nullptr;
}

bool ParseInt(std::string_view text, int low, int high, int& out) {
    int v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || v < low || v > high) return false;
    out = v;
    return true;
}

// The speed step nearest to `seconds` per move.
std::optional<int> SpeedForDelay(std::string_view text) {
    double seconds = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    if (!(seconds >= 0.05 - 1e-9 && seconds <= 30 + 1e-9)) return std::nullopt;
    const std::span<const int> steps = MoveIntervalsMs();
    int best = 0;
    for (int i = 1; i < static_cast<int>(steps.size()); ++i) {
        if (std::abs(steps[i] - seconds * 1000) < std::abs(steps[best] - seconds * 1000)) best = i;
    }
    return best;
}

std::string HexOf(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return text;
}

void Replace(std::string& text, std::string_view key, const std::string& value) {
    const std::size_t at = text.find(key);
    if (at != std::string::npos) text.replace(at, key.size(), value);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One to four hex digits scaled to 0..255, as X reads the parts of "rgb:".
std::optional<uint32_t> HexChannel(std::string_view digits) {
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    uint32_t v = 0;
    for (char c : digits) {
        const int h = HexValue(c);
        if (h < 0) return std::nullopt;
        v = v * 16 + static_cast<uint32_t>(h);
    }
    const uint32_t max = (1u << (4 * digits.size())) - 1;
    return (v * 255 + max / 2) / max;
}

}  // namespace

std::optional<Colour> ParseHexColour(std::string_view text) {
    uint32_t rgb[3];
    if (text.size() == 7 || text.size() == 4) {
        if (text[0] != '#') return std::nullopt;
        const std::size_t n = (text.size() - 1) / 3;
        for (std::size_t i = 0; i < 3; ++i) {
            const auto v = HexChannel(text.substr(1 + i * n, n));
            if (!v) return std::nullopt;
            rgb[i] = *v;
        }
    } else if (text.substr(0, 4) == "rgb:") {
        std::string_view rest = text.substr(4);
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t slash = rest.find('/');
            if ((i < 2) != (slash != std::string_view::npos)) return std::nullopt;
            const auto v = HexChannel(rest.substr(0, slash));
            if (!v) return std::nullopt;
            rgb[i] = *v;
            rest = i < 2 ? rest.substr(slash + 1) : std::string_view();
        }
    } else {
        return std::nullopt;
    }
    return rgb[2] << 16 | rgb[1] << 8 | rgb[0];
}

std::optional<unsigned long> ParseWindowId(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned long v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || v == 0) return std::nullopt;
    return v;
}

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) {
    HackOptions o;
    ReplayChoices& c = o.replay;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const Option* option = Find(arg);
        if (!option) return {std::nullopt, "unknown option " + arg};
        std::string_view value;
        if (option->value) {
            if (i + 1 >= args.size()) return {std::nullopt, arg + " needs " + option->value};
            value = args[++i];
        }
        const auto bad = [&](const std::string& what) {
            return ParsedCommandLine{std::nullopt, arg + " " + std::string(value) + ": " + what};
        };
        const auto colour = [&](int element) {
            c.colours[element] = ParseHexColour(value);
            o.colourNames[element] = c.colours[element] ? std::string() : std::string(value);
            return !value.empty();
        };
        int n = 0;
        switch (option->id) {
            case Id::Window: o.mode = WindowMode::Own; break;
            case Id::FullScreen: o.mode = WindowMode::FullScreen; break;
            case Id::Root: o.mode = WindowMode::Root; break;
            case Id::WindowId:
                if (auto id = ParseWindowId(value)) {
                    o.mode = WindowMode::Id;
                    o.windowId = *id;
                } else {
                    return bad("not a window id");
                }
                break;
            case Id::Display: o.display = value; break;
            case Id::Speed:
                if (!ParseInt(value, 0, static_cast<int>(MoveIntervalsMs().size()) - 1, n)) return bad("not a speed from 0 to 17");
                c.speed = n;
                break;
            case Id::Delay:
                if (auto speed = SpeedForDelay(value)) {
                    c.speed = *speed;
                } else {
                    return bad("not a number of seconds from 0.05 to 30");
                }
                break;
            case Id::Pause:
                if (!ParseInt(value, 0, MaxPauseSeconds(), n)) return bad("not a whole number of seconds from 0 to 300");
                c.pauseSeconds = n;
                break;
            case Id::BuiltIn: c.source = GameSource::BuiltIn; break;
            case Id::File:
            case Id::Dir:
                if (value.empty()) return bad("no path");
                c.source = option->id == Id::File ? GameSource::File : GameSource::Directory;
                c.sourcePath = value;
                break;
            case Id::BoardColour:
            case Id::BlackColour:
            case Id::WhiteColour:
                if (!colour(static_cast<int>(option->id) - static_cast<int>(Id::BoardColour))) return bad("no colour");
                break;
            case Id::BoardPicture:
            case Id::BlackPicture:
            case Id::WhitePicture:
                c.pictures[static_cast<int>(option->id) - static_cast<int>(Id::BoardPicture)] = value;
                break;
            case Id::BoardOnly: c.boardOnly = true; break;
            case Id::NoComments: c.noComments = true; break;
            case Id::NoReadingTime: c.noReadingTime = true; break;
            case Id::ShowResult: c.showResult = true; break;
            case Id::FlatStones: c.flatStones = true; break;
            case Id::NoCoordinates: c.noCoordinates = true; break;
            case Id::Lang: c.language = value; break;
            case Id::Help: o.help = true; break;
        }
    }
    return {std::move(o), {}};
}

std::string HelpText() {
    const ReplayDefaults d = DefaultChoices();
    std::string text =
        "Usage: senvola [OPTION]...\n"
        "Replays recorded games of Go move by move: a display hack for xscreensaver.\n"
        "Options take one dash or two.\n";
    for (const Option& o : kOptions) {
        if (o.group) text += std::string("\n") + o.group + ":\n";
        std::string left = std::string("  -") + o.name + (o.value ? std::string(" ") + o.value : "");
        left.resize(std::max<std::size_t>(left.size() + 2, 26), ' ');
        std::string help = o.help;
        Replace(help, "%SPEED%", std::to_string(d.speed));
        Replace(help, "%PAUSE%", std::to_string(d.pauseSeconds));
        Replace(help, "%BOARD%", HexOf(d.colours[0]));
        Replace(help, "%BLACK%", HexOf(d.colours[1]));
        Replace(help, "%WHITE%", HexOf(d.colours[2]));
        text += left + help + "\n";
    }
    text += "\nIn a window of its own, q or Escape ends it. Translations come from Senvola.ini beside\n"
            "the program or in the installed data folder.\n";
    return text;
}

std::optional<DrawTarget> ChooseTarget(const HackOptions& options, const char* saverWindow, std::string& error) {
    const bool fromSaver = saverWindow != nullptr && *saverWindow != '\0';
    switch (options.mode) {
        case WindowMode::Own: return DrawTarget{DrawTarget::OwnWindow, 0};
        case WindowMode::FullScreen: return DrawTarget{DrawTarget::FullScreen, 0};
        case WindowMode::Id: return DrawTarget{DrawTarget::GivenWindow, options.windowId};
        case WindowMode::Root:
        case WindowMode::Unset:
            if (fromSaver) {
                if (auto id = ParseWindowId(saverWindow)) return DrawTarget{DrawTarget::GivenWindow, *id};
                error = std::string("XSCREENSAVER_WINDOW is not a window id: ") + saverWindow;
                return std::nullopt;
            }
            return DrawTarget{options.mode == WindowMode::Root ? DrawTarget::RootWindow : DrawTarget::OwnWindow, 0};
    }
    return std::nullopt;
}

}  // namespace senvola::x11
