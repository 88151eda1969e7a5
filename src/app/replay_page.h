// The "Replay options" page: replay speed, the source of the games (the built-in games, one
// file, or files at random from a directory) and the pause between games.
#pragma once

#include <windows.h>

#include <string>

#include "app/dialogs.h"
#include "app/page_controls.h"
#include "saverkit/help.h"
#include "saverkit/tab_pages.h"
#include "platform/ini_file.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"

namespace senvola::app {

class ReplayPage final : public saverkit::ControlSink {
public:
    // Builds the page's controls on `tab`; `pages` is the tab control the page belongs to. The
    // page writes what the user changes into `settings` at once.
    ReplayPage(PageControls& controls, saverkit::TabPage& tab, HWND pages, ReplaySettings& settings,
               LanguageTable& language, const Dialogs& dialogs, const saverkit::Help& help);

    // Shows `settings` in the language of `file` (reading its speed texts into the table).
    void Fill(const IniFile& file);
    void SetPromotion(const std::string& text);

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Labels grow with their text, as designed labels do; the path box then takes the room to
    // the right of its heading.
    void AutoSizeLabel(int id);
    void LayOutSpeedRow();
    void LayOutBrowseButtons();
    // The chosen source in the path box: the built-in games by name, else the whole path.
    void ShowSource();
    void CheckSourceRadio();
    void SpeedChanged();
    void PauseChanged();
    void PauseLeft();
    void ChooseBuiltInGames();
    void ChooseOneFile();
    void ChooseDirectory();

    PageControls& controls_;
    HWND pages_;
    ReplaySettings& settings_;
    LanguageTable& language_;
    const Dialogs& dialogs_;
    const saverkit::Help& help_;
    std::string internalText_ = "Internal";
    std::string sourceFilter_ = "SGF files (*.sgf)|*.sgf|.GO files (*.go)|*.go|All files (*.*)|*.*";
};

}  // namespace senvola::app
