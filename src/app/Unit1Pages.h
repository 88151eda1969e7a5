// The application's three option pages ("Replay options", "Graphics", "Language") on the main
// form's page control, with every control's handler.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/ini_file.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"

namespace vek {
class TPageControl;
}

namespace senvola::app {

// What the option pages show and change: the replay options and the texts of the chosen language.
struct OptionsState {
    ReplaySettings Settings;
    LanguageTable Language;
};

// The common dialogs the pages open; each returns false when the user cancels. Tests replace
// them to answer without a modal dialog.
struct TForm1Dialogs {
    // filter in the "Text|pattern|Text|pattern" form; initialDir may be empty.
    std::function<bool(HWND owner, const std::string& filter, const std::string& initialDir,
                       std::string& path)>
        OpenFile;
    std::function<bool(HWND owner, const std::string& startDir, std::string& directory)> ChooseDirectory;
    std::function<bool(HWND owner, unsigned long& colour)> ChooseColour;
    std::function<void(HWND owner, const std::string& text, const std::string& caption)> ShowError;
};
// The real dialogs: GetOpenFileNameA, SHBrowseForFolderA, ChooseColorA, MessageBoxA.
TForm1Dialogs SystemDialogs();

// Stable control ids of the pages, so tests and scripts find each control.
enum TForm1PagesControl : int {
    idPanel1 = 2001, idlblReplay, idlbl_Fast, idlbl_slow, idSpeedBar, idPanel2, idlbl_ChooseFiles,
    idlbl_sgfname, idGroupBox2, idrad_InternalProGames, idrad_SelectOneFile, idrad_ChooseRandom,
    idlbl_PauseBetweenGames, idspin_pause, idspin_pause_updown, idlbl_seconds, idbitbtn_help,
    idWerftekstPanel, idWerftekstLabel,
    idcombo_graphicskeuzes = 2101, idgrpbox_colorbitmap, idradio_choosecolor, idradio_choosebitmap,
    idlbl_bestandsnaam, idimg_voorbeeldplaatje, idshape_voorbeeldkleur, idchkShowBoardOnly,
    idchk_ShowComments, idbitbtn_help2, idWerftekstPanel2, idWerftekstLabel2,
    idlbl_ChooseLanguage = 2201, idlistbox_Language, idPanel3, idLabel3, idLabel6,
};

class TForm1Pages {
public:
    // Builds PageControl1 with its three pages as hidden children of `hiddenParent`.
    TForm1Pages(OptionsState& state, HINSTANCE instance, HWND hiddenParent);
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

    void SetDialogs(TForm1Dialogs dialogs);
    // A control of the pages by id (it keeps its id after the dialog takes it over).
    HWND Control(int id) const;
    // The preview state of the graphics page.
    bool PreviewImageVisible() const;
    bool PreviewShapeVisible() const;
    unsigned long PreviewShapeColour() const;
    bool PreviewHasBitmap() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace senvola::app
