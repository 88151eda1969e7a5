// The Go screensaver: what the kit's hooks mean for this program. It owns the replay and what the
// replay reads (settings, pictures, language table and file, file system), the option pages and
// the saver host, and it is where the program calls into the replay core.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/option_pages.h"
#include "draw/board_look.h"
#include "replay/replay.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"
#include "saverkit/help.h"
#include "saverkit/monitors.h"
#include "saverkit/saver_hooks.h"
#include "saverkit/saver_host.h"
#include "win32/canvas_gdi.h"
#include "win32/file_system_win32.h"
#include "portable/ini_file_reader.h"
#include "win32/registry_win32.h"
#include "win32/text_decoder_win32.h"

namespace senvola::app {

// The program's title; the options dialog is "Options for " + this.
inline constexpr const char* kApplicationTitle = "Tavrel's Senvola";

class GoSaver final : public saverkit::SaverHooks {
public:
    GoSaver();
    ~GoSaver() override;
    GoSaver(const GoSaver&) = delete;
    GoSaver& operator=(const GoSaver&) = delete;

    // Sets the program up (setting defaults, the settings key for the options dialog, the help
    // file, the language file, the replay) and runs the mode `params` ask for.
    void Run(const std::vector<std::string>& params);

    void LoadSettings(RegistryKey& key, saverkit::Mode mode) override;
    void SaveSettings(RegistryKey& key) override;
    std::chrono::milliseconds FirstFrameDelay() override { return interval_; }
    std::chrono::milliseconds DrawFrame(HWND window, HDC dc) override;
    void RepaintFrame(HWND window, HDC dc) override;
    saverkit::TabPages* OptionPages() override { return &pages_->Pages(); }
    saverkit::DialogTexts OptionsDialogTexts() override { return pages_->DialogTexts(kApplicationTitle); }

private:
    // The monitors of the saver's window, on its first frame and whenever it is repainted (a
    // change of the display may have moved, added or taken away monitors). Replays of monitors
    // still there keep their games.
    void FindScreens(HWND window);
    // Calls draw(replay, canvas, width, height) for each monitor that shows a game, its canvas
    // drawing inside that monitor's part of `dc` as on a screen of its own.
    template <typename Draw>
    void ForEachScreen(HDC dc, Draw draw);

    HWND window_ = nullptr;              // the hidden application window
    ReplaySettings settings_;            // shared with the option pages
    LanguageTable language_;
    BoardPictures pictures_;             // loaded for the graphics options
    Win32Registry registry_;
    Win32FileSystem files_;
    Win32TextDecoder decoder_;
    std::unique_ptr<IniFileReader> languageFile_;
    std::unique_ptr<Replay> replay_;     // made once the language file is known; reads the above
    // The saver's monitors: the part each shows, the one replay_ fills,
    // and with a game per monitor the replays of the others (null at the main one's place).
    std::vector<saverkit::ScreenArea> screens_;
    int mainScreen_ = 0;
    std::vector<std::unique_ptr<Replay>> otherReplays_;
    saverkit::Mode mode_ = saverkit::Mode::Saver;
    GdiObjectCache gdiCache_;            // pens, brushes and fonts kept from one frame to the next
    saverkit::Help help_;
    // The first frame's delay: the kit's default until the settings name the speed; after that
    // each frame's delay is what the replay asks for.
    std::chrono::milliseconds interval_ = saverkit::kDefaultFrameDelay;
    std::unique_ptr<app::OptionPages> pages_;
    std::unique_ptr<saverkit::SaverHost> host_;
};

}  // namespace senvola::app
