// The "Language" page: the languages of the language file to choose from, and where to ask for
// another one.
#pragma once

#include <windows.h>

#include <string>

#include "app/page_controls.h"
#include "saverkit/tab_pages.h"
#include "platform/ini_file.h"
#include "settings/language_table.h"

namespace senvola::app {

class LanguagePage final : public saverkit::ControlSink {
public:
    // Builds the page's controls on `tab`.
    LanguagePage(PageControls& controls, saverkit::TabPage& tab);

    // The table's language list with language number `selected` chosen (none when the list has
    // no such entry), in the language of `table` and `file`.
    void Fill(const LanguageTable& table, const IniFile& file, int selected);
    // Position and text of the chosen entry; -1 and "" when none is chosen.
    int SelectedPosition() const;
    std::string SelectedName() const;

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FitContactText();

    PageControls& controls_;
};

}  // namespace senvola::app
