// The application's option pages ("Replay options", "Graphics", "Language") on a tab control of
// their own, as children of the program's hidden window until the options dialog takes them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/dialogs.h"
#include "app/graphics_page.h"
#include "app/language_page.h"
#include "app/page_controls.h"
#include "app/replay_page.h"
#include "saverkit/help.h"
#include "saverkit/saver_hooks.h"
#include "saverkit/tab_pages.h"
#include "platform/ini_file.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"

namespace senvola::app {

class OptionPages {
public:
    // The pages as hidden children of `hiddenParent`, showing and changing `settings`;
    // `language` holds the texts the pages are shown in. All three must outlive the pages.
    OptionPages(ReplaySettings& settings, LanguageTable& language, const saverkit::Help& help, HWND hiddenParent);
    ~OptionPages();
    OptionPages(const OptionPages&) = delete;
    OptionPages& operator=(const OptionPages&) = delete;

    saverkit::TabPages& Pages() { return *tabs_; }
    // Makes "Replay options" the page shown first.
    void ActivateFirstPage();
    // Shows the settings on every page in the language of `languageFile`, the language list and
    // the page captions included.
    void Fill(const IniFile& languageFile);
    // The options dialog's caption for the program `title`, OK and Cancel, in the language Fill
    // showed the pages in.
    saverkit::DialogTexts DialogTexts(std::string_view title) const;
    // The language list's chosen entry: its position and text; -1 and "" when none is chosen.
    int SelectedLanguagePosition() const { return language_.SelectedPosition(); }
    std::string SelectedLanguageName() const { return language_.SelectedName(); }

    // Tests answer the common dialogs themselves.
    void SetDialogs(Dialogs dialogs) { dialogs_ = std::move(dialogs); }
    // A control of the pages by id (it keeps its id after the dialog takes it over).
    HWND Control(int id) const { return controls_.Get(id); }
    const GraphicsPage& Graphics() const { return graphics_; }

private:
    ReplaySettings& settings_;
    LanguageTable& table_;
    Dialogs dialogs_ = SystemDialogs();
    PageControls controls_;
    std::unique_ptr<saverkit::TabPages> tabs_;
    saverkit::TabPage& replayTab_;
    saverkit::TabPage& graphicsTab_;
    saverkit::TabPage& languageTab_;
    ReplayPage replay_;
    GraphicsPage graphics_;
    LanguagePage language_;
    saverkit::DialogTexts dialogTexts_;  // the caption still with its "%1"
};

}  // namespace senvola::app
