// The application's three option pages ("Replay options", "Graphics", "Language") on the main
// form's page control, with every control's handler.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app_state.h"
#include "settings/ini_file.h"

namespace vek {
class TPageControl;
}

namespace senvola::app {

class TForm1Pages {
public:
    // Builds PageControl1 with its three pages as hidden children of `hiddenParent`.
    TForm1Pages(AppState& state, HINSTANCE instance, HWND hiddenParent);
    ~TForm1Pages();
    TForm1Pages(const TForm1Pages&) = delete;
    TForm1Pages& operator=(const TForm1Pages&) = delete;

    vek::TPageControl& PageControl1();
    // Makes "Replay options" the active page (first step of the form's creation).
    void ActivateFirstPage();
    // Configuration mode, inside the read-registry handler: fills every page from the settings
    // and the language file (the language list included) and sets the page captions.
    void FillPages(const IniFile& languageFile);
    // Position and text of the selected language entry; -1 and "" when none is selected.
    int SelectedLanguagePosition() const;
    std::string SelectedLanguageName() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace senvola::app
